#include "plugin/Plugin.h"

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/MockPluginContext.h"

using testing::InSequence;
using testing::Invoke;
using testing::MockFunction;
using testing::Return;
using testing::StrictMock;
using testsupport::MockPluginContext;

namespace {

// A plug-in offering one interface, served by a sub-object of its own.
class TestPlugin : public Quarn::Plugin {
public:
    struct Greeter {
        virtual ~Greeter() = default;
    };

    TestPlugin(Quarn::PluginContext* context, std::function<void()> onDestroyed = {})
        : Quarn::Plugin(context), onDestroyed(std::move(onDestroyed)) {}
    ~TestPlugin() override {
        if (onDestroyed) {
            onDestroyed();
        }
    }

    std::int32_t queryInterface(const Quarn::String& id, void** out) override {
        *out = nullptr;
        if (id == Quarn::String("test.Greeter")) {
            *out = &greeter;
            return 0;
        }
        return 3;
    }

    Greeter greeter;
    std::function<void()> onDestroyed;
};

}  // namespace

TEST(Plugin, NewObjectHasOneReferenceNoRecordAndItsContext) {
    StrictMock<MockPluginContext> context;
    auto* plugin = new TestPlugin(&context);
    EXPECT_EQ(plugin->getRefCount(), 1);
    EXPECT_EQ(plugin->getPluginInfo(), nullptr);
    EXPECT_EQ(plugin->getContext(), &context);

    Quarn::PluginInfo record;
    plugin->setPluginInfo(&record);
    EXPECT_EQ(plugin->getPluginInfo(), &record);

    EXPECT_CALL(context, pluginAboutToBeDeleted(plugin));
    EXPECT_CALL(context, pluginDeleted(plugin));
    plugin->release();
}

TEST(Plugin, RetainAndReleaseAboveZeroOnlyCount) {
    StrictMock<MockPluginContext> context;  // any call on it fails the test
    auto* plugin = new TestPlugin(&context);
    EXPECT_EQ(plugin->retain(), 2);
    EXPECT_EQ(plugin->retain(), 3);
    EXPECT_EQ(plugin->release(), 2);
    EXPECT_EQ(plugin->release(), 1);
    EXPECT_EQ(plugin->getRefCount(), 1);

    EXPECT_CALL(context, pluginAboutToBeDeleted(plugin));
    EXPECT_CALL(context, pluginDeleted(plugin));
    plugin->release();
}

TEST(Plugin, ReleaseToZeroNotifiesAroundTheDestructorWithTheSameAddress) {
    StrictMock<MockPluginContext> context;
    MockFunction<void()> destroyed;
    auto* plugin = new TestPlugin(&context, destroyed.AsStdFunction());
    Quarn::Plugin* const address = plugin;
    plugin->retain();

    {
        InSequence order;
        EXPECT_CALL(context, pluginAboutToBeDeleted(address)).WillOnce(Return(0));
        EXPECT_CALL(destroyed, Call());
        EXPECT_CALL(context, pluginDeleted(address)).WillOnce(Return(0));
    }
    EXPECT_EQ(plugin->release(), 1);
    EXPECT_EQ(plugin->release(), 0);
}

TEST(Plugin, ReleaseToZeroReadsTheContextBeforeTheObjectIsGone) {
    StrictMock<MockPluginContext> context;
    auto* plugin = new TestPlugin(&context);
    // The notification after destruction still reaches the same context,
    // and may compare the address but never follow it.
    EXPECT_CALL(context, pluginAboutToBeDeleted(plugin));
    EXPECT_CALL(context, pluginDeleted(plugin)).WillOnce(Invoke([&](Quarn::Plugin* gone) {
        EXPECT_EQ(static_cast<void*>(gone), static_cast<void*>(plugin));
        return 0;
    }));
    EXPECT_EQ(plugin->release(), 0);
}

TEST(Plugin, ObjectWithoutContextStillDestroysItself) {
    bool destroyed = false;
    auto* plugin = new TestPlugin(nullptr, [&] { destroyed = true; });
    EXPECT_EQ(plugin->release(), 0);
    EXPECT_TRUE(destroyed);
}

TEST(Plugin, QueryInterfaceAnswersOfferedIdsWithoutRetaining) {
    StrictMock<MockPluginContext> context;
    auto* plugin = new TestPlugin(&context);

    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(plugin->queryInterface(Quarn::String("test.Greeter"), &out), 0);
    EXPECT_EQ(out, &plugin->greeter);
    EXPECT_EQ(plugin->getRefCount(), 1);

    out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(plugin->queryInterface(Quarn::String("test.greeter"), &out), 3);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(plugin->getRefCount(), 1);

    EXPECT_CALL(context, pluginAboutToBeDeleted(plugin));
    EXPECT_CALL(context, pluginDeleted(plugin));
    plugin->release();
}
