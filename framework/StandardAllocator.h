#pragma once

#include <cstddef>
#include <limits>
#include <new>

namespace Quarn {

// The allocator every framework container carries. Its operations are virtual
// so that a container made in one module is filled and freed through the
// allocator its creator chose, whichever module does the filling.
template <typename T>
class StandardAllocator {
public:
    StandardAllocator() = default;
    StandardAllocator(const StandardAllocator&) = delete;
    StandardAllocator& operator=(const StandardAllocator&) = delete;
    virtual ~StandardAllocator() {}

    // A block for `count` uninitialised elements. A request whose byte size
    // does not fit std::size_t fails with std::bad_alloc instead of wrapping
    // round to a short block.
    virtual T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(::operator new[](count * sizeof(T)));
    }

    // Gives a block from allocate() back; a null block is ignored.
    virtual void deallocate(T* block) {
        if (block != nullptr) {
            ::operator delete[](block);
        }
    }

    // The default instance for this element type: made on first use,
    // destroyed at exit after every static object that used it while being
    // built.
    static StandardAllocator* instance() {
        static StandardAllocator defaultInstance;
        return &defaultInstance;
    }
};

}  // namespace Quarn
