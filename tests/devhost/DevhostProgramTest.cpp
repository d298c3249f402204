// The devhost program run as a user runs it.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct DevhostRun {
    int exitCode;
    QString errors;
};

DevhostRun runDevhost(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(FILEINFO_DEVHOST_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(DevhostProgram, ScreenshotWritesThePluginsWindow) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString file = directory.filePath("window.png");

    const DevhostRun run = runDevhost({"--screenshot", file});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();

    QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 50);
    EXPECT_GT(image.height(), 50);
    // Text and boxes were drawn: the picture is not one flat colour.
    const QRgb background = image.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            drawn += image.pixel(x, y) != background ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 100);
}

TEST(DevhostProgram, ReportsALibraryItCannotLoad) {
    QTemporaryDir directory;
    const DevhostRun run = runDevhost({"--library", "/nonexistent/libNothing.so", "--screenshot",
                                       directory.filePath("never.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("'/nonexistent/libNothing.so' does not exist"))
        << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(directory.filePath("never.png")));
}

TEST(DevhostProgram, ReportsAScreenshotItCannotWrite) {
    const DevhostRun run = runDevhost({"--screenshot", "/nonexistent/dir/window.png"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains("cannot write the screenshot")) << run.errors.toStdString();
}
