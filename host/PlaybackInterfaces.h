#pragma once

#include <cstdint>

#include "framework/List.h"
#include "framework/StreamTypeFilter.h"
#include "framework/String.h"
#include "host/TableSlots.h"

namespace Vantrel {

// The player's playback interfaces, as far as plug-ins use them. Callers
// reach each operation by its position in the table (counted from 1, the
// virtual destructor first), so each stands at its listed position, with
// placeholders holding the others.

// "com.zorv.vantrel.pluginInterface.PlaybackServices"
class PlaybackServices {
public:
    virtual ~PlaybackServices() {}  // 1
    VANTREL_RESERVED_SLOT(2)
    VANTREL_RESERVED_SLOT(3)
    VANTREL_RESERVED_SLOT(4)
    VANTREL_RESERVED_SLOT(5)
    VANTREL_RESERVED_SLOT(6)
    VANTREL_RESERVED_SLOT(7)
    VANTREL_RESERVED_SLOT(8)
    VANTREL_RESERVED_SLOT(9)
    VANTREL_RESERVED_SLOT(10)
    VANTREL_RESERVED_SLOT(11)
    VANTREL_RESERVED_SLOT(12)
    VANTREL_RESERVED_SLOT(13)
    VANTREL_RESERVED_SLOT(14)
    VANTREL_RESERVED_SLOT(15)
    // A value of the player's own; its meaning is the player's.
    virtual std::int64_t getValue64() = 0;  // 16
};

// "com.zorv.playback.interface.AdvancedPlayback": nothing is called on it;
// the plug-in that serves it also gives BasicPlayback.
class AdvancedPlayback {
public:
    virtual ~AdvancedPlayback() {}
};

// "com.zorv.playback.interface.BasicPlayback": what is being played. Every
// String and List handed in was made by the caller; the player fills it
// through that container's own allocator. Status results are the player's.
class BasicPlayback {
public:
    virtual ~BasicPlayback() {}  // 1
    VANTREL_RESERVED_SLOT(2)
    VANTREL_RESERVED_SLOT(3)
    VANTREL_RESERVED_SLOT(4)
    VANTREL_RESERVED_SLOT(5)
    VANTREL_RESERVED_SLOT(6)
    VANTREL_RESERVED_SLOT(7)
    VANTREL_RESERVED_SLOT(8)
    VANTREL_RESERVED_SLOT(9)
    VANTREL_RESERVED_SLOT(10)
    VANTREL_RESERVED_SLOT(11)
    VANTREL_RESERVED_SLOT(12)
    VANTREL_RESERVED_SLOT(13)
    VANTREL_RESERVED_SLOT(14)
    VANTREL_RESERVED_SLOT(15)
    VANTREL_RESERVED_SLOT(16)
    VANTREL_RESERVED_SLOT(17)
    VANTREL_RESERVED_SLOT(18)
    VANTREL_RESERVED_SLOT(19)
    VANTREL_RESERVED_SLOT(20)
    VANTREL_RESERVED_SLOT(21)
    VANTREL_RESERVED_SLOT(22)
    VANTREL_RESERVED_SLOT(23)
    VANTREL_RESERVED_SLOT(24)
    VANTREL_RESERVED_SLOT(25)
    VANTREL_RESERVED_SLOT(26)
    VANTREL_RESERVED_SLOT(27)
    VANTREL_RESERVED_SLOT(28)
    VANTREL_RESERVED_SLOT(29)
    VANTREL_RESERVED_SLOT(30)
    VANTREL_RESERVED_SLOT(31)
    VANTREL_RESERVED_SLOT(32)
    VANTREL_RESERVED_SLOT(33)
    VANTREL_RESERVED_SLOT(34)
    VANTREL_RESERVED_SLOT(35)
    VANTREL_RESERVED_SLOT(36)
    VANTREL_RESERVED_SLOT(37)
    VANTREL_RESERVED_SLOT(38)
    VANTREL_RESERVED_SLOT(39)
    VANTREL_RESERVED_SLOT(40)
    VANTREL_RESERVED_SLOT(41)
    VANTREL_RESERVED_SLOT(42)
    VANTREL_RESERVED_SLOT(43)
    VANTREL_RESERVED_SLOT(44)
    VANTREL_RESERVED_SLOT(45)
    VANTREL_RESERVED_SLOT(46)
    VANTREL_RESERVED_SLOT(47)
    VANTREL_RESERVED_SLOT(48)
    VANTREL_RESERVED_SLOT(49)
    VANTREL_RESERVED_SLOT(50)
    VANTREL_RESERVED_SLOT(51)
    VANTREL_RESERVED_SLOT(52)
    VANTREL_RESERVED_SLOT(53)
    VANTREL_RESERVED_SLOT(54)
    VANTREL_RESERVED_SLOT(55)
    VANTREL_RESERVED_SLOT(56)
    VANTREL_RESERVED_SLOT(57)
    // Appends the id of every stream whose type flags `filter` accepts.
    virtual std::int32_t getStreams(Quarn::StreamTypeFilter* filter,
                                    Quarn::List<std::uint64_t>* out) = 0;  // 58
    VANTREL_RESERVED_SLOT(59)
    virtual std::int32_t getVideoFourCC(std::uint64_t stream, Quarn::String* out) = 0;  // 60
    VANTREL_RESERVED_SLOT(61)
    VANTREL_RESERVED_SLOT(62)
    VANTREL_RESERVED_SLOT(63)
    VANTREL_RESERVED_SLOT(64)
    VANTREL_RESERVED_SLOT(65)
    VANTREL_RESERVED_SLOT(66)
    // The stream's audio format tag; only its low 16 bits count.
    virtual std::uint32_t getAudioFormatTag(std::uint64_t stream) = 0;  // 67
    VANTREL_RESERVED_SLOT(68)
    VANTREL_RESERVED_SLOT(69)
    VANTREL_RESERVED_SLOT(70)
    VANTREL_RESERVED_SLOT(71)
    VANTREL_RESERVED_SLOT(72)
    VANTREL_RESERVED_SLOT(73)
    VANTREL_RESERVED_SLOT(74)
    VANTREL_RESERVED_SLOT(75)
    VANTREL_RESERVED_SLOT(76)
    VANTREL_RESERVED_SLOT(77)
    VANTREL_RESERVED_SLOT(78)
    VANTREL_RESERVED_SLOT(79)
    VANTREL_RESERVED_SLOT(80)
    virtual std::int32_t getVideoRendererName(Quarn::String* out) = 0;                       // 81
    virtual std::int32_t getVideoDecoderName(std::uint64_t stream, Quarn::String* out) = 0;  // 82
    // Replaces whatever `out` holds.
    virtual std::int32_t getAudioRendererName(Quarn::String* out) = 0;                       // 83
    virtual std::int32_t getAudioDecoderName(std::uint64_t stream, Quarn::String* out) = 0;  // 84
};

}  // namespace Vantrel
