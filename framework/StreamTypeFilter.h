#pragma once

#include <cstdint>

namespace Quarn {

// Stream type flags: the set of bits the player gives each stream. The
// meaning of the required bit, and of the bits not named here, is the
// player's.
inline constexpr std::uint32_t StreamTypeRequiredBit = 0x01;
inline constexpr std::uint32_t StreamTypeVideo = 0x10;
inline constexpr std::uint32_t StreamTypeAudio = 0x20;

// What the player consults, once for each of its streams, to decide which
// stream identifiers to list.
class StreamTypeFilter {
public:
    virtual ~StreamTypeFilter() {}
    // `first` is a value the player passes ahead of the flags; `typeFlags` is
    // the stream's set of type flags.
    virtual bool match(std::uint64_t first, std::uint32_t typeFlags) const = 0;
};

// Accepts a stream that has every flag of `allOf` and at least one flag of
// `anyOf`. With `anyOf` 0 it accepts nothing.
class STMatchMixedFilter : public StreamTypeFilter {
public:
    STMatchMixedFilter(std::uint32_t allOf, std::uint32_t anyOf) : allOf(allOf), anyOf(anyOf) {}

    bool match(std::uint64_t, std::uint32_t typeFlags) const override {
        return (typeFlags & allOf) == allOf && (typeFlags & anyOf) != 0;
    }

    const std::uint32_t allOf;
    const std::uint32_t anyOf;
};

}  // namespace Quarn
