#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace devhost {

// Writes small real media files with FFmpeg's encoders and muxers: a second
// of a 64x48 picture and of a quiet tone. The host's built-in sample and the
// tests' fixtures are made this way.
struct MediaRecipe {
    struct Video {
        std::string encoder = "mpeg4";
        // The container tag to store ("XVID"); empty: the muxer's own
        // choice, or none for containers without RIFF tags.
        std::string fourCC;
    };
    struct Audio {
        std::string encoder = "mp2";
        int sampleRate = 44100;
    };

    std::string container;  // a muxer name: "avi", "wav", "matroska", "mp4"
    std::optional<Video> video;
    std::optional<Audio> audio;
};

// False with `error` set when FFmpeg refuses any step.
bool writeMedia(const std::string& path, const MediaRecipe& recipe, std::string& error);

}  // namespace devhost
