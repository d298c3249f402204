#include "framework/InterfaceHandle.h"

#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/ListEditing.h"
#include "framework/PluginFilters.h"
#include "tests/support/CountingAllocator.h"
#include "tests/support/FakePlugin.h"
#include "tests/support/MockPluginContext.h"
#include "tests/support/TestRecords.h"

using testing::_;
using testing::DoAll;
using testing::Invoke;
using testing::Return;
using testing::SetArgPointee;
using testsupport::FakePlugin;
using testsupport::TestRecord;
using Filter = Quarn::PluginContext::PluginInterfaceFilter;
using Selector = Quarn::PluginContext::SimplePluginInfoSelector;

namespace {

const char* const kId = "test.Interface";

class InterfaceHandleTest : public testing::Test {
protected:
    // A running plug-in listed as offering kId; `gives` says whether its
    // queryInterface really gives it.
    FakePlugin* running(bool gives = true) {
        auto* plugin = new FakePlugin(&context, offering.get(), gives ? kId : "test.Nothing");
        Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, plugin);
        return plugin;
    }
    int acquire(Quarn::InterfaceHandle& handle, bool allowCreate = true) {
        return handle.acquire(&context, Filter(Quarn::String(kId)), Selector(), allowCreate);
    }
    // Gives back the test's own reference, expecting the object to go.
    void destroy(FakePlugin* plugin) {
        EXPECT_CALL(context, pluginAboutToBeDeleted(plugin));
        EXPECT_CALL(context, pluginDeleted(plugin));
        EXPECT_EQ(plugin->release(), 0);
    }

    testing::StrictMock<testsupport::MockPluginContext> context;
    TestRecord offering{kId};
};

}  // namespace

TEST_F(InterfaceHandleTest, NewHandleCopiesTheIdentifierAndLooksNothingUp) {
    testsupport::CountingAllocator<char> allocator;
    Quarn::String id(kId, &allocator);
    Quarn::InterfaceHandle handle(id);  // StrictMock: nothing may be called
    EXPECT_TRUE(handle.id == id);
    EXPECT_EQ(handle.id.allocator, Quarn::StandardAllocator<char>::instance());
    EXPECT_EQ(handle.plugin, nullptr);
    EXPECT_EQ(handle.iface, nullptr);
    EXPECT_EQ(allocator.allocations(), 1u);
}

TEST_F(InterfaceHandleTest, AcquireHoldsARunningPluginAndItsInterface) {
    FakePlugin* plugin = running();
    {
        Quarn::InterfaceHandle handle{Quarn::String(kId)};
        EXPECT_EQ(acquire(handle), 0);
        EXPECT_EQ(handle.plugin, plugin);
        EXPECT_EQ(handle.iface, &plugin->interface);
        EXPECT_EQ(plugin->getRefCount(), 2);

        EXPECT_EQ(acquire(handle), 1);
        EXPECT_EQ(plugin->getRefCount(), 2);
        EXPECT_EQ(plugin->queries, 1);
    }
    // The destroyed handle gave its reference back once.
    EXPECT_EQ(plugin->getRefCount(), 1);
    destroy(plugin);
}

TEST_F(InterfaceHandleTest, APluginThatDoesNotGiveTheInterfaceIsReleasedAgain) {
    FakePlugin* plugin = running(false);
    {
        Quarn::InterfaceHandle handle{Quarn::String(kId)};
        EXPECT_EQ(acquire(handle), 3);
        EXPECT_EQ(handle.plugin, nullptr);
        EXPECT_EQ(handle.iface, nullptr);
        EXPECT_EQ(plugin->getRefCount(), 1);
    }
    EXPECT_EQ(plugin->getRefCount(), 1);
    destroy(plugin);
}

TEST_F(InterfaceHandleTest, APluginCreatedForTheHandleIsDestroyedWhenItDoesNotGiveTheInterface) {
    Quarn::appendToList(context.knownPlugins, offering.get());
    FakePlugin* created = nullptr;
    EXPECT_CALL(context, createPlugin(offering.get(), _))
        .WillOnce(Invoke([&](Quarn::PluginInfo* info, Quarn::Plugin** out) {
            created = new FakePlugin(&context, info, "test.Nothing");
            *out = created;
            return 0;
        }));
    EXPECT_CALL(context, pluginAboutToBeDeleted(_));
    EXPECT_CALL(context, pluginDeleted(_));

    Quarn::InterfaceHandle handle{Quarn::String(kId)};
    EXPECT_EQ(acquire(handle), 3);
    EXPECT_EQ(handle.plugin, nullptr);
    EXPECT_EQ(handle.iface, nullptr);
    ASSERT_NE(created, nullptr);
}

TEST_F(InterfaceHandleTest, APluginCreatedForTheHandleGoesWithTheHandle) {
    Quarn::appendToList(context.knownPlugins, offering.get());
    FakePlugin* created = nullptr;
    EXPECT_CALL(context, createPlugin(offering.get(), _))
        .WillOnce(Invoke([&](Quarn::PluginInfo* info, Quarn::Plugin** out) {
            created = new FakePlugin(&context, info);
            *out = created;
            return 0;
        }));
    auto handle = std::make_unique<Quarn::InterfaceHandle>(Quarn::String(kId));
    EXPECT_EQ(acquire(*handle), 0);
    EXPECT_EQ(handle->plugin, created);
    EXPECT_EQ(created->getRefCount(), 1);

    EXPECT_CALL(context, pluginAboutToBeDeleted(created));
    EXPECT_CALL(context, pluginDeleted(created));
    handle.reset();
}

TEST_F(InterfaceHandleTest, NothingQualifyingLeavesTheHandleEmpty) {
    TestRecord otherRecord{"test.Other"};
    FakePlugin other(&context, otherRecord.get());
    Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, &other);

    Quarn::InterfaceHandle handle{Quarn::String(kId)};
    EXPECT_EQ(acquire(handle), 3);
    EXPECT_EQ(handle.plugin, nullptr);
    EXPECT_EQ(handle.iface, nullptr);
    EXPECT_EQ(other.getRefCount(), 1);
    EXPECT_EQ(other.queries, 0);
}

TEST_F(InterfaceHandleTest, AFailedCreationIsReportedAsThree) {
    Quarn::appendToList(context.knownPlugins, offering.get());
    EXPECT_CALL(context, createPlugin(offering.get(), _)).WillOnce(Return(5));
    Quarn::InterfaceHandle handle{Quarn::String(kId)};
    EXPECT_EQ(acquire(handle), 3);
    EXPECT_EQ(handle.plugin, nullptr);
    EXPECT_EQ(handle.iface, nullptr);
    // An empty handle may try again.
    EXPECT_CALL(context, createPlugin(offering.get(), _)).WillOnce(Return(3));
    EXPECT_EQ(acquire(handle), 3);
}

TEST_F(InterfaceHandleTest, WithoutAContextNothingIsAcquired) {
    Quarn::InterfaceHandle handle{Quarn::String(kId)};
    EXPECT_EQ(handle.acquire(nullptr, Filter(Quarn::String(kId)), Selector(), true), 3);
    EXPECT_EQ(handle.plugin, nullptr);
}
