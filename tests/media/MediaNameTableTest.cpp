#include "media/MediaNameTable.h"

#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/AllocationTracker.h"
#include "tests/support/CountingAllocator.h"

using Vantrel::kAudioFormatTable;
using Vantrel::kVideoCodecTable;
using Vantrel::MediaNameTable;

namespace {

const MediaNameTable& table() {
    return *MediaNameTable::instance();
}

// A counted string of exactly these bytes (NULs included) with this length.
Quarn::String bytes(const std::string& content, std::int32_t length) {
    Quarn::String s(nullptr);
    s.data = s.allocator->allocate(content.size() + 1);
    std::memcpy(s.data, content.data(), content.size());
    s.data[content.size()] = '\0';
    s.length = length;
    return s;
}

std::string videoName(const Quarn::String& fourCC) {
    const Vantrel::VideoCodecEntry* entry = table().findVideoCodec(fourCC);
    return entry != nullptr ? entry->name : "(none)";
}

std::string audioName(std::uint32_t tag) {
    const Vantrel::AudioFormatEntry* entry = table().findAudioFormat(tag);
    return entry != nullptr ? entry->name : "(none)";
}

// What the lookup must answer: the first entry equal after lowering both
// texts with toLowerAscii.
const Vantrel::VideoCodecEntry* referenceLookup(const std::string& text) {
    for (const auto& entry : kVideoCodecTable) {
        if (MediaNameTable::toLowerAscii(text) == MediaNameTable::toLowerAscii(entry.fourCC)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

TEST(MediaNameTable, InstanceIsSharedAndNeverNull) {
    ASSERT_NE(MediaNameTable::instance(), nullptr);
    EXPECT_EQ(MediaNameTable::instance(), MediaNameTable::instance());
    MediaNameTable other;
    EXPECT_EQ(other.findAudioFormat(85), table().findAudioFormat(85));
}

TEST(MediaNameTable, TablesHoldTheirEntriesInOrderWithUniqueKeys) {
    EXPECT_EQ(kAudioFormatTable.front().tag, 1);
    EXPECT_EQ(kAudioFormatTable.back().tag, 0xDEAD);
    EXPECT_STREQ(kVideoCodecTable.front().fourCC, "3IV1");
    EXPECT_STREQ(kVideoCodecTable.back().fourCC, "????");

    std::set<int> tags;
    for (const auto& entry : kAudioFormatTable) {
        EXPECT_TRUE(tags.insert(entry.tag).second) << entry.tag;
    }
    std::set<std::string> keys;
    for (const auto& entry : kVideoCodecTable) {
        EXPECT_EQ(std::strlen(entry.fourCC), 4u) << entry.fourCC;
        EXPECT_TRUE(keys.insert(MediaNameTable::toLowerAscii(entry.fourCC)).second) << entry.fourCC;
        // Every key finds its own entry.
        EXPECT_EQ(table().findVideoCodec(Quarn::String(entry.fourCC)), &entry) << entry.fourCC;
    }
}

TEST(MediaNameTable, ZorvNamesHoldTheRegisteredSignAsUtf8) {
    EXPECT_EQ(videoName(Quarn::String("ZORV")), "Zorv\xC2\xAE Video");
    EXPECT_EQ(videoName(Quarn::String("zor3")), "Zorv\xC2\xAE 3.11 Video");
    EXPECT_EQ(videoName(Quarn::String("ZAVC")), "Zorv\xC2\xAE AVC");
}

struct AudioCase {
    std::uint32_t tag;
    const char* name;
};

class AudioLookup : public testing::TestWithParam<AudioCase> {};

TEST_P(AudioLookup, ComparesTheLowSixteenBits) {
    EXPECT_EQ(audioName(GetParam().tag), GetParam().name) << GetParam().tag;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AudioLookup,
    testing::Values(AudioCase{85, "MPEG-1 Layer-3 Audio (mp3)"},
                    AudioCase{65621, "MPEG-1 Layer-3 Audio (mp3)"},  // 0x10055
                    AudioCase{0xFFFF0001u, "PCM Audio"},
                    AudioCase{static_cast<std::uint32_t>(-1), "(none)"},  // low bits 65535
                    AudioCase{57005, "Unknown Audio"}, AudioCase{0, "(none)"},
                    AudioCase{4660, "(none)"}, AudioCase{80, "MPEG-1 Layer-2 Audio (mp2)"},
                    AudioCase{26481, "Ogg Vorbis Audio"}, AudioCase{0x2001, "DTS Audio"}));

struct VideoCase {
    std::string content;  // the buffer's bytes
    std::int32_t length;  // what the string says its length is
    const char* name;
};

class VideoLookup : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoLookup, IgnoresAsciiCaseAndNothingElse) {
    const VideoCase& c = GetParam();
    EXPECT_EQ(videoName(bytes(c.content, c.length)), c.name);
    // The same answer as lowering both texts and comparing them.
    const std::string text = std::string(c.content.c_str());
    const Vantrel::VideoCodecEntry* expected = referenceLookup(text);
    EXPECT_EQ(table().findVideoCodec(bytes(c.content, c.length)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VideoLookup,
    testing::Values(
        VideoCase{"XVID", 4, "XviD Mpeg-4 Video"}, VideoCase{"xvid", 4, "XviD Mpeg-4 Video"},
        VideoCase{"XvId", 4, "XviD Mpeg-4 Video"}, VideoCase{"xViD", 4, "XviD Mpeg-4 Video"},
        VideoCase{"I263", 4, "ITU H.263 (Intel)"}, VideoCase{"AVRN", 4, "Avid M-JPEG Video"},
        VideoCase{"YV12", 4, "YUV 4:2:0 Planar Video"}, VideoCase{"????", 4, "Unknown Video"},
        VideoCase{"VP61", 4, "On2 VP6.1 Video"}, VideoCase{"VP62", 4, "On2 VP6.2 Video"},
        VideoCase{"rle ", 4, "RLE Video"}, VideoCase{"RLE ", 4, "RLE Video"},
        // exactly four characters
        VideoCase{"RLE", 3, "(none)"}, VideoCase{"XVID ", 5, "(none)"},
        VideoCase{"XVIDX", 5, "(none)"}, VideoCase{"XVI", 3, "(none)"}, VideoCase{"", 0, "(none)"},
        // a NUL inside the length ends the text
        VideoCase{std::string("XVID\0zz", 7), 7, "XviD Mpeg-4 Video"},
        VideoCase{std::string("XV\0D", 4), 4, "(none)"},
        // bytes from 0x80 up are compared exactly: 0xC9 is not 'i' or 'I'
        VideoCase{"\xC9"
                  "263",
                  4, "(none)"},
        VideoCase{"\xE9"
                  "263",
                  4, "(none)"},
        // only the "Unknown" key finds the "Unknown" entry
        VideoCase{"ABCD", 4, "(none)"}, VideoCase{"???", 3, "(none)"}));

TEST(MediaNameTable, StringWithoutBufferFindsNothing) {
    EXPECT_EQ(table().findVideoCodec(Quarn::String(nullptr)), nullptr);
}

TEST(MediaNameTable, ByValueStringIsFreedThroughItsAllocatorOnEveryPath) {
    testsupport::CountingAllocator<char> allocator;
    for (const char* text : {"XVID", "NONE", "", static_cast<const char*>(nullptr)}) {
        allocator.calls.clear();
        // Built in place as the argument: the lookup owns this very string.
        table().findVideoCodec(Quarn::String(text, &allocator));
        EXPECT_EQ(allocator.allocations(), text != nullptr ? 1u : 0u) << (text ? text : "null");
        EXPECT_EQ(allocator.deallocations(), allocator.allocations()) << (text ? text : "null");
        if (text != nullptr) {
            EXPECT_EQ(allocator.calls[0].block, allocator.calls[1].block);
        }
    }
}

TEST(MediaNameTable, LookupsAllocateNothingOfTheirOwn) {
    Quarn::String miss("NONE");
    Quarn::String hit("????");
    testsupport::AllocationTracker tracker;
    table().findAudioFormat(85);
    table().findAudioFormat(4660);
    // Each call copies its argument: one block made and freed, no more.
    table().findVideoCodec(miss);
    table().findVideoCodec(hit);
    EXPECT_EQ(tracker.allocations(), 2u);
    EXPECT_EQ(tracker.deallocations(), 2u);
}

TEST(MediaNameTable, ToLowerAsciiLowersCapitalsOnly) {
    EXPECT_EQ(MediaNameTable::toLowerAscii("AbZ09"), "abz09");
    EXPECT_EQ(MediaNameTable::toLowerAscii("\xC9"), "\xC9");
    EXPECT_EQ(MediaNameTable::toLowerAscii(std::string("A\0B@[", 5)), std::string("a\0b@[", 5));
    EXPECT_EQ(MediaNameTable::toLowerAscii(""), "");
}
