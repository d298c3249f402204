// The plug-in library as the player sees it: loaded with dlopen through the
// development host's loader, reached only through _getPlugin and the
// interfaces the object offers.

#include <cstdio>
#include <memory>

#include <QMetaMethod>
#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/player/PlayerPlugin.h"
#include "tests/support/AllocationTracker.h"
#include "tests/support/LoadedPlugin.h"
#include "tests/support/LockProbe.h"

using devhost::DevPluginContext;
using testsupport::builtPluginLibrary;
using testsupport::runEventLoopOnce;
using testsupport::windowOf;

namespace {

class LoadedPlugin : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(builtPluginLibrary().entry()(&context, &plugin), 0);
        ASSERT_NE(plugin, nullptr);
        window = windowOf(plugin);
        ASSERT_NE(window, nullptr);
    }

    // Gives back whatever the test left: the window's reference by closing,
    // the creator's unless the test gave it back already.
    void TearDown() override {
        if (!context.wasDeleted(plugin)) {
            window->close();
            runEventLoopOnce();
            if (!creatorReleased) {
                plugin->release();
            }
        }
        EXPECT_TRUE(context.wasDeleted(plugin)) << "the plug-in object outlived its references";
    }

    void releaseCreatorsReference() {
        plugin->release();
        creatorReleased = true;
    }

    DevPluginContext context;
    Quarn::Plugin* plugin = nullptr;
    QWidget* window = nullptr;
    bool creatorReleased = false;
};

}  // namespace

