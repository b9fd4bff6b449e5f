#include "cli/interrupt.h"

#include <csignal>

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

struct sigaction g_previous;

void OnInterrupt(int) {
    g_interrupted.store(true);
}

}  // namespace

InterruptStop::InterruptStop() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // The handler runs once; the next SIGINT takes the default action.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, &g_previous);
}

InterruptStop::~InterruptStop() {
    sigaction(SIGINT, &g_previous, nullptr);
}

const std::atomic<bool>& InterruptStop::Flag() {
    return g_interrupted;
}
