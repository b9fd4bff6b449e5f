#include <chrono>
#include <thread>

#include "network/passkernel.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long a waiting thread spins before it gives its core away; the other
// thread is normally a block (a few microseconds) away.
constexpr auto kSpin = std::chrono::microseconds(20);
constexpr auto kNap = std::chrono::microseconds(50);
constexpr auto kLongestNap = std::chrono::microseconds(200);

bool Reached(const long* counter, long value) {
    return __atomic_load_n(counter, __ATOMIC_ACQUIRE) >= value;
}

bool Finished(const int* finished) {
    return __atomic_load_n(finished, __ATOMIC_ACQUIRE) != 0;
}

// Spins up to kSpin; true once the counter has reached value.
bool Spin(const long* counter, long value) {
    const auto until = Clock::now() + kSpin;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (Reached(counter, value)) return true;
            __builtin_ia32_pause();
        }
        if (Clock::now() >= until) return false;
    }
}

}  // namespace

bool WaitForCounter(const long* counter, long value, const int* finished) {
    if (Spin(counter, value)) return true;
    // The other thread may be waiting for this core.
    for (;;) {
        if (Reached(counter, value)) return true;
        if (Finished(finished)) return false;
        std::this_thread::yield();
    }
}

bool NapForCounter(const long* counter, long value, const int* finished) {
    if (Spin(counter, value)) return true;
    // Nothing to do for a while: the lead runs units itself meanwhile, and a
    // helper that keeps spinning would only take time from it on a busy
    // machine. The naps grow while nothing changes.
    auto nap = kNap;
    for (;;) {
        if (Reached(counter, value)) return true;
        if (Finished(finished)) return false;
        std::this_thread::sleep_for(nap);
        if (nap < kLongestNap) nap *= 2;
    }
}

long long NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

bool SleepUntil(long long time, const int* finished) {
    // In slices, so that the end of the run is noticed soon.
    constexpr long long kSlice = 2000000;
    for (;;) {
        if (Finished(finished)) return false;
        const long long left = time - NowNanoseconds();
        if (left <= 0) return true;
        std::this_thread::sleep_for(std::chrono::nanoseconds(left < kSlice ? left : kSlice));
    }
}
