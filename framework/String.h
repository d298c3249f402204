#pragma once

#include <cstdint>
#include <string>

#include "framework/StandardAllocator.h"

namespace Quarn {

// The framework's counted byte string. Every string owns its buffer and
// frees it through the allocator that made it; copies never share.
class String {
public:
    // Builds from NUL-terminated text; a null text gives a string without a
    // buffer and allocates nothing.
    String(const char* text = nullptr,
           StandardAllocator<char>* allocator = StandardAllocator<char>::instance());

    // Copies `length` bytes and the terminating NUL into a buffer from
    // `allocator`, which is the default character allocator unless named,
    // whatever allocator the source uses. This is also the copy constructor.
    String(const String& other,
           StandardAllocator<char>* allocator = StandardAllocator<char>::instance());

    // Copies the same way as the copy constructor: afterwards this string's
    // buffer comes from the default character allocator.
    String& operator=(const String& other);

    ~String() { clear(); }

    // Gives the buffer back through this string's own allocator.
    void clear();

    // The text up to its first NUL byte; empty when there is no buffer.
    std::string toStdString() const;

    // Compares the texts up to their first NUL, letter case included; a null
    // `text` reads as empty.
    bool equals(const char* text) const;

    // Both take the other string by value, as the host's callers expect.
    bool operator==(String other) const;
    bool operator!=(String other) const;

    char* data;
    std::int32_t length;
    StandardAllocator<char>* allocator;

private:
    void copyFrom(const char* text, std::size_t byteCount);
};

}  // namespace Quarn
