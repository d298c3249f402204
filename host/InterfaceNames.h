#pragma once

namespace Vantrel {

// The identifiers under which the host's plug-ins list the interfaces they
// offer. Every comparison is by text, byte for byte, letter case included.
namespace InterfaceNames {

inline constexpr char BasicPlayback[] = "com.zorv.playback.interface.BasicPlayback";
inline constexpr char AdvancedPlayback[] = "com.zorv.playback.interface.AdvancedPlayback";
inline constexpr char Menu[] = "com.zorv.vantrel.pluginInterface.Menu";
inline constexpr char SkinManager[] = "com.zorv.playback.interface.SkinManager";
inline constexpr char PlaybackServices[] = "com.zorv.vantrel.pluginInterface.PlaybackServices";

}  // namespace InterfaceNames
}  // namespace Vantrel
