#include "devhost/player/PlayerSource.h"

#include <QFile>

#include "devhost/player/SourceFile.h"

#ifdef FILEINFO_WITH_FFMPEG
#include "devhost/player/MediaProbe.h"
#endif

namespace devhost {

namespace {

bool looksLikeJson(const QByteArray& start) {
    int i = start.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < start.size() &&
           (start[i] == ' ' || start[i] == '\t' || start[i] == '\r' || start[i] == '\n')) {
        ++i;
    }
    return i < start.size() && (start[i] == '{' || start[i] == '[');
}

}  // namespace

bool canPlayMedia() {
#ifdef FILEINFO_WITH_FFMPEG
    return true;
#else
    return false;
#endif
}

std::optional<Scenario> loadPlayerSource(const QString& path, QString& error) {
    error = sourceFileProblem(path, "scenario or media file");
    if (!error.isEmpty()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot be read: " + file.errorString();
        return std::nullopt;
    }
    const QByteArray start = file.read(64);
    if (start.isEmpty() && file.error() != QFileDevice::NoError) {
        error = "cannot be read: " + file.errorString();
        return std::nullopt;
    }
    file.close();

    if (looksLikeJson(start) || !canPlayMedia()) {
        return Scenario::fromFile(path, error);
    }
#ifdef FILEINFO_WITH_FFMPEG
    std::optional<PlayerModel> model = MediaProbe::probe(path, error);
    if (!model) {
        return std::nullopt;
    }
    Scenario scenario;
    scenario.player = std::move(*model);
    scenario.messages.push_back({"Playback.Playing.New", {}});
    return scenario;
#else
    return std::nullopt;
#endif
}

}  // namespace devhost
