// The refresh through the built library: a player that records every call,
// and the development host's own player playing scenarios.

#include <algorithm>
#include <memory>

#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/HostSession.h"
#include "devhost/WindowRows.h"
#include "host/PubSubHub.h"
#include "tests/support/AllocationTracker.h"
#include "tests/support/LoadedPlugin.h"
#include "tests/support/RecordedPluginTest.h"
#include "tests/support/RecordingPlayer.h"
#include "tests/support/RefreshScenarios.h"

using devhost::PlayerModel;
using devhost::PlayerStream;
using devhost::WindowRows;
using testsupport::audio;
using testsupport::builtPluginLibrary;
using testsupport::fullModel;
using testsupport::kFullRows;
using testsupport::kNoRows;
using testsupport::RecordingPlayer;
using testsupport::runEventLoopOnce;
using testsupport::ScenarioCase;
using testsupport::video;
using testsupport::windowOf;
namespace Names = Vantrel::InterfaceNames;

namespace {

using RecordedRefresh = testsupport::RecordedPluginTest;

}  // namespace

TEST_F(RecordedRefresh, OneRunCallsThePlayerInItsOrder) {
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    const std::vector<std::string> expected = {
        "getValue64()",
        "queryInterface(BasicPlayback)",
        "getVideoRendererName(empty)",
        "getStreams(empty list)",
        "getVideoFourCC(7, empty)",
        "getVideoDecoderName(7, empty)",
        "getAudioRendererName(holding 'VR')",
        "getStreams(empty list)",
        "getAudioFormatTag(9)",
        "getAudioDecoderName(9, empty)",
    };
    EXPECT_EQ(player->calls, expected);
    EXPECT_EQ(rows(), kFullRows);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(RecordedRefresh, RowsAreEmptiedAfterPlaybackServicesAndBeforeTheQuestions) {
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    std::vector<QStringList> seen;
    player->onCall = [&](const std::string&) { seen.push_back(rows()); };
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], kFullRows) << "at getValue64 the earlier run's rows still stand";
    EXPECT_EQ(seen[1], kNoRows) << "by the BasicPlayback query every row is empty";
}

TEST_F(RecordedRefresh, TheFiltersAskForRequiredBitWithVideoThenAudio) {
    std::vector<std::vector<std::uint32_t>> accepted;
    player->model.streams.clear();
    for (std::uint32_t flags : {0x01u, 0x10u, 0x11u, 0x20u, 0x21u, 0x31u, 0x30u}) {
        player->model.streams.push_back({flags, flags, "", 0, ""});
    }
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    // The first stream each filter accepted was described.
    const auto& calls = player->calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "getVideoFourCC(17, empty)"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "getAudioFormatTag(33)"), calls.end());
}

TEST_F(RecordedRefresh, MissingStreamsSkipTheirQuestions) {
    player->model.streams = {audio(9, 85, "AD9")};
    Vantrel::PubSubHub::publish("Playback.Stopped");
    EXPECT_EQ(player->calls, (std::vector<std::string>{
                                 "getValue64()", "queryInterface(BasicPlayback)",
                                 "getVideoRendererName(empty)", "getStreams(empty list)",
                                 "getAudioRendererName(holding 'VR')", "getStreams(empty list)",
                                 "getAudioFormatTag(9)", "getAudioDecoderName(9, empty)"}));

    player->calls.clear();
    player->model.streams = {video(7, "XVID", "VD7")};
    Vantrel::PubSubHub::publish("Playback.Closed");
    EXPECT_EQ(player->calls, (std::vector<std::string>{
                                 "getValue64()", "queryInterface(BasicPlayback)",
                                 "getVideoRendererName(empty)", "getStreams(empty list)",
                                 "getVideoFourCC(7, empty)", "getVideoDecoderName(7, empty)",
                                 "getAudioRendererName(holding 'VR')", "getStreams(empty list)"}));
    EXPECT_EQ(rows(), QStringList({"VR", "VD7", "XviD Mpeg-4 Video", "AR", "", ""}));
}

TEST_F(RecordedRefresh, TheAudioListIsClearedBeforeTheVideoList) {
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    const auto& calls = player->nodes.calls;
    using Call = testsupport::CountingAllocator<Quarn::Node<std::uint64_t>>::Call;
    // Two video nodes were made first, then one audio node.
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[3].kind, Call::Deallocate);
    EXPECT_EQ(calls[3].block, calls[2].block) << "the audio node goes back first";
    EXPECT_EQ(calls[4].block, calls[0].block);
    EXPECT_EQ(calls[5].block, calls[1].block);
}

