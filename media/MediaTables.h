#pragma once

#include <array>
#include <cstdint>

namespace Vantrel {

// One audio format: the WAVE format tag and its display name (UTF-8).
struct AudioFormatEntry {
    std::uint16_t tag;
    const char* name;
};

// One video codec: its FourCC as text, spelled as the table spells it, and
// its display name (UTF-8).
struct VideoCodecEntry {
    char fourCC[5];
    const char* name;
};

// The constant tables, in the order the lookups scan them. Keys are unique
// within each table, letter case ignored; names may be shared.
extern const std::array<AudioFormatEntry, 14> kAudioFormatTable;
extern const std::array<VideoCodecEntry, 87> kVideoCodecTable;

}  // namespace Vantrel
