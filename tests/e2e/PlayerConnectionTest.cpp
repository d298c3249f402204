// The plug-in's connection to the player, through the built library in the
// development host's context, with the host's player plug-ins running.

#include <memory>

#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/player/PlayerPlugin.h"
#include "host/PubSubHub.h"
#include "tests/support/LoadedPlugin.h"

using devhost::DevPluginContext;
using devhost::PlayerModel;
using devhost::PlayerPlugin;
using testsupport::builtPluginLibrary;
using testsupport::runEventLoopOnce;
using testsupport::windowOf;
namespace Names = Vantrel::InterfaceNames;

namespace {

class PlayerConnection : public testing::Test {
protected:
    // Registers a player record offering `names`; started now unless
    // `started` is false, in which case the context makes one on demand.
    Quarn::Plugin* addPlayer(std::vector<std::string> names, bool started = true) {
        Quarn::PluginInfo* record = context.registerPlugin(
            names, [model = model](Quarn::PluginContext* c) { return new PlayerPlugin(c, model); });
        Quarn::Plugin* player = nullptr;
        if (started) {
            EXPECT_EQ(context.createPlugin(record, &player), 0);
            players.push_back(player);
        }
        return player;
    }

    Quarn::Plugin* makePlugin() {
        Quarn::Plugin* plugin = nullptr;
        EXPECT_EQ(builtPluginLibrary().entry()(&context, &plugin), 0);
        return plugin;
    }

    // Closes the window, lets the event loop run, gives back the creator's
    // reference: the object must be gone.
    void closeAndRelease(Quarn::Plugin* plugin) {
        windowOf(plugin)->close();
        runEventLoopOnce();
        const void* address = plugin;
        plugin->release();
        EXPECT_TRUE(context.wasDeleted(address));
    }

    void TearDown() override {
        for (Quarn::Plugin* player : players) {
            const void* address = player;
            EXPECT_EQ(player->release(), 0) << "a reference on a player was not given back";
            EXPECT_TRUE(context.wasDeleted(address));
        }
    }

    DevPluginContext context;
    std::shared_ptr<const PlayerModel> model = std::make_shared<PlayerModel>();
    std::vector<Quarn::Plugin*> players;
};

}  // namespace

TEST_F(PlayerConnection, TheNewObjectHoldsAHandleOnEachServingPlugin) {
    Quarn::Plugin* services = addPlayer({Names::PlaybackServices});
    Quarn::Plugin* playback = addPlayer({Names::AdvancedPlayback, Names::BasicPlayback});

    Quarn::Plugin* plugin = makePlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->getRefCount(), 2);
    EXPECT_EQ(services->getRefCount(), 2);
    EXPECT_EQ(playback->getRefCount(), 2);

    closeAndRelease(plugin);
    EXPECT_EQ(services->getRefCount(), 1);
    EXPECT_EQ(playback->getRefCount(), 1);
}

TEST_F(PlayerConnection, ClosingTheWindowGivesEachHandleBackOnceWhileTheCreatorHolds) {
    Quarn::Plugin* services = addPlayer({Names::PlaybackServices});
    Quarn::Plugin* playback = addPlayer({Names::AdvancedPlayback});
    Quarn::Plugin* plugin = makePlugin();

    windowOf(plugin)->show();
    windowOf(plugin)->close();
    EXPECT_EQ(services->getRefCount(), 2) << "nothing is given back inside the close";
    runEventLoopOnce();
    EXPECT_EQ(services->getRefCount(), 1);
    EXPECT_EQ(playback->getRefCount(), 1);
    EXPECT_EQ(plugin->getRefCount(), 1);

    // Shown and closed again: nothing more to give back.
    windowOf(plugin)->show();
    windowOf(plugin)->close();
    runEventLoopOnce();
    EXPECT_EQ(services->getRefCount(), 1);
    EXPECT_EQ(playback->getRefCount(), 1);

    const void* address = plugin;
    plugin->release();
    EXPECT_TRUE(context.wasDeleted(address));
}

TEST_F(PlayerConnection, OneServingPluginMayServeBothHandles) {
    Quarn::Plugin* player = addPlayer({Names::PlaybackServices, Names::AdvancedPlayback});
    Quarn::Plugin* plugin = makePlugin();
    EXPECT_EQ(player->getRefCount(), 3);
    closeAndRelease(plugin);
    EXPECT_EQ(player->getRefCount(), 1);
}

TEST_F(PlayerConnection, WithoutPlaybackServicesTheObjectIsStillMade) {
    Quarn::Plugin* playback = addPlayer({Names::AdvancedPlayback});
    Quarn::Plugin* plugin = makePlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->getRefCount(), 2);
    EXPECT_EQ(playback->getRefCount(), 2);
    closeAndRelease(plugin);
    EXPECT_EQ(playback->getRefCount(), 1);
}

TEST_F(PlayerConnection, WithNoPlayerAtAllTheObjectIsStillMade) {
    Quarn::Plugin* plugin = makePlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->getRefCount(), 2);
    closeAndRelease(plugin);
}

TEST_F(PlayerConnection, APlayerIsMadeOnDemandAndGoesWithTheHandle) {
    addPlayer({Names::PlaybackServices, Names::AdvancedPlayback}, false);
    Quarn::Plugin* plugin = makePlugin();
    ASSERT_NE(plugin, nullptr);

    // One player made for the first handle, found as running by the second.
    ASSERT_EQ(context.livePlugins.count, 1u);
    Quarn::Plugin* made = context.livePlugins.head->value;
    EXPECT_EQ(made->getRefCount(), 2);
    const void* address = made;

    closeAndRelease(plugin);
    EXPECT_TRUE(context.wasDeleted(address));
    EXPECT_EQ(context.livePlugins.count, 0u);
}

TEST_F(PlayerConnection, ShowFileInfoIsSubscribedToTheThreeMessagesInOrder) {
    Quarn::Plugin* plugin = makePlugin();
    const auto subscriptions = Vantrel::PubSubHub::subscriptionsOf(windowOf(plugin));
    ASSERT_EQ(subscriptions.size(), 3u);
    const char* topics[] = {"Playback.Playing.New", "Playback.Stopped", "Playback.Closed"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(subscriptions[i].topic, topics[i]);
        EXPECT_EQ(subscriptions[i].member, "1showFileInfo()");
        EXPECT_EQ(subscriptions[i].type, Qt::AutoConnection);
    }

    // Each message brings the window up, also after the handles went back.
    for (const char* topic : topics) {
        QWidget* window = windowOf(plugin);
        window->hide();
        EXPECT_GE(Vantrel::PubSubHub::publish(topic), 1);
        EXPECT_TRUE(window->isVisible()) << topic;
    }
    closeAndRelease(plugin);
}
