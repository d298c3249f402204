#pragma once

#include <cstdint>

#include <boost/thread/recursive_mutex.hpp>

#include "framework/List.h"
#include "host/PluginInfo.h"

namespace Quarn {

class Plugin;

// What the host's plug-in framework hands every plug-in. Callers on both
// sides reach each virtual operation by its position in the table, so every
// operation keeps its place in declaration order; the reserved entries hold
// the places of operations plug-ins never call.
class PluginContext {
public:
    // Decides whether one plug-in record qualifies. (The argument and result
    // types are spelled out here as the standard unary-function base, gone
    // from C++17, used to provide them.)
    struct AbstractPluginInfoFilter {
        using argument_type = PluginInfo*;
        using result_type = bool;
        virtual ~AbstractPluginInfoFilter() {}
        virtual bool operator()(PluginInfo* info) const = 0;
    };

    // Decides which of two qualifying records is preferred: true when the
    // candidate is preferred to the current choice.
    struct AbstractPluginInfoSelector {
        using first_argument_type = PluginInfo*;
        using second_argument_type = PluginInfo*;
        using result_type = bool;
        virtual ~AbstractPluginInfoSelector() {}
        virtual bool operator()(PluginInfo* current, PluginInfo* candidate) const = 0;
    };

    // The framework's own filter and selector (framework/PluginFilters.h).
    struct PluginInterfaceFilter;
    struct SimplePluginInfoSelector;

    PluginContext() = default;
    PluginContext(const PluginContext&) = delete;
    PluginContext& operator=(const PluginContext&) = delete;

    virtual ~PluginContext() {}                     // 1
    virtual std::int32_t reserved2() { return 0; }  // 2

    // Makes a plug-in for `info`. On 0, *out holds it with one reference for
    // the caller; any other status leaves no reference with the caller.
    virtual std::int32_t createPlugin(PluginInfo* info, Plugin** out) = 0;  // 3

    virtual std::int32_t reserved4() { return 0; }  // 4
    virtual std::int32_t reserved5() { return 0; }  // 5
    virtual std::int32_t reserved6() { return 0; }  // 6
    virtual std::int32_t reserved7() { return 0; }  // 7
    virtual std::int32_t reserved8() { return 0; }  // 8

    // Told by a plug-in's last release, before and after it destroys itself.
    // After the second call `plugin` identifies the object but no longer
    // points at one.
    virtual std::int32_t pluginAboutToBeDeleted(Plugin* plugin) = 0;  // 9
    virtual std::int32_t pluginDeleted(Plugin* plugin) = 0;           // 10

    // Finds a plug-in whose record `filter` accepts, preferring one that
    // exists to one made from a known record (only when `allowCreate`), and
    // hands it out with a reference for the caller. Compiled into every
    // plug-in from framework/PluginQuery.h.
    template <typename Filter, typename Selector>
    int queryPlugin(Plugin** out, const Filter& filter, const Selector& selector, bool allowCreate);

    // The records of every plug-in the context knows.
    List<PluginInfo*> knownPlugins;
    // The plug-in objects the context holds now, each with its record set.
    List<Plugin*> livePlugins;
    // The host's own; the framework never touches it.
    List<void*> hostReserved;
    // Guards the context's plug-ins; taken recursively by the plug-in query.
    boost::recursive_mutex pluginLock;
};

}  // namespace Quarn
