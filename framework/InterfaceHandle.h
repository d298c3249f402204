#pragma once

#include "framework/PluginQuery.h"
#include "framework/String.h"
#include "plugin/Plugin.h"

namespace Quarn {

// An interface of another plug-in, held together with one reference on the
// plug-in that serves it for as long as the handle holds it. One owner makes
// it on the heap and destroys it; it cannot be copied, since a copy would
// give the same reference back twice.
class InterfaceHandle {
public:
    // Copies `id` with the default character allocator; looks nothing up.
    explicit InterfaceHandle(const String& id);
    InterfaceHandle(const InterfaceHandle&) = delete;
    InterfaceHandle& operator=(const InterfaceHandle&) = delete;
    // Gives the reference back, if one is held, and frees the identifier.
    ~InterfaceHandle();

    // Finds a plug-in serving `id` through the context's query and asks it
    // for the interface. 0: held; 1: already held, nothing changed; 3: any
    // failure, the handle left empty with no reference held.
    template <typename Filter, typename Selector>
    int acquire(PluginContext* context, const Filter& filter, const Selector& selector,
                bool allowCreate);

    String id;
    // Both set or both null between calls. `iface` is borrowed from `plugin`.
    Plugin* plugin;
    void* iface;
};

template <typename Filter, typename Selector>
int InterfaceHandle::acquire(PluginContext* context, const Filter& filter, const Selector& selector,
                             bool allowCreate) {
    if (iface != nullptr) {
        return 1;
    }
    if (context == nullptr) {
        return 3;
    }
    Plugin* found = nullptr;
    const int status = context->queryPlugin(&found, filter, selector, allowCreate);
    if (status == 0 && found != nullptr) {
        void* offered = nullptr;
        int answer = 3;
        try {
            answer = found->queryInterface(id, &offered);
        } catch (...) {
            // The query's reference must not outlive a failed acquisition.
            found->release();
            throw;
        }
        // A plug-in that answers 0 without an interface has not given one.
        if (answer == 0 && offered != nullptr) {
            plugin = found;
            iface = offered;
            return 0;
        }
        // May destroy a plug-in the query created for this handle.
        found->release();
    }
    plugin = nullptr;
    iface = nullptr;
    return 3;
}

}  // namespace Quarn
