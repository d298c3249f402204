// Allocation-failure sweeps: the first, then the second, then the n-th
// allocation an operation makes fails, until the operation completes
// without a failure. After each failure nothing is left allocated, every
// reference count is back where it was, the context's lock is free, and the
// next attempt works.

#include <cstdio>
#include <future>
#include <memory>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "devhost/HostSession.h"
#include "devhost/WindowRows.h"
#include "framework/InterfaceHandle.h"
#include "framework/ListEditing.h"
#include "framework/PluginFilters.h"
#include "tests/support/AllocationTracker.h"
#include "tests/support/FakePlugin.h"
#include "tests/support/LoadedPlugin.h"
#include "tests/support/LockProbe.h"
#include "tests/support/MockPluginContext.h"
#include "tests/support/RefreshScenarios.h"
#include "tests/support/TestRecords.h"

using testing::_;
using testing::Invoke;
using testsupport::AllocationTracker;
using testsupport::FakePlugin;
using testsupport::freeForAnotherThread;
using testsupport::TestRecord;
using Filter = Quarn::PluginContext::PluginInterfaceFilter;
using Selector = Quarn::PluginContext::SimplePluginInfoSelector;

namespace {

// Longer than the standard string's inline buffer, so that comparing it
// allocates too.
const char* const kId = "com.example.playback.interface.LongInterfaceName";

void report(const char* sweep, std::size_t points) {
    std::printf("[sweep] %s: %zu allocation points\n", sweep, points);
}

// Code of this test program: its allocations are the ones swept below (the
// framework is compiled into it, as into every plug-in).
const void* thisProgram() {
    return reinterpret_cast<const void*>(&report);
}

// A context with one plug-in running that does not qualify, and two records
// that do, from which it makes fake plug-ins on demand.
class SweepContext : public testing::Test {
protected:
    void SetUp() override {
        running = std::make_unique<FakePlugin>(&context, other.get(), "test.Other");
        Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, running.get());
        Quarn::appendToList(context.knownPlugins, offering[1].get());
        Quarn::appendToList(context.knownPlugins, offering[0].get());
        ON_CALL(context, createPlugin(_, _))
            .WillByDefault(Invoke([this](Quarn::PluginInfo* info, Quarn::Plugin** out) {
                *out = new FakePlugin(&context, info, kId);
                return 0;
            }));
        ON_CALL(context, pluginAboutToBeDeleted(_)).WillByDefault(testing::Return(0));
        ON_CALL(context, pluginDeleted(_)).WillByDefault(testing::Return(0));
    }

    // After a failure: nothing of this program's left allocated, the lock
    // free, the running plug-in's count untouched.
    void expectClean(const AllocationTracker& tracker, std::size_t point) {
        EXPECT_EQ(tracker.liveModuleBlocks(), 0u) << "failing allocation " << point;
        EXPECT_TRUE(freeForAnotherThread(context.pluginLock)) << "failing allocation " << point;
        EXPECT_EQ(running->getRefCount(), 1) << "failing allocation " << point;
    }

    testing::NiceMock<testsupport::MockPluginContext> context;
    TestRecord other{"test.Other"};
    TestRecord offering[2] = {TestRecord({"x", kId}), TestRecord({kId})};
    std::unique_ptr<FakePlugin> running;
};

}  // namespace

TEST_F(SweepContext, PluginQueryThatCreates) {
    std::size_t failures = 0;
    for (std::size_t point = 0;; ++point) {
        Quarn::Plugin* out = nullptr;
        int status = -1;
        bool threw = false;
        bool failed = false;
        {
            AllocationTracker tracker;
            tracker.failAfterIn(point, thisProgram());
            try {
                status = context.queryPlugin(&out, Filter(Quarn::String(kId)), Selector(), true);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            failed = tracker.failed();
            if (failed) {
                expectClean(tracker, point);
            }
        }
        if (!failed) {
            ASSERT_EQ(status, 0);
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(out->getPluginInfo(), offering[0].get());
            out->release();
            break;
        }
        ++failures;
        EXPECT_TRUE(threw) << "failing allocation " << point;
        EXPECT_EQ(out, nullptr) << "failing allocation " << point;
    }
    report("plug-in query (creating)", failures);
    EXPECT_GT(failures, 5u);
}

TEST_F(SweepContext, PluginQueryThatFindsARunningPlugin) {
    FakePlugin qualifying(&context, offering[1].get(), kId);
    Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, &qualifying);
    std::size_t failures = 0;
    for (std::size_t point = 0;; ++point) {
        Quarn::Plugin* out = nullptr;
        bool failed = false;
        {
            AllocationTracker tracker;
            tracker.failAfterIn(point, thisProgram());
            try {
                EXPECT_EQ(context.queryPlugin(&out, Filter(Quarn::String(kId)), Selector(), false),
                          0);
            } catch (const std::bad_alloc&) {
            }
            failed = tracker.failed();
            if (failed) {
                expectClean(tracker, point);
                EXPECT_EQ(qualifying.getRefCount(), 1) << "failing allocation " << point;
            }
        }
        if (!failed) {
            EXPECT_EQ(out, &qualifying);
            EXPECT_EQ(qualifying.getRefCount(), 2);
            qualifying.release();
            break;
        }
        ++failures;
    }
    report("plug-in query (running)", failures);
    EXPECT_GT(failures, 3u);
    Quarn::removeFromList<Quarn::Plugin*>(context.livePlugins, &qualifying);
}