TEST_F(LoadedPlugin, EntryPointMakesAnObjectWithTwoReferencesOnTheGivenContext) {
    EXPECT_EQ(plugin->getRefCount(), 2);
    EXPECT_EQ(plugin->getContext(), &context);
    EXPECT_EQ(plugin->getPluginInfo(), nullptr);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(LoadedPlugin, MenuInterfaceGivesTheWindowWithoutARetain) {
    void* menu = nullptr;
    EXPECT_EQ(plugin->queryInterface(Quarn::String(Vantrel::InterfaceNames::Menu), &menu), 0);
    ASSERT_NE(menu, nullptr);
    QWidget* widget = static_cast<Vantrel::MenuInterface*>(menu)->getWidget();
    EXPECT_EQ(widget, window);
    EXPECT_EQ(widget->windowTitle(), "Video Information");
    EXPECT_EQ(plugin->getRefCount(), 2);
}

TEST_F(LoadedPlugin, OtherInterfacesAreNotOffered) {
    for (const char* id :
         {Vantrel::InterfaceNames::PlaybackServices, Vantrel::InterfaceNames::BasicPlayback,
          "com.zorv.vantrel.plugininterface.menu", "COM.ZORV.VANTREL.PLUGININTERFACE.MENU", "",
          static_cast<const char*>(nullptr)}) {
        void* out = window;  // anything but null
        EXPECT_EQ(plugin->queryInterface(Quarn::String(id), &out), 3) << (id ? id : "(null)");
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(plugin->getRefCount(), 2);
}

TEST_F(LoadedPlugin, MetaCastAnswersAgreeWithEntryPointAndQuery) {
    const QObject* object = window;
    EXPECT_STREQ(object->metaObject()->className(), "Vantrel::FileInfoPlugin");
    EXPECT_EQ(window->qt_metacast("Vantrel::FileInfoPlugin"), static_cast<void*>(window));
    EXPECT_EQ(window->qt_metacast("Quarn::Plugin"), static_cast<void*>(plugin));
    EXPECT_EQ(window->qt_metacast("Vantrel::MenuInterface"),
              static_cast<void*>(testsupport::menuOf(plugin)));
    EXPECT_EQ(window->qt_metacast("QWidget"), static_cast<void*>(window));
    EXPECT_EQ(window->qt_metacast("Unknown"), nullptr);
    EXPECT_EQ(window->qt_metacast(nullptr), nullptr);
}

TEST_F(LoadedPlugin, MetaObjectHasTheTwoPublicSlotsInOrder) {
    const QMetaObject* meta = window->metaObject();
    EXPECT_STREQ(meta->superClass()->className(), "QWidget");
    ASSERT_EQ(meta->methodCount() - meta->methodOffset(), 2);
    const QMetaMethod first = meta->method(meta->methodOffset());
    const QMetaMethod second = meta->method(meta->methodOffset() + 1);
    EXPECT_EQ(first.methodSignature(), "showFileInfo()");
    EXPECT_EQ(second.methodSignature(), "releaseLater()");
    for (const QMetaMethod& slot : {first, second}) {
        EXPECT_EQ(slot.methodType(), QMetaMethod::Slot);
        EXPECT_EQ(slot.access(), QMetaMethod::Public);
    }
    EXPECT_EQ(meta->propertyCount() - meta->propertyOffset(), 0);
    EXPECT_EQ(meta->enumeratorCount() - meta->enumeratorOffset(), 0);
    EXPECT_EQ(meta->classInfoCount() - meta->classInfoOffset(), 0);
}

TEST_F(LoadedPlugin, ClosingGivesTheWindowsReferenceBackFromTheEventLoop) {
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(plugin->getRefCount(), 2) << "nothing is given back inside the close";

    runEventLoopOnce();
    EXPECT_EQ(plugin->getRefCount(), 1);
    EXPECT_TRUE(context.notifications().empty());
}

TEST_F(LoadedPlugin, ClosingAfterTheCreatorLetGoDestroysTheObject) {
    const void* address = plugin;
    window->show();
    releaseCreatorsReference();
    EXPECT_EQ(plugin->getRefCount(), 1);
    EXPECT_TRUE(context.notifications().empty());

    window->close();
    EXPECT_TRUE(context.notifications().empty());
    runEventLoopOnce();

    const std::vector<DevPluginContext::Notification> expected = {
        {DevPluginContext::Notification::AboutToBeDeleted, address},
        {DevPluginContext::Notification::Deleted, address}};
    EXPECT_EQ(context.notifications(), expected);
}

TEST_F(LoadedPlugin, ClosingWhileTheCreatorHoldsLeavesTheObjectAlive) {
    window->show();
    window->close();
    runEventLoopOnce();
    EXPECT_EQ(plugin->getRefCount(), 1);
    EXPECT_TRUE(context.notifications().empty());
    EXPECT_EQ(windowOf(plugin), window);

    releaseCreatorsReference();
    EXPECT_TRUE(context.wasDeleted(plugin));
}

TEST_F(LoadedPlugin, ShownAndClosedAgainTheWindowHasNothingMoreToGiveBack) {
    window->show();
    window->close();
    runEventLoopOnce();
    ASSERT_EQ(plugin->getRefCount(), 1);

    for (int again = 0; again < 2; ++again) {
        window->show();
        window->close();
        runEventLoopOnce();
        EXPECT_EQ(plugin->getRefCount(), 1);
    }
    EXPECT_TRUE(context.notifications().empty());
}

TEST_F(LoadedPlugin, TwoClosesBeforeTheEventLoopRunsGiveBackOneReference) {
    window->show();
    window->close();
    window->show();
    window->close();
    runEventLoopOnce();
    EXPECT_EQ(plugin->getRefCount(), 1);
}

TEST(EntryPoint, NullOutputMakesNothing) {
    DevPluginContext context;
    EXPECT_EQ(builtPluginLibrary().entry()(&context, nullptr), 0);
    EXPECT_TRUE(context.notifications().empty());
}

// Every allocation the plug-in's own code asks for while the object is made
// is failed in turn. (The toolkit's internal allocations are not: it is built
// without exception support and cannot unwind from them.)
TEST(EntryPoint, AllocationFailureInConstructionGivesNullAndLeaksNothing) {
    DevPluginContext context;
    auto entry = builtPluginLibrary().entry();

    // A running player serves both handles; a second one is made on demand
    // (and must go again) when the first one's handle is being taken.
    auto model = std::make_shared<devhost::PlayerModel>();
    Quarn::PluginInfo* servicesRecord = context.registerPlugin(
        {Vantrel::InterfaceNames::PlaybackServices},
        [model](Quarn::PluginContext* c) { return new devhost::PlayerPlugin(c, model); });
    context.registerPlugin(
        {Vantrel::InterfaceNames::AdvancedPlayback},
        [model](Quarn::PluginContext* c) { return new devhost::PlayerPlugin(c, model); });
    Quarn::Plugin* services = nullptr;
    ASSERT_EQ(context.createPlugin(servicesRecord, &services), 0);

    // One whole life first, so the toolkit's lazily made globals exist and
    // every later allocation belongs to the object being made.
    Quarn::Plugin* warmUp = nullptr;
    entry(&context, &warmUp);
    ASSERT_NE(warmUp, nullptr);
    windowOf(warmUp)->close();
    runEventLoopOnce();
    warmUp->release();

    std::size_t failures = 0;
    for (std::size_t successes = 0;; ++successes) {
        Quarn::Plugin* out = reinterpret_cast<Quarn::Plugin*>(&context);  // anything but null
        int status = -1;
        std::size_t made = 0, freed = 0;
        bool failed = false;
        {
            testsupport::AllocationTracker tracker;
            tracker.failAfterIn(successes, reinterpret_cast<const void*>(entry));
            status = entry(&context, &out);
            failed = tracker.failed();
            made = tracker.allocations();
            freed = tracker.deallocations();
        }
        if (!failed) {
            ASSERT_NE(out, nullptr);
            windowOf(out)->close();
            runEventLoopOnce();
            out->release();
            break;
        }
        ++failures;
        EXPECT_EQ(status, 0) << "failing allocation " << successes;
        EXPECT_EQ(out, nullptr) << "failing allocation " << successes;
        EXPECT_EQ(made, freed) << "failing allocation " << successes;
        EXPECT_EQ(services->getRefCount(), 1) << "failing allocation " << successes;
        EXPECT_EQ(context.livePlugins.count, 1u) << "failing allocation " << successes;
        EXPECT_TRUE(testsupport::freeForAnotherThread(context.pluginLock))
            << "failing allocation " << successes;
    }
    std::printf("[sweep] construction through _getPlugin: %zu allocation points\n", failures);
    EXPECT_GT(failures, 10u);
    services->release();
}
