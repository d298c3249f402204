#pragma once

// The refresh cases the tests play: what the player answers, the message,
// and the six rows the window must show afterwards.

#include <cstdint>
#include <string>
#include <vector>

#include <QStringList>

#include "devhost/player/PlayerModel.h"

namespace testsupport {

using devhost::PlayerModel;
using devhost::PlayerStream;

inline PlayerStream video(std::uint64_t id, const char* fourCC, const char* decoder) {
    return {id, 0x11, fourCC, 0, decoder};
}

inline PlayerStream audio(std::uint64_t id, std::uint32_t tag, const char* decoder) {
    return {id, 0x21, "", tag, decoder};
}

inline PlayerModel fullModel() {
    PlayerModel model;
    model.videoRendererName = "VR";
    model.audioRendererName = "AR";
    model.streams = {video(7, "XVID", "VD7"), video(8, "MJPG", "VD8"), audio(9, 85, "AD9")};
    return model;
}

inline const QStringList kNoRows = {"", "", "", "", "", ""};
inline const QStringList kFullRows = {"VR", "VD7", "XviD Mpeg-4 Video",
                                      "AR", "AD9", "MPEG-1 Layer-3 Audio (mp3) (Tag 85)"};

struct ScenarioCase {
    const char* name;
    PlayerModel model;
    const char* topic;
    QStringList rows;
};

inline PlayerModel withStreams(std::vector<PlayerStream> streams, std::string videoRenderer = "VR",
                               std::string audioRenderer = "AR") {
    PlayerModel model;
    model.videoRendererName = std::move(videoRenderer);
    model.audioRendererName = std::move(audioRenderer);
    model.streams = std::move(streams);
    return model;
}

inline PlayerModel withoutBasicPlayback() {
    PlayerModel model = fullModel();
    model.basicPlayback = false;
    return model;
}

inline std::vector<ScenarioCase> refreshScenarios() {
    return {
        ScenarioCase{"no BasicPlayback", withoutBasicPlayback(), "Playback.Playing.New", kNoRows},
        ScenarioCase{"stopped, no streams",
                     withStreams({}),
                     "Playback.Stopped",
                     {"VR", "", "", "AR", "", ""}},
        ScenarioCase{"two video streams",
                     withStreams({video(3, "DIVX", "first"), video(4, "XVID", "second")}),
                     "Playback.Playing.New",
                     {"VR", "first", "", "AR", "", ""}},
        ScenarioCase{"xvid",
                     withStreams({video(1, "xvid", "d")}),
                     "Playback.Playing.New",
                     {"VR", "d", "XviD Mpeg-4 Video", "AR", "", ""}},
        ScenarioCase{"xViD",
                     withStreams({video(1, "xViD", "d")}),
                     "Playback.Playing.New",
                     {"VR", "d", "XviD Mpeg-4 Video", "AR", "", ""}},
        ScenarioCase{"XVID and a blank",
                     withStreams({video(1, "XVID ", "d")}),
                     "Playback.Playing.New",
                     {"VR", "d", "", "AR", "", ""}},
        ScenarioCase{"RLE and a blank",
                     withStreams({video(1, "RLE ", "d")}),
                     "Playback.Playing.New",
                     {"VR", "d", "RLE Video", "AR", "", ""}},
        ScenarioCase{"RLE alone",
                     withStreams({video(1, "RLE", "d")}),
                     "Playback.Playing.New",
                     {"VR", "d", "", "AR", "", ""}},
        ScenarioCase{"tag 85",
                     withStreams({audio(2, 85, "a")}),
                     "Playback.Playing.New",
                     {"VR", "", "", "AR", "a", "MPEG-1 Layer-3 Audio (mp3) (Tag 85)"}},
        ScenarioCase{"tag 65621",
                     withStreams({audio(2, 65621, "a")}),
                     "Playback.Playing.New",
                     {"VR", "", "", "AR", "a", "MPEG-1 Layer-3 Audio (mp3) (Tag 85)"}},
        ScenarioCase{"tag 4660",
                     withStreams({audio(2, 4660, "a")}),
                     "Playback.Playing.New",
                     {"VR", "", "", "AR", "a", ""}},
        ScenarioCase{"tag 57005",
                     withStreams({audio(2, 57005, "a")}),
                     "Playback.Playing.New",
                     {"VR", "", "", "AR", "a", "Unknown Audio (Tag 57005)"}},
        ScenarioCase{
            "UTF-8 renderer",
            withStreams({}, "Vid\xC3\xA9o \xE2\x86\x92 \xE6\x98\xA0"),
            "Playback.Playing.New",
            {QString::fromUtf8("Vid\xC3\xA9o \xE2\x86\x92 \xE6\x98\xA0"), "", "", "AR", "", ""}},
        ScenarioCase{"NUL inside a name",
                     withStreams({}, std::string("abc\0def", 7)),
                     "Playback.Playing.New",
                     {"abc", "", "", "AR", "", ""}},
        ScenarioCase{"empty audio renderer after a video renderer",
                     withStreams({}, "VR", ""),
                     "Playback.Closed",
                     {"VR", "", "", "", "", ""}}};
}

}  // namespace testsupport
