#include <thread>

#include "network/passkernel.h"

bool WaitForCounter(const long* counter, long value, const int* abandon) {
    // Spin briefly (the other thread is usually a block behind), then give
    // the core away so that a busy machine does not stall both threads.
    for (int spin = 0;; ++spin) {
        if (__atomic_load_n(counter, __ATOMIC_ACQUIRE) >= value) return true;
        if (__atomic_load_n(abandon, __ATOMIC_RELAXED)) return false;
        if (spin < 20000)
            __builtin_ia32_pause();
        else
            std::this_thread::yield();
    }
}
