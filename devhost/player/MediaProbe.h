#pragma once

#include <optional>

#include <QString>

#include "devhost/player/PlayerModel.h"

namespace devhost {

// What the player would report for a real media file, as read by the
// toolkit-independent media library (FFmpeg's libavformat): one stream of
// the model for each video and audio stream of the file, in file order.
//
// Type flags: 0x01 on a stream the player can play (its codec has a
// decoder), plus 0x10 for video and 0x20 for audio. A video stream's FourCC
// is the container's own tag where it is a printable four-character code,
// otherwise the RIFF FourCC the library's tables give for the codec; an
// audio stream's format tag is the container's WAVE tag where there is one,
// otherwise the table's. Decoder names are the decoders' long names.
class MediaProbe {
public:
    // The model, or nothing with `error` set to one line saying why.
    static std::optional<PlayerModel> probe(const QString& path, QString& error);

    // The renderer names the development host reports for media files.
    static const char* const kVideoRenderer;
    static const char* const kAudioRenderer;
};

}  // namespace devhost
