#include "framework/PluginFilters.h"

#include <cstdint>

namespace Quarn {

PluginContext::PluginInterfaceFilter::PluginInterfaceFilter(String id) : interfaceId(id) {}

PluginContext::PluginInterfaceFilter::PluginInterfaceFilter(const PluginInterfaceFilter& other)
    : AbstractPluginInfoFilter(), interfaceId(other.interfaceId) {}

PluginContext::PluginInterfaceFilter::~PluginInterfaceFilter() {
    interfaceId.clear();
}

bool PluginContext::PluginInterfaceFilter::operator()(PluginInfo* info) const {
    return info->interfaceNames.indexOf(interfaceId) != -1;
}

bool PluginContext::SimplePluginInfoSelector::operator()(PluginInfo* current,
                                                         PluginInfo* candidate) const {
    return reinterpret_cast<std::uintptr_t>(candidate) < reinterpret_cast<std::uintptr_t>(current);
}

}  // namespace Quarn
