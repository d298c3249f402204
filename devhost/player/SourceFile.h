#pragma once

#include <QFileInfo>
#include <QString>

namespace devhost {

// Why `path` cannot be read as a `kind` ("media file", "scenario file"), or
// an empty text when it can be opened: it must exist and be a regular file.
// Devices and pipes are refused, since reading one could block or never end.
inline QString sourceFileProblem(const QString& path, const QString& kind) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return "no such file";
    }
    if (info.isDir()) {
        return "is a directory, not a " + kind;
    }
    if (!info.isFile()) {
        return "is not a regular file";
    }
    return QString();
}

}  // namespace devhost
