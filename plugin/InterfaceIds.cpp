#include "plugin/InterfaceIds.h"

#include "host/InterfaceNames.h"

namespace Vantrel::InterfaceIds {

const Quarn::String BasicPlayback(InterfaceNames::BasicPlayback);
const Quarn::String AdvancedPlayback(InterfaceNames::AdvancedPlayback);
const Quarn::String Menu(InterfaceNames::Menu);
const Quarn::String SkinManager(InterfaceNames::SkinManager);
const Quarn::String PlaybackServices(InterfaceNames::PlaybackServices);

}  // namespace Vantrel::InterfaceIds
