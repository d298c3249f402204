#pragma once

#include "framework/List.h"
#include "framework/String.h"

namespace Quarn {

// The host's record of one plug-in. The framework reads only the list of
// interface identifiers the described plug-in offers; the rest of the record
// is the host's own.
struct PluginInfo {
    List<String> interfaceNames;
};

}  // namespace Quarn
