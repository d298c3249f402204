#include "framework/StreamTypeFilter.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "framework/ListEditing.h"
#include "framework/StreamList.h"
#include "tests/support/CountingAllocator.h"

using Quarn::STMatchMixedFilter;
using Quarn::StreamList;
using Quarn::StreamTypeAudio;
using Quarn::StreamTypeFilter;
using Quarn::StreamTypeRequiredBit;
using Quarn::StreamTypeVideo;

struct FilterCase {
    std::uint32_t allOf;
    std::uint32_t anyOf;
    std::uint32_t flags;
    bool accepted;
};

class StreamTypeFilterTruth : public testing::TestWithParam<FilterCase> {};

TEST_P(StreamTypeFilterTruth, AllOfTheRequiredAndAnyOfTheWanted) {
    const FilterCase& c = GetParam();
    const STMatchMixedFilter filter(c.allOf, c.anyOf);
    const StreamTypeFilter& asBase = filter;
    // The first argument never changes the answer.
    for (std::uint64_t first : {0ull, 1ull, 0xFFFFFFFFFFFFFFFFull}) {
        EXPECT_EQ(asBase.match(first, c.flags), c.accepted)
            << std::hex << c.allOf << " " << c.anyOf << " " << c.flags;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StreamTypeFilterTruth,
    testing::Values(FilterCase{0x01, 0x10, 0x11, true}, FilterCase{0x01, 0x10, 0x31, true},
                    FilterCase{0x01, 0x10, 0xFFFFFFFF, true}, FilterCase{0x01, 0x10, 0x10, false},
                    FilterCase{0x01, 0x10, 0x01, false}, FilterCase{0x01, 0x10, 0x21, false},
                    FilterCase{0x01, 0x10, 0x00, false},
                    // both of the refresh's filters accept a stream flagged 0x31
                    FilterCase{0x01, 0x20, 0x31, true},
                    // allOf 0: only the anyOf test counts
                    FilterCase{0x00, 0x20, 0x20, true}, FilterCase{0x00, 0x20, 0x01, false},
                    // anyOf 0 accepts nothing
                    FilterCase{0x00, 0x00, 0xFFFFFFFF, false},
                    FilterCase{0x01, 0x00, 0xFFFFFFFF, false},
                    // every required bit must be there
                    FilterCase{0x03, 0x10, 0x11, false}, FilterCase{0x03, 0x10, 0x13, true}));

TEST(StreamTypeFilter, FlagValues) {
    EXPECT_EQ(StreamTypeRequiredBit, 0x01u);
    EXPECT_EQ(StreamTypeVideo, 0x10u);
    EXPECT_EQ(StreamTypeAudio, 0x20u);
    const STMatchMixedFilter filter(StreamTypeRequiredBit, StreamTypeVideo);
    EXPECT_EQ(filter.allOf, 0x01u);
    EXPECT_EQ(filter.anyOf, 0x10u);
}

namespace {

struct TestStream {
    std::uint64_t id;
    std::uint32_t flags;
};

// Lists streams as a player does: each accepted stream's id appended to the
// caller's list through that list's allocator. It can be told to give up
// after some streams, as a player that runs out of memory would.
class TestPlayer {
public:
    explicit TestPlayer(std::vector<TestStream> streams) : streams(std::move(streams)) {}

    void getStreams(StreamTypeFilter* filter, StreamList* out) const {
        int listed = 0;
        for (const TestStream& stream : streams) {
            if (filter->match(0, stream.flags)) {
                if (listed == stopAfter) {
                    throw std::bad_alloc();
                }
                Quarn::appendToList(*out, stream.id);
                ++listed;
            }
        }
    }

    std::vector<TestStream> streams;
    int stopAfter = -1;
};

const TestPlayer kPlayer({{7, 0x11}, {8, 0x21}, {9, 0x31}, {10, 0x10}, {11, 0x11}});

}  // namespace

TEST(StreamList, FilledByThePlayerAndClearedBackThroughItsAllocator) {
    testsupport::CountingAllocator<Quarn::Node<std::uint64_t>> allocator;
    {
        StreamList videos;
        videos.allocator = &allocator;
        STMatchMixedFilter filter(StreamTypeRequiredBit, StreamTypeVideo);
        kPlayer.getStreams(&filter, &videos);

        EXPECT_EQ(videos.toVector(), (std::vector<std::uint64_t>{7, 9, 11}));
        EXPECT_EQ(Quarn::firstStream(videos), 7u);
        EXPECT_EQ(allocator.allocations(), 3u);
        EXPECT_EQ(allocator.deallocations(), 0u);
    }
    EXPECT_EQ(allocator.deallocations(), 3u);
}

TEST(StreamList, NoStreamListedMeansNoFirstAndNothingToGiveBack) {
    testsupport::CountingAllocator<Quarn::Node<std::uint64_t>> allocator;
    {
        StreamList none;
        none.allocator = &allocator;
        STMatchMixedFilter filter(StreamTypeRequiredBit, 0x40);
        kPlayer.getStreams(&filter, &none);
        EXPECT_EQ(Quarn::firstStream(none), std::nullopt);
    }
    EXPECT_TRUE(allocator.calls.empty());
}

TEST(StreamList, PlayerStoppingPartWayStillHasItsNodesGivenBack) {
    testsupport::CountingAllocator<Quarn::Node<std::uint64_t>> allocator;
    TestPlayer failing = kPlayer;
    failing.stopAfter = 2;
    try {
        StreamList videos;
        videos.allocator = &allocator;
        STMatchMixedFilter filter(StreamTypeRequiredBit, StreamTypeVideo);
        failing.getStreams(&filter, &videos);
        FAIL() << "the player was to stop part-way";
    } catch (const std::bad_alloc&) {
    }
    EXPECT_EQ(allocator.allocations(), 2u);
    EXPECT_EQ(allocator.deallocations(), 2u);
}

TEST(StreamList, IsMadeEmptyWithTheDefaultNodeAllocator) {
    StreamList streams;
    EXPECT_EQ(streams.head, nullptr);
    EXPECT_EQ(streams.count, 0u);
    EXPECT_EQ(streams.allocator, Quarn::StandardAllocator<Quarn::Node<std::uint64_t>>::instance());
}

TEST(ListAppend, AppendsInOrderAfterANodeLinkedByAnotherFiller) {
    StreamList streams;
    // A filler that linked its node by hand and left the reserved word unset.
    auto* first = streams.allocator->allocate(1);
    first->value = 1;
    first->next = nullptr;
    streams.head = first;
    streams.count = 1;

    Quarn::appendToList<std::uint64_t>(streams, 2);
    Quarn::appendToList<std::uint64_t>(streams, 3);
    EXPECT_EQ(streams.toVector(), (std::vector<std::uint64_t>{1, 2, 3}));
    EXPECT_EQ(streams.count, 3u);
}
