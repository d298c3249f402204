#pragma once

#include <algorithm>
#include <string>

#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/WindowRows.h"
#include "devhost/context/DevPluginContext.h"
#include "tests/support/LoadedPlugin.h"
#include "tests/support/RecordingPlayer.h"
#include "tests/support/RefreshScenarios.h"

namespace testsupport {

// The built plug-in, made through its entry point, with a recording player
// serving both of its handles. Afterwards the object must be gone, the
// player's count back to the host's one reference, and every block the
// player handed out given back through the allocator it came from.
class RecordedPluginTest : public testing::Test {
protected:
    void SetUp() override {
        namespace Names = Vantrel::InterfaceNames;
        Quarn::PluginInfo* record = context.registerPlugin(
            {Names::PlaybackServices, Names::AdvancedPlayback, Names::BasicPlayback},
            [](Quarn::PluginContext* c) { return new RecordingPlayer(c, fullModel()); });
        Quarn::Plugin* made = nullptr;
        ASSERT_EQ(context.createPlugin(record, &made), 0);
        player = static_cast<RecordingPlayer*>(made);
        ASSERT_EQ(builtPluginLibrary().entry()(&context, &plugin), 0);
        window = windowOf(plugin);
        player->calls.clear();
    }

    void TearDown() override {
        player->onCall = nullptr;
        window->close();
        runEventLoopOnce();
        const void* address = plugin;
        plugin->release();
        EXPECT_TRUE(context.wasDeleted(address));
        EXPECT_EQ(player->getRefCount(), 1);
        EXPECT_EQ(player->strings.allocations(), player->strings.deallocations());
        EXPECT_EQ(player->nodes.allocations(), player->nodes.deallocations());
        player->release();
    }

    QStringList rows() const { return devhost::WindowRows::of(window).valueTexts(); }

    // How many refresh runs the player has seen since the set-up.
    int runs() const {
        return static_cast<int>(
            std::count(player->calls.begin(), player->calls.end(), "getValue64()"));
    }

    devhost::DevPluginContext context;
    RecordingPlayer* player = nullptr;
    Quarn::Plugin* plugin = nullptr;
    QWidget* window = nullptr;
};

}  // namespace testsupport
