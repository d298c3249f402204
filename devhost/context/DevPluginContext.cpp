#include "devhost/context/DevPluginContext.h"

#include <algorithm>

#include <boost/thread/lock_guard.hpp>

#include "framework/ListEditing.h"
#include "plugin/Plugin.h"

namespace devhost {

DevPluginContext::~DevPluginContext() {
    for (Record& record : records) {
        Quarn::clearDestroyingValues(record.info->interfaceNames);
    }
}

Quarn::PluginInfo* DevPluginContext::registerPlugin(const std::vector<std::string>& interfaceNames,
                                                    Factory factory) {
    auto info = std::make_unique<Quarn::PluginInfo>();
    Record record{nullptr, std::move(factory)};
    for (const std::string& name : interfaceNames) {
        Quarn::appendToList(info->interfaceNames, Quarn::String(name.c_str()));
    }
    Quarn::PluginInfo* added = info.get();
    record.info = std::move(info);

    boost::lock_guard<boost::recursive_mutex> guard(pluginLock);
    records.push_back(std::move(record));
    Quarn::appendToList(knownPlugins, added);
    return added;
}

std::int32_t DevPluginContext::createPlugin(Quarn::PluginInfo* info, Quarn::Plugin** out) {
    if (out == nullptr) {
        return 1;
    }
    const auto known = std::find_if(records.begin(), records.end(),
                                    [&](const Record& r) { return r.info.get() == info; });
    if (known == records.end()) {
        return 3;
    }
    Quarn::Plugin* plugin = known->factory(this);
    if (plugin == nullptr) {
        return 2;
    }
    plugin->setPluginInfo(info);
    {
        boost::lock_guard<boost::recursive_mutex> guard(pluginLock);
        Quarn::appendToList(livePlugins, plugin);
    }
    *out = plugin;
    return 0;
}

std::int32_t DevPluginContext::pluginAboutToBeDeleted(Quarn::Plugin* plugin) {
    received.push_back({Notification::AboutToBeDeleted, plugin});
    boost::lock_guard<boost::recursive_mutex> guard(pluginLock);
    Quarn::removeFromList(livePlugins, plugin);
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

bool DevPluginContext::isLive(const Quarn::Plugin* plugin) const {
    for (auto* node = livePlugins.head; node != nullptr; node = node->next) {
        if (node->value == plugin) {
            return true;
        }
    }
    return false;
}

}  // namespace devhost
