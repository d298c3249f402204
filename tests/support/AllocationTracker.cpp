#include "tests/support/AllocationTracker.h"

#include <cstdlib>
#include <new>

namespace {

// Plain globals: the replaced operators may run before any static object is
// built and after all of them are gone.
bool tracking = false;
std::size_t madeCount = 0;
std::size_t freedCount = 0;
std::size_t failAt = 0;  // 1-based index of the allocation to fail; 0: none
bool hasFailed = false;

void* allocateBlock(std::size_t size) {
    if (tracking) {
        ++madeCount;
        if (failAt != 0 && madeCount == failAt) {
            hasFailed = true;
            return nullptr;
        }
    }
    return std::malloc(size == 0 ? 1 : size);
}

void* allocateOrThrow(std::size_t size) {
    void* block = allocateBlock(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void freeBlock(void* block) noexcept {
    if (block == nullptr) {
        return;
    }
    if (tracking) {
        ++freedCount;
    }
    std::free(block);
}

}  // namespace

namespace testsupport {

AllocationTracker::AllocationTracker() {
    madeCount = 0;
    freedCount = 0;
    failAt = 0;
    hasFailed = false;
    tracking = true;
}

AllocationTracker::~AllocationTracker() {
    tracking = false;
    failAt = 0;
}

void AllocationTracker::failAfter(std::size_t successes) {
    failAt = madeCount + successes + 1;
}

std::size_t AllocationTracker::allocations() const {
    return madeCount;
}

std::size_t AllocationTracker::deallocations() const {
    return freedCount;
}

bool AllocationTracker::failed() const {
    return hasFailed;
}

}  // namespace testsupport

void* operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateBlock(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateBlock(size);
}
void operator delete(void* block) noexcept {
    freeBlock(block);
}
void operator delete[](void* block) noexcept {
    freeBlock(block);
}
void operator delete(void* block, std::size_t) noexcept {
    freeBlock(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    freeBlock(block);
}
