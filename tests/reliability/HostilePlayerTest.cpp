// Players that answer what no sane player would, through the built library.
// Each case ends with a consistent window, no crash, no hang, every block
// freed through the allocator it came from, and counts in balance.

#include <string>

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/WindowRows.h"
#include "host/PubSubHub.h"
#include "tests/support/LoadedPlugin.h"
#include "tests/support/RecordedPluginTest.h"
#include "tests/support/RecordingPlayer.h"
#include "tests/support/RefreshScenarios.h"

using devhost::PlayerStream;
using testsupport::RecordingPlayer;
namespace Names = Vantrel::InterfaceNames;

using HostilePlayer = testsupport::RecordedPluginTest;

TEST_F(HostilePlayer, AHundredThousandStreams) {
    player->model.streams.clear();
    for (std::uint64_t id = 0; id < 100000; ++id) {
        player->model.streams.push_back(id % 2 == 0 ? testsupport::audio(id, 85, "many")
                                                    : testsupport::video(id, "XVID", "many"));
    }
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    EXPECT_EQ(rows(), QStringList({"VR", "many", "XviD Mpeg-4 Video", "AR", "many",
                                   "MPEG-1 Layer-3 Audio (mp3) (Tag 85)"}));
    EXPECT_EQ(player->nodes.allocations(), 100000u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(HostilePlayer, NamesOfAMegabyte) {
    const std::string huge(1 << 20, 'x');
    player->model.videoRendererName = huge;
    player->model.streams = {testsupport::video(1, "XVID", huge.c_str())};
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    const QStringList shown = rows();
    EXPECT_EQ(shown[0].size(), 1 << 20);
    EXPECT_EQ(shown[1].size(), 1 << 20);
    EXPECT_EQ(shown[2], "XviD Mpeg-4 Video");
    EXPECT_TRUE(window->isVisible());

    // And back to ordinary names: the window shrinks to them again.
    player->model = testsupport::fullModel();
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    EXPECT_EQ(rows(), testsupport::kFullRows);
    window->layout()->activate();
    EXPECT_LT(window->width(), 2000);
}

TEST_F(HostilePlayer, BytesThatAreNotUtf8) {
    player->model.videoRendererName = "\xFF\xFE renderer \xC3";
    player->model.streams = {testsupport::video(1, "\xC9\x80\xFF\x01", "dec\xE2\x82oder")};
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    const QStringList shown = rows();
    EXPECT_TRUE(shown[0].contains(" renderer "));
    EXPECT_TRUE(shown[0].contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(shown[1].startsWith("dec"));
    EXPECT_TRUE(shown[1].endsWith("oder"));
    EXPECT_EQ(shown[2], "") << "no codec has such a FourCC";
}

TEST_F(HostilePlayer, AListWhoseCountSaysMoreThanItsChain) {
    player->overstateCount = 1000;
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    // Only the head is read, and clearing follows the chain, not the count.
    EXPECT_EQ(rows(), testsupport::kFullRows);
}

TEST_F(HostilePlayer, APlayerPublishingFromInsideTheRefresh) {
    int published = 0;
    player->onCall = [&](const std::string& call) {
        if (call == "getVideoRendererName(empty)" && published < 2) {
            // Twice inside the first run: the two coalesce into one more run.
            ++published;
            Vantrel::PubSubHub::publish("Playback.Stopped");
            Vantrel::PubSubHub::publish("Playback.Closed");
        }
    };
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    // The run in progress finished undisturbed; the message it received
    // queued one more run rather than nesting one.
    EXPECT_EQ(runs(), 1);
    EXPECT_EQ(rows(), testsupport::kFullRows);
    EXPECT_EQ(player->calls.size(), 10u);

    QApplication::processEvents();
    EXPECT_EQ(runs(), 2);
    EXPECT_EQ(rows(), testsupport::kFullRows);
}

TEST_F(HostilePlayer, APlayerPublishingInEveryRunDoesNotHangTheHost) {
    player->onCall = [](const std::string& call) {
        if (call == "getAudioRendererName(holding 'VR')") {
            Vantrel::PubSubHub::publish("Playback.Closed");
        }
    };
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    // Each pass of the event loop runs one refresh, which queues the next:
    // the host keeps control.
    for (int pass = 0; pass < 5; ++pass) {
        QApplication::processEvents();
    }
    EXPECT_GE(runs(), 2);
    EXPECT_LE(runs(), 7);
    EXPECT_EQ(rows(), testsupport::kFullRows);
}

TEST_F(HostilePlayer, BasicPlaybackComingAndGoing) {
    for (int message = 0; message < 6; ++message) {
        player->model.basicPlayback = message % 2 == 0;
        Vantrel::PubSubHub::publish("Playback.Playing.New");
        EXPECT_EQ(rows(), message % 2 == 0 ? testsupport::kFullRows : testsupport::kNoRows)
            << "message " << message;
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(player->getRefCount(), 3);
    }
}
