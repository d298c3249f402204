#pragma once

#include <cstdint>
#include <string>

#include "framework/String.h"
#include "media/MediaTables.h"

namespace Vantrel {

// Turns what the player reports about a stream into a display name: an audio
// format tag through the audio format table, a video FourCC through the video
// codec table. Neither lookup falls back to the "Unknown" entries.
class MediaNameTable {
public:
    // The shared instance, made on the first call. It holds no data, so it
    // needs no destruction and every instance answers alike.
    static MediaNameTable* instance();

    // The first entry whose tag equals the low 16 bits of `tag`, or null.
    const AudioFormatEntry* findAudioFormat(std::uint32_t tag) const;

    // The first entry whose FourCC equals the text of `fourCC` (its bytes up
    // to the first NUL), ASCII letter case ignored, or null. The string is
    // the caller's copy; it is freed through its own allocator before the
    // lookup returns, and it is the only heap memory the lookup touches.
    const VideoCodecEntry* findVideoCodec(Quarn::String fourCC) const;

    // `text` with every ASCII capital A to Z made small; all other bytes,
    // those from 0x80 up included, unchanged.
    static std::string toLowerAscii(const std::string& text);
};

}  // namespace Vantrel
