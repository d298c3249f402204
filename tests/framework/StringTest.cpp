#include "framework/String.h"

#include <cstring>
#include <new>

#include <gtest/gtest.h>

#include "tests/support/AllocationTracker.h"
#include "tests/support/CountingAllocator.h"

using Quarn::StandardAllocator;
using Quarn::String;
using testsupport::CountingAllocator;

namespace {

// A string holding `bytes` (which may contain NULs) with the given length,
// its buffer taken from `allocator` the way a filler in another module would.
void fill(String& s, const char* bytes, std::size_t byteCount, std::int32_t length) {
    s.clear();
    s.data = s.allocator->allocate(byteCount);
    std::memcpy(s.data, bytes, byteCount);
    s.length = length;
}

}  // namespace

TEST(String, NullTextHasNoBufferAndAllocatesNothing) {
    CountingAllocator<char> allocator;
    {
        String s(nullptr, &allocator);
        EXPECT_EQ(s.data, nullptr);
        EXPECT_EQ(s.length, 0);
        EXPECT_EQ(s.allocator, &allocator);
        EXPECT_EQ(s.toStdString(), "");
    }
    EXPECT_TRUE(allocator.calls.empty());
}

TEST(String, EmptyTextGetsOneByteBuffer) {
    CountingAllocator<char> allocator;
    {
        String s("", &allocator);
        ASSERT_NE(s.data, nullptr);
        EXPECT_EQ(s.data[0], '\0');
        EXPECT_EQ(s.length, 0);
        ASSERT_EQ(allocator.calls.size(), 1u);
        EXPECT_EQ(allocator.calls[0].count, 1u);
    }
    EXPECT_EQ(allocator.deallocations(), 1u);
}

TEST(String, BuildsFromTextThroughTheGivenAllocator) {
    CountingAllocator<char> allocator;
    const char* buffer = nullptr;
    {
        String s("Video", &allocator);
        buffer = s.data;
        EXPECT_EQ(s.length, 5);
        EXPECT_STREQ(s.data, "Video");
        ASSERT_EQ(allocator.calls.size(), 1u);
        EXPECT_EQ(allocator.calls[0].count, 6u);
    }
    ASSERT_EQ(allocator.calls.size(), 2u);
    EXPECT_EQ(allocator.calls[1].kind, CountingAllocator<char>::Call::Deallocate);
    EXPECT_EQ(allocator.calls[1].block, buffer);
}

TEST(String, DefaultsToTheDefaultCharacterAllocator) {
    String s("abc");
    EXPECT_EQ(s.allocator, StandardAllocator<char>::instance());
    EXPECT_EQ(StandardAllocator<char>::instance(), StandardAllocator<char>::instance());
}

TEST(String, CopyTakesItsBufferFromTheDefaultAllocatorWhateverTheSourceUses) {
    CountingAllocator<char> sourceAllocator;
    {
        String source("com.example.Interface", &sourceAllocator);
        {
            String copy(source);
            EXPECT_EQ(copy.allocator, StandardAllocator<char>::instance());
            EXPECT_NE(copy.data, source.data);
            EXPECT_EQ(copy.length, source.length);
            EXPECT_STREQ(copy.data, source.data);
        }
        // Neither making nor freeing the copy went through the source's allocator.
        EXPECT_EQ(sourceAllocator.allocations(), 1u);
        EXPECT_EQ(sourceAllocator.deallocations(), 0u);
    }
    EXPECT_EQ(sourceAllocator.deallocations(), 1u);
}

TEST(String, CopyWithANamedAllocatorUsesIt) {
    CountingAllocator<char> target;
    String source("abc");
    {
        String copy(source, &target);
        EXPECT_EQ(copy.allocator, &target);
        EXPECT_EQ(target.allocations(), 1u);
    }
    EXPECT_EQ(target.deallocations(), 1u);
}

TEST(String, CopyOfAStringWithoutBufferAllocatesNothing) {
    CountingAllocator<char> target;
    String source(nullptr);
    String copy(source, &target);
    EXPECT_EQ(copy.data, nullptr);
    EXPECT_EQ(copy.length, 0);
    EXPECT_TRUE(target.calls.empty());
}

