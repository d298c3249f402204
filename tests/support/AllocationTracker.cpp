#include "tests/support/AllocationTracker.h"

#include <dlfcn.h>

#include <cstdlib>
#include <new>

namespace {

// Plain globals: the replaced operators may run before any static object is
// built and after all of them are gone.
bool tracking = false;
std::size_t attemptCount = 0;
std::size_t madeCount = 0;
std::size_t freedCount = 0;
std::size_t failAt = 0;  // 1-based index of the attempt to fail; 0: none
bool hasFailed = false;
const void* onlyModule = nullptr;  // count attempts only from callers in here

bool countsAsAttempt(const void* caller) {
    if (onlyModule == nullptr) {
        return true;
    }
    Dl_info info;
    return dladdr(caller, &info) != 0 && info.dli_fbase == onlyModule;
}

void* allocateBlock(std::size_t size, const void* caller) {
    if (tracking && countsAsAttempt(caller)) {
        ++attemptCount;
        if (attemptCount == failAt) {
            hasFailed = true;
            return nullptr;
        }
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (tracking && block != nullptr) {
        ++madeCount;
    }
    return block;
}

void* allocateOrThrow(std::size_t size, const void* caller) {
    void* block = allocateBlock(size, caller);
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
    attemptCount = 0;
    madeCount = 0;
    freedCount = 0;
    failAt = 0;
    hasFailed = false;
    onlyModule = nullptr;
    tracking = true;
}

AllocationTracker::~AllocationTracker() {
    tracking = false;
    failAt = 0;
    onlyModule = nullptr;
}

void AllocationTracker::failAfter(std::size_t successes) {
    failAt = attemptCount + successes + 1;
}

void AllocationTracker::failAfterIn(std::size_t successes, const void* codeInModule) {
    Dl_info info;
    onlyModule = dladdr(codeInModule, &info) != 0 ? info.dli_fbase : nullptr;
    attemptCount = 0;
    failAfter(successes);
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

// Each records its caller: the code that asked for the block.
void* operator new(std::size_t size) {
    return allocateOrThrow(size, __builtin_return_address(0));
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size, __builtin_return_address(0));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateBlock(size, __builtin_return_address(0));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateBlock(size, __builtin_return_address(0));
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
