#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "framework/StandardAllocator.h"

namespace testsupport {

// A real allocator that records every call, so a test can tell which
// allocator made and freed each block and in which order.
template <typename T>
class CountingAllocator : public Quarn::StandardAllocator<T> {
public:
    struct Call {
        enum Kind { Allocate, Deallocate } kind;
        std::size_t count;  // elements asked for; 0 for Deallocate
        const void* block;
    };

    T* allocate(std::size_t count) override {
        T* block = Quarn::StandardAllocator<T>::allocate(count);
        calls.push_back({Call::Allocate, count, block});
        return block;
    }

    // Scribbles over the block before freeing it, so that a caller reading a
    // block after giving it back reads garbage even without a sanitizer.
    void deallocate(T* block) override {
        calls.push_back({Call::Deallocate, 0, block});
        if (block != nullptr) {
            std::memset(static_cast<void*>(block), 0, sizeof(T));
        }
        Quarn::StandardAllocator<T>::deallocate(block);
    }

    std::size_t allocations() const { return countOf(Call::Allocate); }
    std::size_t deallocations() const { return countOf(Call::Deallocate); }

    std::vector<Call> calls;

private:
    std::size_t countOf(typename Call::Kind kind) const {
        std::size_t n = 0;
        for (const Call& call : calls) {
            n += call.kind == kind ? 1 : 0;
        }
        return n;
    }
};

}  // namespace testsupport
