// Real media files played by the development host: small files written with
// FFmpeg's encoders when the tests start, probed by the host, shown by the
// built plug-in.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "devhost/player/MediaProbe.h"
#include "devhost/tools/MediaWriter.h"
#include "tests/support/DevhostRun.h"

using devhost::MediaRecipe;

namespace {

QTemporaryDir* fixtures = nullptr;

void makeFixtures();

// Made on first use: each test runs in a process of its own, and most of the
// program's tests need no media.
QString fixture(const char* name) {
    if (fixtures == nullptr) {
        fixtures = new QTemporaryDir;
        makeFixtures();
    }
    return fixtures->filePath(name);
}

void write(const char* name, MediaRecipe recipe) {
    std::string error;
    ASSERT_TRUE(devhost::writeMedia(fixture(name).toStdString(), recipe, error)) << error;
}

// A copy of `source` with every `from` replaced by `to` (same length).
void patch(const char* source, const char* name, const QByteArray& from, const QByteArray& to) {
    QFile in(fixture(source));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    ASSERT_TRUE(bytes.contains(from));
    bytes.replace(from, to);
    QFile out(fixture(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

void truncate(const char* source, const char* name, int size) {
    QFile in(fixture(source));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QFile out(fixture(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(in.read(size));
}

void makeFixtures() {
    using Video = MediaRecipe::Video;
    using Audio = MediaRecipe::Audio;
    write("xvid-mp3.avi", {"avi", Video{"mpeg4", "XVID"}, Audio{"libmp3lame", 44100}});
    write("mpeg4-mp2.mkv", {"matroska", Video{"mpeg4", ""}, Audio{"mp2", 44100}});
    write("mpeg4-aac.mp4", {"mp4", Video{"mpeg4", ""}, Audio{"aac", 44100}});
    write("pcm.wav", {"wav", std::nullopt, Audio{"pcm_s16le", 44100}});
    write("video-only.avi", {"avi", Video{"mpeg4", "XVID"}, std::nullopt});
    patch("xvid-mp3.avi", "unknown-codec.avi", "XVID", "ZZZZ");
    truncate("xvid-mp3.avi", "cut-in-header.avi", 3000);
    truncate("xvid-mp3.avi", "cut-in-data.avi", 15000);
    QFile text(fixture("notes.txt"));
    text.open(QIODevice::WriteOnly);
    text.write("These are notes, not media.\n");
    QFile(fixture("empty.avi")).open(QIODevice::WriteOnly);
}

// Removes the fixtures when the program ends.
struct FixturesRemover {
    ~FixturesRemover() { delete fixtures; }
} remover;

QString rows(const char* videoDecoder, const char* videoFormat, const char* audioDecoder,
             const char* audioFormat) {
    return QString(
               "Video Render: Devhost Video Output\n"
               "Video Decoder: %1\n"
               "Video Format: %2\n"
               "Audio Render: Devhost Audio Output\n"
               "Audio Decoder: %3\n"
               "Audio Format: %4\n")
        .arg(videoDecoder, videoFormat, audioDecoder, audioFormat);
}

struct SourceCase {
    const char* name;
    const char* file;  // in the fixtures; "$" paths are used as they are
    int exitCode;
    QString expected;  // the printed rows, or the one line on stderr
};

class MediaSources : public testing::TestWithParam<SourceCase> {};

}  // namespace

TEST_P(MediaSources, PlayAsTheirStreamsImply) {
    const SourceCase& c = GetParam();
    const QString path = c.file[0] == '$' ? QString(c.file + 1) : fixture(c.file);
    const testsupport::DevhostRun played = testsupport::runDevhost({"--print", path});
    EXPECT_EQ(played.exitCode, c.exitCode) << c.name << ": " << played.errors.toStdString();
    if (c.exitCode == 0) {
        EXPECT_EQ(played.output.toStdString(), c.expected.toStdString()) << c.name;
        EXPECT_EQ(played.errors.toStdString(), "") << c.name;
    } else {
        EXPECT_EQ(played.output.toStdString(), "") << c.name;
        EXPECT_EQ(played.errors.toStdString(),
                  ("devhost: " + path + ": " + c.expected + "\n").toStdString())
            << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, MediaSources,
    testing::Values(
        SourceCase{"AVI, XVID and MP3", "xvid-mp3.avi", 0,
                   rows("MPEG-4 part 2", "XviD Mpeg-4 Video", "MP3 (MPEG audio layer 3)",
                        "MPEG-1 Layer-3 Audio (mp3) (Tag 85)")},
        SourceCase{"Matroska: no RIFF tags, named through the tables", "mpeg4-mp2.mkv", 0,
                   rows("MPEG-4 part 2", "FFMPEG Mpeg-4 Video", "MP2 (MPEG audio layer 2)",
                        "MPEG-1 Layer-2 Audio (mp2) (Tag 80)")},
        SourceCase{"MP4: the container's own printable tag 'mp4v' is not in the table",
                   "mpeg4-aac.mp4", 0,
                   rows("MPEG-4 part 2", "", "AAC (Advanced Audio Coding)",
                        "AAC (Advanced Audio Coding) (Tag 255)")},
        SourceCase{"WAV", "pcm.wav", 0,
                   rows("", "", "PCM signed 16-bit little-endian", "PCM Audio (Tag 1)")},
        SourceCase{"no audio", "video-only.avi", 0,
                   rows("MPEG-4 part 2", "XviD Mpeg-4 Video", "", "")},
        SourceCase{"a codec the media library does not know: nothing to play", "unknown-codec.avi",
                   0,
                   rows("", "", "MP3 (MPEG audio layer 3)", "MPEG-1 Layer-3 Audio (mp3) (Tag 85)")},
        SourceCase{"cut short after its headers", "cut-in-data.avi", 0,
                   rows("MPEG-4 part 2", "XviD Mpeg-4 Video", "MP3 (MPEG audio layer 3)",
                        "MPEG-1 Layer-3 Audio (mp3) (Tag 85)")}));

INSTANTIATE_TEST_SUITE_P(
    BadInput, MediaSources,
    testing::Values(
        SourceCase{"missing", "missing.avi", 2, "no such file"},
        SourceCase{"directory", "$/tmp", 2, "is a directory, not a scenario or media file"},
        SourceCase{"unreadable", "$/proc/self/mem", 2, "cannot be read: Input/output error"},
        SourceCase{"device", "$/dev/zero", 2, "is not a regular file"},
        SourceCase{"not media", "notes.txt", 2, "is not a media file the media library recognises"},
        SourceCase{"empty", "empty.avi", 2, "is empty"},
        SourceCase{"cut short in its headers", "cut-in-header.avi", 2,
                   "looks like AVI (Audio Video Interleaved) but is damaged or cut short: Invalid "
                   "data found when processing input"}));

TEST(MediaProbe, GivesEachStreamItsIdFlagsTagAndDecoder) {
    QString error;
    const auto model = devhost::MediaProbe::probe(fixture("unknown-codec.avi"), error);
    ASSERT_TRUE(model) << error.toStdString();
    ASSERT_EQ(model->streams.size(), 2u);
    const auto& video = model->streams[0];
    EXPECT_EQ(video.id, 0u);
    EXPECT_EQ(video.typeFlags, 0x10u) << "no decoder, so not one the player would play";
    EXPECT_EQ(video.fourCC, "ZZZZ");
    EXPECT_EQ(video.decoderName, "");
    const auto& audio = model->streams[1];
    EXPECT_EQ(audio.id, 1u);
    EXPECT_EQ(audio.typeFlags, 0x21u);
    EXPECT_EQ(audio.formatTag, 0x55u);
    EXPECT_EQ(audio.decoderName, "MP3 (MPEG audio layer 3)");
}
