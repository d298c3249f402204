// The host and every plug-in reach these operations by their position in the
// table of virtual operations; moving one breaks every peer built against the
// same declarations. On this ABI the virtual destructor, listed first, takes
// two entries, so the entry of the operation listed at position p is p.

#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "host/PluginContext.h"
#include "plugin/Plugin.h"
#include "tests/support/MockPluginContext.h"
#include "tests/support/VtableSlot.h"

using testsupport::vtableSlot;

TEST(TableOrder, PluginBaseOperations) {
    using Quarn::Plugin;
    EXPECT_EQ(vtableSlot(&Plugin::retain), 2);
    EXPECT_EQ(vtableSlot(&Plugin::release), 3);
    EXPECT_EQ(vtableSlot(&Plugin::getRefCount), 4);
    EXPECT_EQ(vtableSlot(&Plugin::getPluginInfo), 5);
    EXPECT_EQ(vtableSlot(&Plugin::getContext), 6);
    EXPECT_EQ(vtableSlot(&Plugin::queryInterface), 7);
    EXPECT_EQ(vtableSlot(&Plugin::setPluginInfo), -1);
}

TEST(TableOrder, PluginContextOperations) {
    using Quarn::PluginContext;
    EXPECT_EQ(vtableSlot(&PluginContext::createPlugin), 3);
    EXPECT_EQ(vtableSlot(&PluginContext::pluginAboutToBeDeleted), 9);
    EXPECT_EQ(vtableSlot(&PluginContext::pluginDeleted), 10);
}

namespace {

template <typename Object, typename Member>
std::ptrdiff_t offsetIn(const Object& object, const Member& member) {
    return reinterpret_cast<const char*>(&member) - reinterpret_cast<const char*>(&object);
}

}  // namespace

// The plug-in reads these objects of the host's directly, member by member.
TEST(MemberOrder, PluginContextMembersFollowTheTable) {
    testsupport::MockPluginContext context;
    EXPECT_EQ(offsetIn(context, context.knownPlugins), static_cast<std::ptrdiff_t>(sizeof(void*)));
    EXPECT_LT(offsetIn(context, context.knownPlugins), offsetIn(context, context.livePlugins));
    EXPECT_LT(offsetIn(context, context.livePlugins), offsetIn(context, context.hostReserved));
    EXPECT_LT(offsetIn(context, context.hostReserved), offsetIn(context, context.pluginLock));
}

TEST(MemberOrder, StringListAndNode) {
    using Quarn::List;
    using Quarn::Node;
    using Quarn::String;
    EXPECT_EQ(offsetof(String, data), 0u);
    EXPECT_LT(offsetof(String, data), offsetof(String, length));
    EXPECT_LT(offsetof(String, length), offsetof(String, allocator));

    using Streams = List<std::uint64_t>;
    EXPECT_EQ(offsetof(Streams, head), 0u);
    EXPECT_LT(offsetof(Streams, head), offsetof(Streams, reserved));
    EXPECT_LT(offsetof(Streams, reserved), offsetof(Streams, count));
    EXPECT_LT(offsetof(Streams, count), offsetof(Streams, allocator));

    using StreamNode = Node<std::uint64_t>;
    EXPECT_EQ(offsetof(StreamNode, value), 0u);
    EXPECT_EQ(offsetof(StreamNode, next), 8u);
    EXPECT_EQ(sizeof(StreamNode), 16u);
}