TEST_F(RecordedRefresh, AllThreeMessagesRunTheRefresh) {
    for (const char* topic : {"Playback.Playing.New", "Playback.Stopped", "Playback.Closed"}) {
        window->hide();
        player->calls.clear();
        Vantrel::PubSubHub::publish(topic);
        EXPECT_EQ(player->calls.size(), 10u) << topic;
        EXPECT_TRUE(window->isVisible()) << topic;
    }
}

TEST_F(RecordedRefresh, AfterTheWindowGaveItsHandlesBackAMessageOnlyEmptiesTheRows) {
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    window->close();
    runEventLoopOnce();
    ASSERT_EQ(player->getRefCount(), 1);  // both handles given back
    player->calls.clear();

    Vantrel::PubSubHub::publish("Playback.Stopped");
    EXPECT_TRUE(player->calls.empty());
    EXPECT_EQ(rows(), kNoRows);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(RecordedRefresh, WithoutBasicPlaybackEveryRowIsEmptiedAndTheWindowComesUp) {
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    ASSERT_EQ(rows(), kFullRows);
    player->model.basicPlayback = false;
    window->hide();
    player->calls.clear();
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    EXPECT_EQ(player->calls,
              (std::vector<std::string>{"getValue64()", "queryInterface(BasicPlayback)"}));
    EXPECT_EQ(rows(), kNoRows);
    EXPECT_TRUE(window->isVisible());
}

// Each allocation made during a run fails in turn: the strings and list nodes
// the host's player fills through the plug-in's allocators (the player's code
// calls them, so the host program's allocations are watched as well as the
// plug-in's), and the plug-in's own copies.
TEST(RefreshUnderAllocationFailure, EndsTheRunWithNothingLeftBehind) {
    devhost::HostSession session(FILEINFO_PLUGIN_PATH);
    ASSERT_TRUE(session.start()) << session.errorString();
    session.playerModel() = fullModel();
    QWidget* window = session.window();
    const void* pluginCode = reinterpret_cast<const void*>(builtPluginLibrary().entry());

    // The order in which a run writes rows: a failed run keeps a prefix.
    const int writeOrder[] = {0, 2, 1, 3, 5, 4};
    std::size_t failures = 0;
    for (std::size_t successes = 0;; ++successes) {
        window->hide();
        bool failed = false;
        std::size_t leftBehind = 0;
        {
            testsupport::AllocationTracker tracker;
            tracker.watchModule(reinterpret_cast<const void*>(&fullModel));
            tracker.failAfterIn(successes, pluginCode);
            session.publish("Playback.Playing.New");
            failed = tracker.failed();
            leftBehind = tracker.liveModuleBlocks();
        }
        EXPECT_EQ(leftBehind, 0u) << "failing allocation " << successes;
        EXPECT_EQ(session.player()->getRefCount(), 3) << "failing allocation " << successes;
        const QStringList written = WindowRows::of(window).valueTexts();
        if (!failed) {
            EXPECT_EQ(written, kFullRows);
            EXPECT_TRUE(window->isVisible());
            break;
        }
        ++failures;
        EXPECT_FALSE(window->isVisible()) << "failing allocation " << successes;
        bool stillWriting = true;
        for (int row : writeOrder) {
            if (written[row].isEmpty()) {
                stillWriting = false;
            } else {
                EXPECT_TRUE(stillWriting) << "row " << row << " written after a failure";
                EXPECT_EQ(written[row], kFullRows[row]) << "failing allocation " << successes;
            }
        }
    }
    // Renderer, FourCC and its copy, two decoders, the audio renderer, the
    // video and audio list nodes.
    EXPECT_GE(failures, 8u);
    EXPECT_TRUE(session.stop()) << session.errorString();
}

namespace {

// The development host's own player, playing one scenario through the
// built library.
class ScenarioRows : public testing::TestWithParam<ScenarioCase> {};

}  // namespace

TEST_P(ScenarioRows, ShowWhatThePlayerAnswers) {
    const ScenarioCase& c = GetParam();
    devhost::HostSession session(FILEINFO_PLUGIN_PATH);
    ASSERT_TRUE(session.start()) << session.errorString();
    // An earlier run filled every row; the scenario's run replaces them all.
    session.playerModel() = fullModel();
    session.publish("Playback.Playing.New");
    session.window()->hide();

    session.playerModel() = c.model;
    EXPECT_EQ(session.publish(c.topic), 1);
    EXPECT_EQ(WindowRows::of(session.window()).valueTexts(), c.rows) << c.name;
    EXPECT_TRUE(session.window()->isVisible()) << c.name;
    EXPECT_TRUE(session.stop()) << session.errorString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ScenarioRows, testing::ValuesIn(testsupport::refreshScenarios()));
