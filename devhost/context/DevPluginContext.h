#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/PluginContext.h"

namespace devhost {

// The development host's plug-in context. It knows plug-ins by their records
// (the interfaces each offers) and makes them through a factory per record.
// The plug-ins it made stay on its live list, with their record filled in,
// until they tell it they are gone; the list holds no reference on them.
// Every notification is recorded, so the host (and the tests) can see when
// and in which order plug-in objects went away.
class DevPluginContext : public Quarn::PluginContext {
public:
    // Makes a plug-in for the context with one reference for the caller, or
    // returns null.
    using Factory = std::function<Quarn::Plugin*(Quarn::PluginContext* context)>;

    struct Notification {
        enum Kind { AboutToBeDeleted, Deleted };
        Kind kind;
        // An identity only: after `Deleted` it no longer points at an object.
        const void* plugin;

        bool operator==(const Notification& other) const {
            return kind == other.kind && plugin == other.plugin;
        }
    };

    DevPluginContext() = default;
    // Forgets its records; every plug-in it made must be gone by then.
    ~DevPluginContext() override;

    // Adds a record of a plug-in offering `interfaceNames`, made by `factory`.
    // The record lives as long as the context.
    Quarn::PluginInfo* registerPlugin(const std::vector<std::string>& interfaceNames,
                                      Factory factory);

    // 0 with a new plug-in for `info` in *out, put on the live list with its
    // record set. 3 for a record this context does not know, 2 when the
    // factory made nothing; *out is left as it was on failure.
    std::int32_t createPlugin(Quarn::PluginInfo* info, Quarn::Plugin** out) override;

    // Records the notification; a plug-in that is going leaves the live list.
    std::int32_t pluginAboutToBeDeleted(Quarn::Plugin* plugin) override;
    std::int32_t pluginDeleted(Quarn::Plugin* plugin) override;

    const std::vector<Notification>& notifications() const { return received; }
    // True once `plugin` has told the context it is gone.
    bool wasDeleted(const void* plugin) const;
    // True while `plugin` is on the live list.
    bool isLive(const Quarn::Plugin* plugin) const;

private:
    struct Record {
        std::unique_ptr<Quarn::PluginInfo> info;
        Factory factory;
    };

    std::vector<Record> records;
    std::vector<Notification> received;
};

}  // namespace devhost
