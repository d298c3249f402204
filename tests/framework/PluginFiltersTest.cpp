#include "framework/PluginFilters.h"

#include <memory>

#include <gtest/gtest.h>

#include "tests/support/CountingAllocator.h"
#include "tests/support/TestRecords.h"

using Filter = Quarn::PluginContext::PluginInterfaceFilter;
using Selector = Quarn::PluginContext::SimplePluginInfoSelector;
using testsupport::ListedId;
using testsupport::TestRecord;

namespace {

const char* const kBasic = "com.zorv.playback.interface.BasicPlayback";

}  // namespace

struct FilterCase {
    const char* name;
    std::vector<ListedId> listed;
    ListedId wanted;
    bool accepted;
};

class PluginInterfaceFilterMatch : public testing::TestWithParam<FilterCase> {};

TEST_P(PluginInterfaceFilterMatch, AcceptsARecordListingTheIdentifier) {
    const FilterCase& c = GetParam();
    TestRecord record(c.listed);
    TestRecord wantedHolder({c.wanted});
    const Filter filter(wantedHolder.info.interfaceNames.head->value);
    EXPECT_EQ(filter(record.get()), c.accepted) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PluginInterfaceFilterMatch,
    testing::Values(
        FilterCase{"empty list", {}, ListedId::text(kBasic), false},
        FilterCase{
            "listed", {ListedId::text("a"), ListedId::text(kBasic)}, ListedId::text(kBasic), true},
        FilterCase{"listed twice",
                   {ListedId::text(kBasic), ListedId::text(kBasic)},
                   ListedId::text(kBasic),
                   true},
        FilterCase{"letter case counts",
                   {ListedId::text(kBasic)},
                   ListedId::text("com.zorv.playback.interface.basicplayback"),
                   false},
        FilterCase{"no buffer finds an empty listed id",
                   {ListedId::text("a"), ListedId::text("")},
                   ListedId::noBuffer(),
                   true},
        FilterCase{"no buffer finds a listed id without buffer",
                   {ListedId::noBuffer()},
                   ListedId::noBuffer(),
                   true},
        FilterCase{
            "no buffer finds nothing else", {ListedId::text("a")}, ListedId::noBuffer(), false},
        FilterCase{"a NUL inside a listed id's length ends it",
                   {ListedId::withNul(std::string("abc\0def", 7))},
                   ListedId::text("abc"),
                   true},
        FilterCase{"a NUL inside the wanted id's length ends it",
                   {ListedId::text("abc")},
                   ListedId::withNul(std::string("abc\0x", 5)),
                   true}));

TEST(PluginInterfaceFilter, IndexOfGivesTheFirstOfTwoListings) {
    TestRecord record({"x", kBasic, "y", kBasic});
    EXPECT_EQ(record.info.interfaceNames.indexOf(Quarn::String(kBasic)), 1);
    EXPECT_EQ(record.info.interfaceNames.indexOf(Quarn::String("z")), -1);
}

TEST(PluginInterfaceFilter, KeepsItsOwnDefaultAllocatedCopy) {
    testsupport::CountingAllocator<char> allocator;
    {
        Quarn::String id(kBasic, &allocator);
        const Filter filter(id);
        EXPECT_EQ(filter.interfaceId.allocator, Quarn::StandardAllocator<char>::instance());
        EXPECT_NE(filter.interfaceId.data, id.data);
        EXPECT_TRUE(filter.interfaceId.equals(kBasic));
        EXPECT_EQ(allocator.allocations(), 1u);  // the source's own buffer only
    }
    EXPECT_EQ(allocator.deallocations(), 1u);

    const Filter empty{Quarn::String(nullptr)};
    EXPECT_EQ(empty.interfaceId.data, nullptr);
    EXPECT_EQ(empty.interfaceId.length, 0);
}

TEST(PluginInterfaceFilter, CopyStillMatchesAfterItsSourceIsGone) {
    TestRecord record({kBasic});
    auto original = std::make_unique<Filter>(Quarn::String(kBasic));
    const Filter copy(*original);
    EXPECT_NE(copy.interfaceId.data, original->interfaceId.data);
    original.reset();
    EXPECT_TRUE(copy(record.get()));
}

TEST(SimplePluginInfoSelector, PrefersTheLowerAddress) {
    TestRecord records[2];
    Quarn::PluginInfo* lower = records[0].get();
    Quarn::PluginInfo* higher = records[1].get();
    ASSERT_LT(lower, higher);
    const Selector prefers;
    EXPECT_FALSE(prefers(lower, lower));
    EXPECT_TRUE(prefers(higher, lower));
    EXPECT_FALSE(prefers(lower, higher));
}
