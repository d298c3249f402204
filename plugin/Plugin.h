#pragma once

#include <cstdint>

#include "framework/String.h"

namespace Quarn {

class PluginContext;
struct PluginInfo;

// The reference-counted base of every object a plug-in library hands to the
// host. The host and other plug-ins call these operations by their position
// in the table, so their order is fixed.
class Plugin {
public:
    // Count 1: the reference the creator hands out.
    explicit Plugin(PluginContext* context);
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Ends the object and nothing more: it neither notifies nor releases the
    // context.
    virtual ~Plugin();

    // Both return the count after the change. The release that reaches zero
    // destroys the object between the context's two notifications.
    virtual std::int32_t retain();
    virtual std::int32_t release();

    virtual std::int32_t getRefCount();
    virtual PluginInfo* getPluginInfo();
    virtual PluginContext* getContext();

    // 0 with a borrowed pointer to the sub-object serving `id` in *out, or 3
    // with *out null. Never changes the count.
    virtual std::int32_t queryInterface(const String& id, void** out) = 0;

    // The context fills in its record of the objects it keeps; nothing in the
    // plug-in itself writes it.
    void setPluginInfo(PluginInfo* info) { pluginInfo = info; }

protected:
    std::int32_t refCount;
    PluginContext* context;
    PluginInfo* pluginInfo;
};

}  // namespace Quarn
