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

    std::size_t allocations() const;
    std::size_t deallocations() const;
    bool failed() const;
};

}  // namespace testsupport
