#pragma once

#include <future>

#include <boost/thread/recursive_mutex.hpp>

namespace testsupport {

// Whether another thread can take `lock` right now. (The owning thread can
// always take a recursive lock again, so only another thread can tell.)
inline bool freeForAnotherThread(boost::recursive_mutex& lock) {
    return std::async(std::launch::async,
                      [&] {
                          if (!lock.try_lock()) {
                              return false;
                          }
                          lock.unlock();
                          return true;
                      })
        .get();
}

}  // namespace testsupport
