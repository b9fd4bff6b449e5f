// Ctrl+C (SIGINT) during a run: the first asks the run to stop after the pass
// in progress, a second one ends the program at once (the default action).
#pragma once

#include <atomic>

class InterruptStop {
  public:
    InterruptStop();   // installs the handler
    ~InterruptStop();  // puts the previous one back

    InterruptStop(const InterruptStop&) = delete;
    InterruptStop& operator=(const InterruptStop&) = delete;

    // Set once SIGINT has arrived.
    static const std::atomic<bool>& Flag();
};
