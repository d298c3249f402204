#include "devhost/player/Scenario.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using devhost::Scenario;

TEST(Scenario, ReadsThePlayerAndTheMessagesInOrder) {
    QString error;
    const auto scenario = Scenario::fromJson(R"({
        "player": {
            "videoRenderer": "VR", "audioRenderer": "AR",
            "streams": [
                {"id": 7, "kind": "video", "fourCC": "XVID", "decoder": "vd"},
                {"kind": "audio", "formatTag": 65621, "decoder": "ad"},
                {"id": 9007199254740992, "flags": 49}
            ]
        },
        "messages": [
            "Playback.Playing.New",
            {"topic": "Playback.Stopped", "player": {"streams": [], "basicPlayback": false}}
        ]
    })",
                                             error);
    ASSERT_TRUE(scenario) << error.toStdString();
    EXPECT_EQ(scenario->player.videoRendererName, "VR");
    EXPECT_EQ(scenario->player.audioRendererName, "AR");
    ASSERT_EQ(scenario->player.streams.size(), 3u);
    const auto& streams = scenario->player.streams;
    EXPECT_EQ(streams[0].id, 7u);
    EXPECT_EQ(streams[0].typeFlags, 0x11u);
    EXPECT_EQ(streams[0].fourCC, "XVID");
    EXPECT_EQ(streams[0].decoderName, "vd");
    EXPECT_EQ(streams[1].id, 2u);  // its position, counted from 1
    EXPECT_EQ(streams[1].typeFlags, 0x21u);
    EXPECT_EQ(streams[1].formatTag, 65621u);
    EXPECT_EQ(streams[2].id, 9007199254740992u);
    EXPECT_EQ(streams[2].typeFlags, 49u);

    ASSERT_EQ(scenario->messages.size(), 2u);
    EXPECT_EQ(scenario->messages[0].topic, "Playback.Playing.New");
    EXPECT_EQ(scenario->messages[1].topic, "Playback.Stopped");

    devhost::PlayerModel model = scenario->player;
    scenario->messages[1].change.applyTo(model);
    EXPECT_TRUE(model.streams.empty());
    EXPECT_FALSE(model.basicPlayback);
    EXPECT_EQ(model.videoRendererName, "VR") << "fields a message does not name stay";
}

TEST(Scenario, KeepsANulInsideAName) {
    QString error;
    const auto scenario =
        Scenario::fromJson(R"({"player": {"videoRenderer": "abc\u0000def"}})", error);
    ASSERT_TRUE(scenario) << error.toStdString();
    EXPECT_EQ(scenario->player.videoRendererName, std::string("abc\0def", 7));
}

TEST(Scenario, WithoutMessagesPlaybackStarts) {
    QString error;
    const auto scenario = Scenario::fromJson("{}", error);
    ASSERT_TRUE(scenario);
    ASSERT_EQ(scenario->messages.size(), 1u);
    EXPECT_EQ(scenario->messages[0].topic, "Playback.Playing.New");
    EXPECT_TRUE(Scenario::fromJson(R"({"messages": []})", error)->messages.empty());
}

struct BadScenario {
    const char* json;
    const char* error;
};

class ScenarioErrors : public testing::TestWithParam<BadScenario> {};

TEST_P(ScenarioErrors, NameTheProblemAndWhereItIs) {
    QString error;
    EXPECT_FALSE(Scenario::fromJson(GetParam().json, error)) << GetParam().json;
    EXPECT_EQ(error.toStdString(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScenarioErrors,
    testing::Values(
        BadScenario{"", "not JSON: illegal value at byte 0"},
        BadScenario{"{\"player\": ", "not JSON: unterminated object at byte 11"},
        BadScenario{"[1, 2]", "top level: expected an object"},
        BadScenario{R"({"plyer": {}})", "plyer: unknown field"},
        // Found by fuzzing: a field name starting with NUL once gave an empty
        // error; control characters are now shown escaped.
        BadScenario{R"({"\u0000bad\u0001": 1})", "\\u0000bad\\u0001: unknown field"},
        BadScenario{R"({"player": {"\nx": 1}})", "player.\\u000ax: unknown field"},
        BadScenario{R"({"player": []})", "player: expected an object"},
        BadScenario{R"({"player": {"videoRenderer": 3}})",
                    "player.videoRenderer: expected a string"},
        BadScenario{R"({"player": {"basicPlayback": "no"}})",
                    "player.basicPlayback: expected true or false"},
        BadScenario{R"({"player": {"streams": {}}})", "player.streams: expected an array"},
        BadScenario{R"({"player": {"streams": [{"id": 1}]}})",
                    "player.streams[0]: needs \"kind\" or \"flags\""},
        BadScenario{R"({"player": {"streams": [{"kind": "subtitle"}]}})",
                    "player.streams[0].kind: expected \"video\" or \"audio\""},
        BadScenario{R"({"player": {"streams": [{"kind": "audio", "formatTag": -1}]}})",
                    "player.streams[0].formatTag: expected a whole number from 0 to 4294967295"},
        BadScenario{R"({"player": {"streams": [{"kind": "audio", "formatTag": 1.5}]}})",
                    "player.streams[0].formatTag: expected a whole number from 0 to 4294967295"},
        BadScenario{R"({"player": {"streams": [{"flags": 4294967296}]}})",
                    "player.streams[0].flags: expected a whole number from 0 to 4294967295"},
        BadScenario{R"({"player": {"streams": [{"kind": "video", "codec": "x"}]}})",
                    "player.streams[0].codec: unknown field"},
        BadScenario{R"({"messages": "Playback.Stopped"})", "messages: expected an array"},
        BadScenario{R"({"messages": [3]})", "messages[0]: expected an object"},
        BadScenario{R"({"messages": [""]})", "messages[0]: the topic is empty"},
        BadScenario{R"({"messages": [{"player": {}}]})", "messages[0]: needs a \"topic\""},
        BadScenario{R"({"messages": [{"topic": "T", "player": {"streams": [{"id": "1"}]}}]})",
                    "messages[0].player.streams[0].id: expected a whole number from 0 to "
                    "9007199254740992"}));

TEST(Scenario, FilesThatCannotBeReadAreNamedForWhatTheyAre) {
    QTemporaryDir directory;
    QString error;
    EXPECT_FALSE(Scenario::fromFile(directory.filePath("missing.json"), error));
    EXPECT_EQ(error, "no such file");
    EXPECT_FALSE(Scenario::fromFile(directory.path(), error));
    EXPECT_EQ(error, "is a directory, not a scenario file");
    EXPECT_FALSE(Scenario::fromFile("/dev/zero", error));
    EXPECT_EQ(error, "is not a regular file");

    QFile good(directory.filePath("good.json"));
    ASSERT_TRUE(good.open(QIODevice::WriteOnly));
    good.write(R"({"player": {"videoRenderer": "VR"}})");
    good.close();
    const auto scenario = Scenario::fromFile(good.fileName(), error);
    ASSERT_TRUE(scenario) << error.toStdString();
    EXPECT_EQ(scenario->player.videoRendererName, "VR");
}
