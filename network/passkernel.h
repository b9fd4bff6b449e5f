// The vector kernels of the training passes, one set per instruction set,
// and what they share with the code that drives them.
#pragma once

#include "network/passworkspace.h"

// Receives each pass's error as soon as it is known, in pass order.
struct PassSink {
    void (*passDone)(void* context, double error);
    void* context;
};

// Hand-over between the two threads of a run. Each counter sits on its own
// cache line; a thread only ever raises its own counters.
struct PassSync {
    alignas(64) long partialReady = 0;   // blocks whose leading error sums are in partial
    alignas(64) long hiddenReady = 0;    // blocks whose next hidden signals are published
    alignas(64) long errorsReady = 0;    // passes whose error is in passError
    double passError[2] = {};            // by pass parity
    alignas(64) double leadError = 0.0;  // squared error of the lead's outputs, current example
    alignas(64) int abandon = 0;         // set when the run stops early (the sink threw)
};

// Waits until *counter >= value or the run is abandoned; false when abandoned.
// Out of line: the fast check happens at the call site.
bool WaitForCounter(const long* counter, long value, const int* abandon);

struct PassKernel {
    // All passes on one thread.
    void (*runAlone)(PassWorkspace& ws, long long passes, const PassSink& sink);
    // The calling thread's share of a two-thread run (outputs [0, split)).
    void (*runLead)(PassWorkspace& ws, long long passes, const PassSink& sink, PassSync& sync,
                    int split);
    // The helper thread's share (outputs [split, k), hidden layer).
    void (*runHelper)(PassWorkspace& ws, long long passes, PassSync& sync, int split);
};

extern const PassKernel GenericPassKernel;
extern const PassKernel Avx2PassKernel;
