#include "storage/signalhold.h"

#include <signal.h>

#include <atomic>
#include <mutex>

namespace {

constexpr int HeldSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int HeldCount = sizeof HeldSignals / sizeof HeldSignals[0];

// How often each signal arrived during the hold (a second Ctrl+C must end
// the program after the first one has asked it to stop).
std::atomic<int> g_arrived[HeldCount];
static_assert(std::atomic<int>::is_always_lock_free, "counted from a signal handler");

struct sigaction g_previous[HeldCount];

// One hold at a time: the handlers are process-wide.
std::mutex g_holdMutex;

void Record(int signal) {
    for (int i = 0; i < HeldCount; ++i)
        if (HeldSignals[i] == signal) g_arrived[i].fetch_add(1);
}

}  // namespace

SignalHold::SignalHold() {
    g_holdMutex.lock();
    // A signal sent to the process may reach any thread, so blocking it in
    // this one would not be enough: every thread records it instead. Nor is
    // it blocked here, where two of one kind would merge into one pending.
    struct sigaction record {};
    record.sa_handler = Record;
    sigemptyset(&record.sa_mask);
    record.sa_flags = SA_RESTART;
    for (int i = 0; i < HeldCount; ++i) {
        g_arrived[i].store(0);
        sigaction(HeldSignals[i], &record, &g_previous[i]);
    }
}

SignalHold::~SignalHold() {
    for (int i = 0; i < HeldCount; ++i) sigaction(HeldSignals[i], &g_previous[i], nullptr);
    int times[HeldCount];
    for (int i = 0; i < HeldCount; ++i) times[i] = g_arrived[i].exchange(0);
    g_holdMutex.unlock();
    // Standard signals do not queue: more than two of one kind act as two.
    for (int i = 0; i < HeldCount; ++i)
        for (int t = 0; t < times[i] && t < 2; ++t) ::raise(HeldSignals[i]);
}
