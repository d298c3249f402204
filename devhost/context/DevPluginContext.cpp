#include "devhost/context/DevPluginContext.h"

#include <algorithm>

namespace devhost {

std::int32_t DevPluginContext::createPlugin(Quarn::PluginInfo*, Quarn::Plugin**) {
    return 3;
}

std::int32_t DevPluginContext::pluginAboutToBeDeleted(Quarn::Plugin* plugin) {
    received.push_back({Notification::AboutToBeDeleted, plugin});
    return 0;
}

std::int32_t DevPluginContext::pluginDeleted(Quarn::Plugin* plugin) {
    received.push_back({Notification::Deleted, plugin});
    return 0;
}

bool DevPluginContext::wasDeleted(const void* plugin) const {
    return std::find(received.begin(), received.end(),
                     Notification{Notification::Deleted, plugin}) != received.end();
}

}  // namespace devhost