TEST(String, AssignmentCopiesIntoADefaultBufferAndFreesTheOldOneWhereItCameFrom) {
    CountingAllocator<char> own;
    CountingAllocator<char> other;
    String target("old", &own);
    String source("new text", &other);
    const char* oldBuffer = target.data;

    target = source;

    EXPECT_STREQ(target.data, "new text");
    EXPECT_EQ(target.length, 8);
    EXPECT_EQ(target.allocator, StandardAllocator<char>::instance());
    ASSERT_EQ(own.deallocations(), 1u);
    EXPECT_EQ(own.calls.back().block, oldBuffer);
    EXPECT_EQ(other.allocations(), 1u);  // only the source's own buffer

    target = target;
    EXPECT_STREQ(target.data, "new text");
}

TEST(String, TextWithANulInsideItsLengthCopiesWholeButReadsUpToTheNul) {
    String s(nullptr);
    fill(s, "abc\0de", 7, 6);

    String copy(s);
    ASSERT_EQ(copy.length, 6);
    EXPECT_EQ(std::memcmp(copy.data, "abc\0de", 7), 0);
    EXPECT_EQ(copy.toStdString(), "abc");
    EXPECT_TRUE(copy == String("abc"));
    EXPECT_TRUE(s.equals("abc"));
    EXPECT_FALSE(s.equals("abcde"));
}

TEST(String, CopyOfABrokenLengthStaysWellFormed) {
    // A filler that left a negative length cannot make a copy read or
    // allocate out of bounds.
    String s(nullptr);
    fill(s, "xyz", 4, -5);
    String copy(s);
    EXPECT_EQ(copy.length, 0);
    ASSERT_NE(copy.data, nullptr);
    EXPECT_EQ(copy.data[0], '\0');
}

struct EqualityCase {
    const char* left;   // nullptr: a string without a buffer
    const char* right;  // compared both as a String and as a C text
    bool equal;
};

class StringEquality : public testing::TestWithParam<EqualityCase> {};

TEST_P(StringEquality, ComparesTextUpToTheFirstNul) {
    const EqualityCase& c = GetParam();
    String left(c.left);
    String right(c.right);
    EXPECT_EQ(left.equals(c.right), c.equal);
    EXPECT_EQ(left == right, c.equal);
    EXPECT_EQ(left != right, !c.equal);
    EXPECT_EQ(right == left, c.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringEquality,
    testing::Values(EqualityCase{nullptr, nullptr, true}, EqualityCase{nullptr, "", true},
                    EqualityCase{"", nullptr, true}, EqualityCase{"", "", true},
                    EqualityCase{"abc", "abc", true}, EqualityCase{"abc", "ABC", false},
                    EqualityCase{"abc", "abcd", false}, EqualityCase{"abc", "ab", false},
                    EqualityCase{nullptr, "a", false}, EqualityCase{"a", nullptr, false}));

TEST(String, ClearFreesThroughTheOwnAllocatorAndKeepsIt) {
    CountingAllocator<char> allocator;
    String s("text", &allocator);
    s.clear();
    EXPECT_EQ(s.data, nullptr);
    EXPECT_EQ(s.length, 0);
    EXPECT_EQ(s.allocator, &allocator);
    EXPECT_EQ(allocator.deallocations(), 1u);
    s.clear();
    EXPECT_EQ(allocator.deallocations(), 1u);
}

TEST(String, FailedBufferLeavesNothingAllocated) {
    String source("some identifier");
    testsupport::AllocationTracker tracker;
    tracker.failAfter(0);
    EXPECT_THROW(String copy(source), std::bad_alloc);
    EXPECT_TRUE(tracker.failed());
    EXPECT_EQ(tracker.deallocations(), 0u);
}

TEST(String, ByValueArgumentIsFreedWhenTheComparisonReturns) {
    String left("abc");
    String right("abc");
    testsupport::AllocationTracker tracker;
    EXPECT_TRUE(left == right);
    EXPECT_EQ(tracker.allocations(), tracker.deallocations());
}
