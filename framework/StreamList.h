#pragma once

#include <cstdint>
#include <optional>

#include "framework/List.h"

namespace Quarn {

// The identifiers of the streams a player listed, in its order. The caller
// makes it empty (with the default node allocator), the player appends to it
// during getStreams, and its destructor gives every node back, whichever way
// the caller leaves.
using StreamList = List<std::uint64_t>;

// The first stream listed, if the player listed any.
inline std::optional<std::uint64_t> firstStream(const StreamList& streams) {
    if (streams.head == nullptr) {
        return std::nullopt;
    }
    return streams.head->value;
}

}  // namespace Quarn
