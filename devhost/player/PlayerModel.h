#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace devhost {

// One stream of what the development host's player plays.
struct PlayerStream {
    std::uint64_t id = 0;
    // The stream type flags the player reports: 0x01 with 0x10 for video,
    // 0x01 with 0x20 for audio, in this host's convention.
    std::uint32_t typeFlags = 0;
    std::string fourCC;           // video streams: the codec's FourCC as text
    std::uint32_t formatTag = 0;  // audio streams: the WAVE format tag
    std::string decoderName;      // UTF-8
};

// What the player answers when asked what is being played. Empty: nothing
// is playing.
struct PlayerModel {
    std::string videoRendererName;  // UTF-8
    std::string audioRendererName;  // UTF-8
    std::vector<PlayerStream> streams;
    // Whether the plug-in serving AdvancedPlayback also gives BasicPlayback.
    bool basicPlayback = true;
};

}  // namespace devhost
