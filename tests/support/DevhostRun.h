#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// One run of the built devhost program, as a user runs it.
struct DevhostRun {
    int exitCode;  // -1 when it did not end normally
    QString output;
    QString errors;
};

inline DevhostRun runDevhost(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(FILEINFO_DEVHOST_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace testsupport
