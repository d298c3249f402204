#pragma once

#include <vector>

#include <boost/thread/lock_guard.hpp>

#include "host/PluginContext.h"
#include "plugin/Plugin.h"

namespace Quarn {

namespace detail {

// Takes the first candidate as the choice; each later one replaces it when
// the selector prefers it. Null when there are no candidates.
template <typename Candidate, typename Selector, typename RecordOf>
Candidate chooseAmong(const std::vector<Candidate>& candidates, Selector prefers,
                      RecordOf recordOf) {
    Candidate choice = nullptr;
    for (Candidate candidate : candidates) {
        if (choice == nullptr || prefers(recordOf(choice), recordOf(candidate))) {
            choice = candidate;
        }
    }
    return choice;
}

}  // namespace detail

// Status 0: an existing plug-in qualified and is in *out with a reference
// added for the caller. 1: `out` is null. 3: nothing qualified, or nothing
// existing and `allowCreate` false. Otherwise whatever createPlugin answered
// for the record chosen among the known ones.
//
// The lists are copied under the context's lock, and existing plug-ins are
// filtered under it too; the lock is held through a guard, so an exception
// from a copy or a filter releases it. A null entry in either list (or a
// live plug-in without a record) cannot qualify and is passed over.
template <typename Filter, typename Selector>
int PluginContext::queryPlugin(Plugin** out, const Filter& filter, const Selector& selector,
                               bool allowCreate) {
    if (out == nullptr) {
        return 1;
    }

    std::vector<Plugin*> liveCandidates;
    {
        boost::lock_guard<boost::recursive_mutex> guard(pluginLock);
        const std::vector<Plugin*> live = livePlugins.toVector();
        Filter accepts(filter);
        for (Plugin* plugin : live) {
            if (plugin == nullptr) {
                continue;
            }
            PluginInfo* info = plugin->getPluginInfo();
            if (info != nullptr && accepts(info)) {
                liveCandidates.push_back(plugin);
            }
        }
    }

    if (Plugin* chosen = detail::chooseAmong(liveCandidates, Selector(selector),
                                             [](Plugin* p) { return p->getPluginInfo(); })) {
        *out = chosen;
        chosen->retain();
        return 0;
    }
    if (!allowCreate) {
        return 3;
    }

    std::vector<PluginInfo*> known;
    {
        boost::lock_guard<boost::recursive_mutex> guard(pluginLock);
        known = knownPlugins.toVector();
    }
    std::vector<PluginInfo*> knownCandidates;
    Filter accepts(filter);
    for (PluginInfo* info : known) {
        if (info != nullptr && accepts(info)) {
            knownCandidates.push_back(info);
        }
    }

    if (PluginInfo* chosen = detail::chooseAmong(knownCandidates, Selector(selector),
                                                 [](PluginInfo* info) { return info; })) {
        return createPlugin(chosen, out);
    }
    return 3;
}

}  // namespace Quarn
