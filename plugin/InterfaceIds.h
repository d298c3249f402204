#pragma once

#include "framework/String.h"

namespace Vantrel {

// The five interface identifiers, built from their texts with the default
// character allocator when the library is loaded and freed when it is
// unloaded.
namespace InterfaceIds {

extern const Quarn::String BasicPlayback;
extern const Quarn::String AdvancedPlayback;
extern const Quarn::String Menu;
extern const Quarn::String SkinManager;
extern const Quarn::String PlaybackServices;

}  // namespace InterfaceIds
}  // namespace Vantrel