TEST_F(SweepContext, InterfaceHandleAcquire) {
    std::size_t failures = 0;
    for (std::size_t point = 0;; ++point) {
        auto handle = std::make_unique<Quarn::InterfaceHandle>(Quarn::String(kId));
        bool failed = false;
        int status = -1;
        {
            AllocationTracker tracker;
            tracker.failAfterIn(point, thisProgram());
            try {
                status = handle->acquire(&context, Filter(Quarn::String(kId)), Selector(), true);
            } catch (const std::bad_alloc&) {
            }
            failed = tracker.failed();
            if (failed) {
                // The handle is empty: a plug-in made for it is gone again.
                EXPECT_EQ(handle->plugin, nullptr) << "failing allocation " << point;
                EXPECT_EQ(handle->iface, nullptr) << "failing allocation " << point;
                expectClean(tracker, point);
            }
        }
        if (!failed) {
            ASSERT_EQ(status, 0);
            ASSERT_NE(handle->plugin, nullptr);
            EXPECT_EQ(handle->plugin->getRefCount(), 1);
            handle.reset();  // gives the made plug-in back, which destroys it
            break;
        }
        ++failures;
        // Still usable: an acquisition without failures works afterwards.
    }
    report("InterfaceHandle::acquire", failures);
    EXPECT_GT(failures, 5u);
}

namespace {

class RefreshSweep : public testing::TestWithParam<testsupport::ScenarioCase> {};

}  // namespace

// Every refresh scenario of the suite, each allocation of its run failed in
// turn: the strings and nodes the host's player fills through the plug-in's
// allocators, and the plug-in's own copies.
TEST_P(RefreshSweep, EveryAllocationOfARun) {
    const testsupport::ScenarioCase& c = GetParam();
    devhost::HostSession session(FILEINFO_PLUGIN_PATH);
    ASSERT_TRUE(session.start()) << session.errorString();
    session.playerModel() = c.model;
    QWidget* window = session.window();
    const void* pluginCode =
        reinterpret_cast<const void*>(testsupport::builtPluginLibrary().entry());
    const int writeOrder[] = {0, 2, 1, 3, 5, 4};

    std::size_t failures = 0;
    for (std::size_t point = 0;; ++point) {
        window->hide();
        bool failed = false;
        {
            AllocationTracker tracker;
            tracker.watchModule(thisProgram());
            tracker.failAfterIn(point, pluginCode);
            session.publish(c.topic);
            failed = tracker.failed();
            EXPECT_EQ(tracker.liveModuleBlocks(), 0u) << c.name << ", failing allocation " << point;
        }
        EXPECT_EQ(session.player()->getRefCount(), 3) << c.name << ", failing allocation " << point;
        EXPECT_TRUE(freeForAnotherThread(session.context().pluginLock));
        const QStringList written = devhost::WindowRows::of(window).valueTexts();
        if (!failed) {
            EXPECT_EQ(written, c.rows) << c.name;
            EXPECT_TRUE(window->isVisible()) << c.name;
            break;
        }
        ++failures;
        EXPECT_FALSE(window->isVisible()) << c.name << ", failing allocation " << point;
        // The rows written before the failure stand, and only those.
        bool stillWriting = true;
        for (int row : writeOrder) {
            if (written[row].isEmpty()) {
                // A row the run leaves empty anyway tells nothing.
                stillWriting = stillWriting && c.rows[row].isEmpty();
            } else {
                EXPECT_TRUE(stillWriting) << c.name << ": row " << row << " after a failure";
                EXPECT_EQ(written[row], c.rows[row]) << c.name << ", failing allocation " << point;
            }
        }
        // Still usable: the next message, without failures, fills every row.
        session.publish(c.topic);
        EXPECT_EQ(devhost::WindowRows::of(window).valueTexts(), c.rows) << c.name;
    }
    std::printf("[sweep] refresh, %s: %zu allocation points\n", c.name, failures);
    EXPECT_TRUE(session.stop()) << session.errorString();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, RefreshSweep,
                         testing::ValuesIn(testsupport::refreshScenarios()));
