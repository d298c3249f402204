#pragma once

#include <cstring>
#include <new>
#include <string>

#include "framework/String.h"

namespace Quarn {

// How a module fills a String that another module made (a player answering
// a name query): the new buffer comes from the string's own allocator, so
// its creator can free it, and whatever it held before goes back the same
// way. The text is stored whole, NUL bytes included, followed by one NUL.
inline void fillString(String& target, const std::string& text) {
    if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::bad_alloc();
    }
    char* buffer = target.allocator->allocate(text.size() + 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    target.clear();
    target.data = buffer;
    target.length = static_cast<std::int32_t>(text.size());
}

}  // namespace Quarn
