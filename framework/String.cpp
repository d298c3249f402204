#include "framework/String.h"

#include <cstring>
#include <new>
#include <utility>

namespace Quarn {

namespace {

std::int32_t checkedLength(std::size_t byteCount) {
    // The length field is 32 bits wide; a longer text cannot be represented.
    if (byteCount > static_cast<std::size_t>(INT32_MAX)) {
        throw std::bad_alloc();
    }
    return static_cast<std::int32_t>(byteCount);
}

}  // namespace

String::String(const char* text, StandardAllocator<char>* allocator)
    : data(nullptr), length(0), allocator(allocator) {
    if (text != nullptr) {
        copyFrom(text, std::strlen(text));
    }
}

String::String(const String& other, StandardAllocator<char>* allocator)
    : data(nullptr), length(0), allocator(allocator) {
    if (other.data != nullptr) {
        // The source's length decides how much is copied, NUL bytes inside
        // the text included. A negative length can only come from a broken
        // filler; it copies as an empty text rather than as a huge block.
        copyFrom(other.data, other.length > 0 ? static_cast<std::size_t>(other.length) : 0);
    }
}

String& String::operator=(const String& other) {
    if (this != &other) {
        String copy(other);
        std::swap(data, copy.data);
        std::swap(length, copy.length);
        std::swap(allocator, copy.allocator);
    }
    return *this;
}

void String::copyFrom(const char* text, std::size_t byteCount) {
    const std::int32_t newLength = checkedLength(byteCount);
    char* buffer = allocator->allocate(byteCount + 1);
    std::memcpy(buffer, text, byteCount);
    // Terminate ourselves rather than trusting the source to hold a NUL at
    // `length`: the copy is always a well-formed string.
    buffer[byteCount] = '\0';
    data = buffer;
    length = newLength;
}

void String::clear() {
    if (data != nullptr) {
        allocator->deallocate(data);
        data = nullptr;
    }
    length = 0;
}

std::string String::toStdString() const {
    return data != nullptr ? std::string(data) : std::string();
}

bool String::equals(const char* text) const {
    return toStdString() == (text != nullptr ? std::string(text) : std::string());
}

bool String::operator==(String other) const {
    return equals(other.data);
}

bool String::operator!=(String other) const {
    return !equals(other.data);
}

}  // namespace Quarn
