#include "plugin/Plugin.h"

#include "host/PluginContext.h"

namespace Quarn {

Plugin::Plugin(PluginContext* context) : refCount(1), context(context), pluginInfo(nullptr) {}

Plugin::~Plugin() {}

std::int32_t Plugin::retain() {
    return ++refCount;
}

std::int32_t Plugin::release() {
    if (--refCount != 0) {
        return refCount;
    }
    // Read everything needed afterwards while the object still exists: the
    // address stays only as an identity for the context.
    PluginContext* const owner = context;
    Plugin* const self = this;
    // A plug-in made without a context (a bare object in a test or a tool)
    // has nobody to tell; it still destroys itself.
    if (owner != nullptr) {
        owner->pluginAboutToBeDeleted(self);
    }
    delete this;
    if (owner != nullptr) {
        owner->pluginDeleted(self);
    }
    return 0;
}

std::int32_t Plugin::getRefCount() {
    return refCount;
}

PluginInfo* Plugin::getPluginInfo() {
    return pluginInfo;
}

PluginContext* Plugin::getContext() {
    return context;
}

}  // namespace Quarn
