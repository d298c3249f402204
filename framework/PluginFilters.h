#pragma once

#include "framework/String.h"
#include "host/PluginContext.h"

namespace Quarn {

// Accepts a record whose plug-in offers the interface `interfaceId`, compared
// as text up to the first NUL, letter case included.
struct PluginContext::PluginInterfaceFilter : PluginContext::AbstractPluginInfoFilter {
    // Keeps its own copy of `id`, its buffer from the default character
    // allocator whatever allocator `id` uses.
    explicit PluginInterfaceFilter(String id);
    PluginInterfaceFilter(const PluginInterfaceFilter& other);
    PluginInterfaceFilter& operator=(const PluginInterfaceFilter& other) = default;
    ~PluginInterfaceFilter() override;

    bool operator()(PluginInfo* info) const override;

    String interfaceId;
};

// Prefers the record at the lower address: a scan ends on the lowest one,
// the earliest of equal ones. Never reads the records.
struct PluginContext::SimplePluginInfoSelector : PluginContext::AbstractPluginInfoSelector {
    bool operator()(PluginInfo* current, PluginInfo* candidate) const override;
};

}  // namespace Quarn
