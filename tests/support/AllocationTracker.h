#pragma once

#include <cstddef>

namespace testsupport {

// Watches the global operator new and delete of the test program (which this
// module replaces) for as long as it lives: counts the blocks made and freed,
// and can make one allocation fail with std::bad_alloc.
class AllocationTracker {
public:
    AllocationTracker();
    ~AllocationTracker();
    AllocationTracker(const AllocationTracker&) = delete;
    AllocationTracker& operator=(const AllocationTracker&) = delete;

    // The allocation after the first `successes` ones throws std::bad_alloc;
    // later ones succeed again.
    void failAfter(std::size_t successes);

    // The same, counting only the allocations asked for by code of the
    // module (executable or shared library) that holds `codeInModule`.
    // Libraries that cannot recover from a failed allocation of their own
    // (the toolkit, built without exception support) are left alone.
    void failAfterIn(std::size_t successes, const void* codeInModule);

    // Adds the module that holds `codeInModule` to those whose allocations
    // count (and whose blocks are remembered until freed). Call before
    // failAfterIn, which adds its own module.
    void watchModule(const void* codeInModule);

    // Blocks that the watched modules' code made while tracking and that
    // nobody has freed yet.
    std::size_t liveModuleBlocks() const;

    // Blocks handed out and given back while tracking; a failed attempt is
    // not a block.
    std::size_t allocations() const;
    std::size_t deallocations() const;
    bool failed() const;
};

}  // namespace testsupport
