#pragma once

#include <cstddef>
#include <cstring>

namespace testsupport {

// The index in the table of virtual operations that a pointer to a virtual
// member function names. On the Itanium C++ ABI (GCC and Clang on Linux) such
// a pointer holds 1 + the entry's byte offset in the table; a virtual
// destructor there takes two entries (the complete and the deleting one).
// Returns -1 for a pointer to a non-virtual member.
template <typename MemberPointer>
long vtableSlot(MemberPointer member) {
    static_assert(sizeof(MemberPointer) == 2 * sizeof(std::ptrdiff_t),
                  "expects the Itanium ABI's two-word member function pointer");
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof(words));
    if ((words[0] & 1) == 0) {
        return -1;
    }
    return static_cast<long>((words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}

}  // namespace testsupport
