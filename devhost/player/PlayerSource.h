#pragma once

#include <optional>

#include <QString>

#include "devhost/player/Scenario.h"

namespace devhost {

// What the host plays: a scenario file, or a media file that becomes a
// scenario of its own (the probed streams, then "Playback.Playing.New").
// The two are told apart by content: a file whose first non-blank byte opens
// a JSON object or array is a scenario; anything else is media.
std::optional<Scenario> loadPlayerSource(const QString& path, QString& error);

// Whether this build can play media files.
bool canPlayMedia();

}  // namespace devhost
