#include "framework/InterfaceHandle.h"

namespace Quarn {

InterfaceHandle::InterfaceHandle(const String& id) : id(id), plugin(nullptr), iface(nullptr) {}

InterfaceHandle::~InterfaceHandle() {
    if (plugin != nullptr) {
        plugin->release();
    }
    plugin = nullptr;
    iface = nullptr;
    id.clear();
}

}  // namespace Quarn
