#include "framework/List.h"

#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/AllocationTracker.h"
#include "tests/support/CountingAllocator.h"

using Quarn::List;
using Quarn::Node;
using Quarn::StandardAllocator;
using testsupport::CountingAllocator;

namespace {

using StreamNode = Node<std::uint64_t>;

// Links nodes taken from the list's allocator the way a filler in another
// module does, leaving `count` at whatever the test says.
void chain(List<std::uint64_t>& list, const std::vector<std::uint64_t>& values,
           std::uint32_t count) {
    StreamNode** link = &list.head;
    for (std::uint64_t value : values) {
        StreamNode* node = list.allocator->allocate(1);
        node->value = value;
        node->next = nullptr;
        *link = node;
        link = &node->next;
    }
    list.count = count;
}

}  // namespace

TEST(StandardAllocator, DefaultInstanceIsOnePerElementType) {
    auto* nodes = StandardAllocator<StreamNode>::instance();
    EXPECT_EQ(nodes, StandardAllocator<StreamNode>::instance());
    EXPECT_NE(static_cast<void*>(nodes), static_cast<void*>(StandardAllocator<char>::instance()));
}

TEST(StandardAllocator, OverflowingNodeRequestThrowsAndAllocatesNothing) {
    auto* nodes = StandardAllocator<StreamNode>::instance();
    const std::size_t tooMany = std::numeric_limits<std::size_t>::max() / sizeof(StreamNode) + 1;
    testsupport::AllocationTracker tracker;
    EXPECT_THROW(nodes->allocate(tooMany), std::bad_alloc);
    EXPECT_THROW(nodes->allocate(std::numeric_limits<std::size_t>::max()), std::bad_alloc);
    EXPECT_EQ(tracker.allocations(), 0u);
}

TEST(StandardAllocator, NodeRequestIsCountTimesNodeSize) {
    auto* nodes = StandardAllocator<StreamNode>::instance();
    StreamNode* block = nodes->allocate(3);
    // Writing every byte of three nodes stays inside the block (the sanitizer
    // build checks it).
    for (int i = 0; i < 3; ++i) {
        block[i].value = i;
        block[i].next = nullptr;
    }
    nodes->deallocate(block);
    nodes->deallocate(nullptr);
}

TEST(List, NewListIsEmptyWithTheDefaultNodeAllocator) {
    List<std::uint64_t> list;
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.reserved, nullptr);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.allocator, StandardAllocator<StreamNode>::instance());
    EXPECT_TRUE(list.toVector().empty());
    EXPECT_EQ(list.at(0), 0u);
    EXPECT_EQ(list.indexOf(0), -1);
}

TEST(List, ClearingAnEmptyListCallsNoAllocator) {
    CountingAllocator<StreamNode> allocator;
    List<std::uint64_t> list;
    list.allocator = &allocator;
    list.clear();
    EXPECT_TRUE(allocator.calls.empty());
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.allocator, &allocator);
}

TEST(List, ClearGivesEachNodeBackInChainOrder) {
    CountingAllocator<StreamNode> allocator;
    List<std::uint64_t> list;
    list.allocator = &allocator;
    chain(list, {7, 8, 9}, 3);
    const void* nodes[] = {list.head, list.head->next, list.head->next->next};
    list.reserved = list.head->next->next;
    allocator.calls.clear();

    // The counting allocator wipes each node as it takes it back: a clear
    // that read `next` afterwards would stop after the first node.
    list.clear();

    ASSERT_EQ(allocator.calls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(allocator.calls[i].kind, CountingAllocator<StreamNode>::Call::Deallocate);
        EXPECT_EQ(allocator.calls[i].block, nodes[i]) << "node " << i;
    }
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.reserved, nullptr);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.allocator, &allocator);
}

TEST(List, DestructorClears) {
    CountingAllocator<StreamNode> allocator;
    {
        List<std::uint64_t> list;
        list.allocator = &allocator;
        chain(list, {1, 2}, 2);
    }
    EXPECT_EQ(allocator.allocations(), 2u);
    EXPECT_EQ(allocator.deallocations(), 2u);
}

TEST(List, AtWalksTheChainAndGivesZeroPastItsEnd) {
    List<std::uint64_t> list;
    chain(list, {10, 0, 30}, 3);
    EXPECT_EQ(list.at(0), 10u);
    EXPECT_EQ(list.at(1), 0u);
    EXPECT_EQ(list.at(2), 30u);
    EXPECT_EQ(list.at(3), 0u);
    EXPECT_EQ(list.at(std::numeric_limits<std::uint32_t>::max()), 0u);

    List<int*> pointers;
    EXPECT_EQ(pointers.at(0), nullptr);
}

struct ToVectorCase {
    std::vector<std::uint64_t> chained;
    std::uint32_t count;
    std::vector<std::uint64_t> expected;
};

class ListToVector : public testing::TestWithParam<ToVectorCase> {};

TEST_P(ListToVector, GivesExactlyCountElementsBoundedByTheChain) {
    const ToVectorCase& c = GetParam();
    List<std::uint64_t> list;
    chain(list, c.chained, c.count);

    EXPECT_EQ(list.toVector(), c.expected);
    // The same elements as asking `at` for every index below `count`.
    std::vector<std::uint64_t> byIndex;
    for (std::uint32_t i = 0; i < c.count; ++i) {
        byIndex.push_back(list.at(i));
    }
    EXPECT_EQ(list.toVector(), byIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListToVector,
    testing::Values(ToVectorCase{{}, 0, {}}, ToVectorCase{{5, 0, 6}, 3, {5, 0, 6}},
                    // count says more than the chain holds: zero values at the end
                    ToVectorCase{{5, 6}, 3, {5, 6, 0}}, ToVectorCase{{}, 2, {0, 0}},
                    // the chain holds more than count says: the rest is not copied
                    ToVectorCase{{5, 6, 7}, 2, {5, 6}}, ToVectorCase{{5}, 0, {}}));

TEST(List, IndexOfGivesTheFirstEqualPosition) {
    List<std::uint64_t> list;
    chain(list, {4, 9, 4, 0}, 4);
    EXPECT_EQ(list.indexOf(4), 0);
    EXPECT_EQ(list.indexOf(9), 1);
    EXPECT_EQ(list.indexOf(0), 3);
    EXPECT_EQ(list.indexOf(5), -1);
}
