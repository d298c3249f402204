#include "tests/support/AllocationTracker.h"

#include <dlfcn.h>

#include <cstdint>
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
// Count attempts only from callers in these modules; none: count all.
constexpr std::size_t kMaxModules = 4;
const void* watchedModules[kMaxModules];
std::size_t watchedModuleCount = 0;

// The blocks made by the watched module's code and not yet freed (by
// anyone). A fixed table: the replaced operators must not allocate.
constexpr std::size_t kMaxModuleBlocks = 1 << 14;
void* moduleBlocks[kMaxModuleBlocks];
std::size_t moduleBlockCount = 0;
bool moduleBlocksOverflowed = false;

void rememberModuleBlock(void* block) {
    if (moduleBlockCount == kMaxModuleBlocks) {
        moduleBlocksOverflowed = true;
        return;
    }
    moduleBlocks[moduleBlockCount++] = block;
}

void forgetModuleBlock(void* block) {
    for (std::size_t i = moduleBlockCount; i > 0; --i) {
        if (moduleBlocks[i - 1] == block) {
            moduleBlocks[i - 1] = moduleBlocks[--moduleBlockCount];
            return;
        }
    }
}

bool countsAsAttempt(const void* caller) {
    if (watchedModuleCount == 0) {
        return true;
    }
    Dl_info info;
    if (dladdr(caller, &info) == 0) {
        return false;
    }
    for (std::size_t i = 0; i < watchedModuleCount; ++i) {
        if (watchedModules[i] == info.dli_fbase) {
            return true;
        }
    }
    return false;
}

void* allocateBlock(std::size_t size, const void* caller) {
    const bool fromWatched = tracking && countsAsAttempt(caller);
    if (fromWatched) {
        ++attemptCount;
        if (attemptCount == failAt) {
            hasFailed = true;
            return nullptr;
        }
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (tracking && block != nullptr) {
        ++madeCount;
        if (fromWatched && watchedModuleCount > 0) {
            rememberModuleBlock(block);
        }
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
        if (moduleBlockCount > 0) {
            forgetModuleBlock(block);
        }
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
    watchedModuleCount = 0;
    moduleBlockCount = 0;
    moduleBlocksOverflowed = false;
    tracking = true;
}

AllocationTracker::~AllocationTracker() {
    tracking = false;
    failAt = 0;
    watchedModuleCount = 0;
}

void AllocationTracker::failAfter(std::size_t successes) {
    failAt = attemptCount + successes + 1;
}

void AllocationTracker::failAfterIn(std::size_t successes, const void* codeInModule) {
    watchModule(codeInModule);
    attemptCount = 0;
    moduleBlockCount = 0;
    failAfter(successes);
}

void AllocationTracker::watchModule(const void* codeInModule) {
    Dl_info info;
    if (dladdr(codeInModule, &info) != 0 && watchedModuleCount < kMaxModules) {
        watchedModules[watchedModuleCount++] = info.dli_fbase;
    }
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

std::size_t AllocationTracker::liveModuleBlocks() const {
    return moduleBlocksOverflowed ? SIZE_MAX : moduleBlockCount;
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
