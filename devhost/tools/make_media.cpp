// Writes one of the development host's small media files:
//
//   make_media avi-xvid-mp3 FILE   an AVI: mpeg4 video tagged XVID, MP3 audio
//                                   (the host's built-in sample)
//   make_media wav FILE            a WAV of 16-bit PCM
//   make_media mkv FILE            a Matroska file (mpeg4 and MP2, no RIFF tags)

#include <cstdio>
#include <cstring>
#include <string>

#include "devhost/tools/MediaWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_media avi-xvid-mp3|wav|mkv FILE\n");
        return 2;
    }
    const std::string kind = argv[1];
    devhost::MediaRecipe recipe;
    if (kind == "avi-xvid-mp3") {
        recipe.container = "avi";
        recipe.video = devhost::MediaRecipe::Video{"mpeg4", "XVID"};
        recipe.audio = devhost::MediaRecipe::Audio{"libmp3lame", 44100};
    } else if (kind == "wav") {
        recipe.container = "wav";
        recipe.audio = devhost::MediaRecipe::Audio{"pcm_s16le", 44100};
    } else if (kind == "mkv") {
        recipe.container = "matroska";
        recipe.video = devhost::MediaRecipe::Video{"mpeg4", ""};
        recipe.audio = devhost::MediaRecipe::Audio{"mp2", 44100};
    } else {
        std::fprintf(stderr, "make_media: unknown kind '%s'\n", argv[1]);
        return 2;
    }
    std::string error;
    if (!devhost::writeMedia(argv[2], recipe, error)) {
        std::fprintf(stderr, "make_media: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
