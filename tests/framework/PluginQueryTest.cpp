#include "framework/PluginQuery.h"

#include <chrono>
#include <future>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/ListEditing.h"
#include "framework/PluginFilters.h"
#include "tests/support/FakePlugin.h"
#include "tests/support/LockProbe.h"
#include "tests/support/MockPluginContext.h"
#include "tests/support/TestRecords.h"

using testing::_;
using testing::Return;
using testsupport::FakePlugin;
using testsupport::freeForAnotherThread;
using testsupport::TestRecord;
using Selector = Quarn::PluginContext::SimplePluginInfoSelector;

namespace {

const char* const kWanted = "test.Wanted";

// A filter that counts its calls (shared by its copies), remembers the
// records it saw, and can check the context's lock or act while it runs.
struct ProbeFilter {
    struct Log {
        int calls = 0;
        std::vector<Quarn::PluginInfo*> seen;
        bool lockFreeForOthers = true;
        bool lockTakenAgainHere = false;
    };

    explicit ProbeFilter(std::shared_ptr<Log> log, Quarn::PluginContext* probeLockOf = nullptr)
        : log(std::move(log)), probeLockOf(probeLockOf), accepts(kWanted) {}

    bool operator()(Quarn::PluginInfo* info) const {
        ++log->calls;
        log->seen.push_back(info);
        if (probeLockOf != nullptr) {
            log->lockFreeForOthers = freeForAnotherThread(probeLockOf->pluginLock);
            log->lockTakenAgainHere = probeLockOf->pluginLock.try_lock();
            if (log->lockTakenAgainHere) {
                probeLockOf->pluginLock.unlock();
            }
        }
        if (onCall) {
            onCall();
        }
        return accepts(info);
    }

    std::shared_ptr<Log> log;
    Quarn::PluginContext* probeLockOf;
    Quarn::PluginContext::PluginInterfaceFilter accepts;
    std::function<void()> onCall;
};

class PluginQuery : public testing::Test {
protected:
    // A plug-in on the context's live list, with its record.
    FakePlugin* addLive(TestRecord& record) {
        owned.push_back(std::make_unique<FakePlugin>(&context, record.get()));
        Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, owned.back().get());
        return owned.back().get();
    }
    void addKnown(TestRecord& record) { Quarn::appendToList(context.knownPlugins, record.get()); }

    std::shared_ptr<ProbeFilter::Log> log = std::make_shared<ProbeFilter::Log>();
    ProbeFilter filter{log};
    testing::StrictMock<testsupport::MockPluginContext> context;
    std::vector<std::unique_ptr<FakePlugin>> owned;
    TestRecord wanted[3] = {TestRecord({kWanted}), TestRecord({"x", kWanted}),
                            TestRecord({kWanted})};
    TestRecord other{"test.Other"};
};

}  // namespace

TEST_F(PluginQuery, NullOutputReturnsOneWithoutLockingOrFiltering) {
    FakePlugin* live = addLive(wanted[0]);
    // Another thread holds the lock: a query that tried to take it would wait.
    std::promise<void> locked;
    std::promise<void> release;
    std::thread holder([&] {
        boost::lock_guard<boost::recursive_mutex> guard(context.pluginLock);
        locked.set_value();
        release.get_future().wait();
    });
    locked.get_future().wait();

    auto result = std::async(
        std::launch::async, [&] { return context.queryPlugin(nullptr, filter, Selector(), true); });
    const bool returned = result.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    release.set_value();
    holder.join();
    ASSERT_TRUE(returned) << "the query waited for the lock";
    EXPECT_EQ(result.get(), 1);
    EXPECT_EQ(log->calls, 0);
    EXPECT_EQ(live->getRefCount(), 1);
}

TEST_F(PluginQuery, AnExistingPluginWinsOverCreatableRecords) {
    addLive(other);
    FakePlugin* live = addLive(wanted[1]);
    addKnown(wanted[0]);
    addKnown(wanted[2]);

    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), true),
              0);  // StrictMock: no createPlugin
    EXPECT_EQ(out, live);
    EXPECT_EQ(live->getRefCount(), 2);
    EXPECT_EQ(log->calls, 2);
    live->release();
}

TEST_F(PluginQuery, TheExistingPluginWithTheLowerRecordIsChosen) {
    addLive(wanted[2]);
    FakePlugin* lower = addLive(wanted[0]);
    addLive(wanted[1]);
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), false), 0);
    EXPECT_EQ(out, lower);
    EXPECT_EQ(lower->getRefCount(), 2);
    for (auto& plugin : owned) {
        EXPECT_EQ(plugin->getRefCount(), plugin.get() == lower ? 2 : 1);
    }
    lower->release();
}

