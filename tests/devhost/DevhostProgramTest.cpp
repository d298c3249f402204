// The devhost program run as a user runs it.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/DevhostRun.h"

using testsupport::DevhostRun;
using testsupport::runDevhost;

namespace {

QString writeFile(const QTemporaryDir& directory, const QString& name, const QByteArray& bytes) {
    QFile file(directory.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

const char* const kSampleRows =
    "Video Render: Devhost Video Output\n"
    "Video Decoder: MPEG-4 part 2\n"
    "Video Format: XviD Mpeg-4 Video\n"
    "Audio Render: Devhost Audio Output\n"
    "Audio Decoder: MP3 (MPEG audio layer 3)\n"
    "Audio Format: MPEG-1 Layer-3 Audio (mp3) (Tag 85)\n";

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

TEST(DevhostProgram, PrintsTheRowsOfTheBuiltInSample) {
    const DevhostRun run = runDevhost({"--print"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.output, kSampleRows);
    EXPECT_EQ(run.errors.toStdString(), "") << "nothing but the rows is said";
}

TEST(DevhostProgram, PrintsTheRowsOfAScenarioFile) {
    const DevhostRun run = runDevhost({"--print", FILEINFO_SAMPLE_SCENARIO});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.output, kSampleRows);
}

TEST(DevhostProgram, PrintsTheRowsAsJson) {
    QTemporaryDir directory;
    const QString scenario = writeFile(directory, "stopped.json", R"({
        "player": {"videoRenderer": "V\u00e9", "audioRenderer": "A",
                   "streams": [{"kind": "audio", "formatTag": 57005, "decoder": "d"}]},
        "messages": ["Playback.Playing.New", {"topic": "Playback.Stopped", "player": {"streams": []}}]
    })");
    const DevhostRun run = runDevhost({"--json", scenario});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QJsonObject rows = QJsonDocument::fromJson(run.output.toUtf8()).object();
    EXPECT_EQ(rows.size(), 6);
    EXPECT_EQ(rows["Video Render"].toString(), QString::fromUtf8("V\xC3\xA9"));
    EXPECT_EQ(rows["Audio Render"].toString(), "A");
    for (const char* empty : {"Video Decoder", "Video Format", "Audio Decoder", "Audio Format"}) {
        EXPECT_EQ(rows[empty].toString(), "") << empty;
    }
}

struct BadSource {
    const char* name;
    QByteArray content;  // written to a file unless `path` is given
    const char* path;
    const char* error;
};

class DevhostBadSources : public testing::TestWithParam<BadSource> {};

TEST_P(DevhostBadSources, GiveOneLineAndStatusTwo) {
    const BadSource& c = GetParam();
    QTemporaryDir directory;
    const QString path = c.path != nullptr ? QString(c.path).replace("$DIR", directory.path())
                                           : writeFile(directory, "scenario.json", c.content);
    const DevhostRun run = runDevhost({"--print", path});
    EXPECT_EQ(run.exitCode, 2) << c.name;
    EXPECT_EQ(run.output, "") << c.name;
    EXPECT_EQ(run.errors.toStdString(), ("devhost: " + path + ": " + c.error + "\n").toStdString())
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DevhostBadSources,
    testing::Values(
        BadSource{"missing", {}, "$DIR/missing.json", "no such file"},
        BadSource{"directory", {}, "$DIR", "is a directory, not a scenario or media file"},
        BadSource{"broken JSON", "{ oops", nullptr, "not JSON: unterminated object at byte 3"},
        BadSource{"wrong type", R"({"player": {"streams": [{"kind": 1}]}})", nullptr,
                  "player.streams[0].kind: expected a string"},
        BadSource{"unknown field", R"({"player": {"colour": "red"}})", nullptr,
                  "player.colour: unknown field"}));

TEST(DevhostProgram, ShowsThePluginsTextsInAnInstalledLanguage) {
    const DevhostRun run = runDevhost({"--print", "--lang", "de", FILEINFO_SAMPLE_SCENARIO});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.output.toStdString(),
              "Videoausgabe: Devhost Video Output\n"
              "Videodecoder: MPEG-4 part 2\n"
              "Videoformat: XviD Mpeg-4 Video\n"
              "Audioausgabe: Devhost Audio Output\n"
              "Audiodecoder: MP3 (MPEG audio layer 3)\n"
              "Audioformat: MPEG-1 Layer-3 Audio (mp3) (Kennung 85)\n");

    const DevhostRun unknown = runDevhost({"--print", "--lang", "xx"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.startsWith("devhost: no translation for 'xx' in "))
        << unknown.errors.toStdString();
}
