#pragma once

#include <cstdint>
#include <vector>

#include "host/PluginContext.h"

namespace devhost {

// The development host's plug-in context. It records every notification a
// plug-in sends it, so the host (and the tests) can see when and in which
// order plug-in objects went away.
class DevPluginContext : public Quarn::PluginContext {
public:
    struct Notification {
        enum Kind { AboutToBeDeleted, Deleted };
        Kind kind;
        // An identity only: after `Deleted` it no longer points at an object.
        const void* plugin;

        bool operator==(const Notification& other) const {
            return kind == other.kind && plugin == other.plugin;
        }
    };

    // Makes a plug-in from one of the context's records. This context knows
    // no plug-in it could make, so every request fails with 3 and leaves *out
    // as it was.
    std::int32_t createPlugin(Quarn::PluginInfo* info, Quarn::Plugin** out) override;

    std::int32_t pluginAboutToBeDeleted(Quarn::Plugin* plugin) override;
    std::int32_t pluginDeleted(Quarn::Plugin* plugin) override;

    const std::vector<Notification>& notifications() const { return received; }
    // True once `plugin` has told the context it is gone.
    bool wasDeleted(const void* plugin) const;

private:
    std::vector<Notification> received;
};

}  // namespace devhost