TEST_F(PluginQuery, OfTwoPluginsSharingARecordTheEarlierIsChosen) {
    FakePlugin* first = addLive(wanted[0]);
    FakePlugin* second = addLive(wanted[0]);
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), false), 0);
    EXPECT_EQ(out, first);
    EXPECT_EQ(second->getRefCount(), 1);
    first->release();
}

TEST_F(PluginQuery, WithoutCreationKnownRecordsAreNeverConsulted) {
    addLive(other);
    addLive(other);
    addKnown(wanted[0]);
    Quarn::Plugin* out = reinterpret_cast<Quarn::Plugin*>(&context);
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), false), 3);
    EXPECT_EQ(out, reinterpret_cast<Quarn::Plugin*>(&context));
    EXPECT_EQ(log->calls, 2);
    EXPECT_EQ(log->seen, (std::vector<Quarn::PluginInfo*>{other.get(), other.get()}));
}

TEST_F(PluginQuery, CreationAsksForTheChosenRecordAndPassesItsStatusOn) {
    addLive(other);
    // In list order: middle, lowest, highest address; the lowest is chosen.
    addKnown(wanted[1]);
    addKnown(wanted[0]);
    addKnown(wanted[2]);
    addKnown(other);
    for (int status : {0, 2, 3, 7, -1}) {
        log->calls = 0;
        Quarn::Plugin* out = nullptr;
        EXPECT_CALL(context, createPlugin(wanted[0].get(), &out)).WillOnce(Return(status));
        EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), true), status);
        EXPECT_EQ(log->calls, 1 + 4);  // once per existing plug-in, once per record
        testing::Mock::VerifyAndClearExpectations(&context);
    }
}

TEST_F(PluginQuery, NothingQualifyingGivesThreeWithoutCreating) {
    addLive(other);
    addKnown(other);
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), true), 3);
    EXPECT_EQ(out, nullptr);
}

TEST_F(PluginQuery, EmptyListsGiveThree) {
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), true), 3);
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), false), 3);
    EXPECT_EQ(log->calls, 0);
}

TEST_F(PluginQuery, ListsWhoseCountOutrunsTheirChainsAreNotFollowedPastTheEnd) {
    addLive(other);
    context.livePlugins.count = 5;  // the chain holds one node
    addKnown(wanted[0]);
    context.knownPlugins.count = 9;
    Quarn::Plugin* out = nullptr;
    EXPECT_CALL(context, createPlugin(wanted[0].get(), &out)).WillOnce(Return(0));
    EXPECT_EQ(context.queryPlugin(&out, filter, Selector(), true), 0);
    // The padding is passed over, never handed to the filter.
    EXPECT_EQ(log->seen, (std::vector<Quarn::PluginInfo*>{other.get(), wanted[0].get()}));
    context.livePlugins.count = 1;
    context.knownPlugins.count = 1;
}

TEST_F(PluginQuery, ExistingPluginsAreFilteredUnderTheLock) {
    addLive(wanted[0]);
    ProbeFilter probing(log, &context);
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, probing, Selector(), false), 0);
    EXPECT_FALSE(log->lockFreeForOthers);
    EXPECT_TRUE(log->lockTakenAgainHere);
    EXPECT_TRUE(freeForAnotherThread(context.pluginLock));
    out->release();
}

TEST_F(PluginQuery, AFilterMayQueryTheSameContext) {
    FakePlugin* live = addLive(wanted[0]);
    ProbeFilter nesting(log);
    nesting.onCall = [&] {
        Quarn::Plugin* inner = nullptr;
        ProbeFilter plain(std::make_shared<ProbeFilter::Log>());
        if (context.queryPlugin(&inner, plain, Selector(), false) == 0) {
            inner->release();
        }
    };
    Quarn::Plugin* out = nullptr;
    EXPECT_EQ(context.queryPlugin(&out, nesting, Selector(), false), 0);
    EXPECT_EQ(live->getRefCount(), 2);
    out->release();
}

TEST_F(PluginQuery, AnExceptionWhileTheLockIsHeldLeavesItFree) {
    addLive(wanted[0]);
    ProbeFilter throwing(log);
    throwing.onCall = [] { throw std::bad_alloc(); };
    Quarn::Plugin* out = nullptr;
    EXPECT_THROW(context.queryPlugin(&out, throwing, Selector(), true), std::bad_alloc);
    EXPECT_TRUE(freeForAnotherThread(context.pluginLock));
    EXPECT_EQ(owned[0]->getRefCount(), 1);
}
