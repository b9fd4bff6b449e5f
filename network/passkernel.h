// The vector kernels of the training passes, one set per instruction set,
// and what they share with the code that drives them.
#pragma once

#include "network/passworkspace.h"

// Receives each pass's error as soon as it is known, in pass order; false
// ends the run after that pass.
struct PassSink {
    bool (*passDone)(void* context, double error);
    void* context;
};

// Hand-over between the two threads of a run. The helper's share of each
// example is cut into units, one per block of hidden neurons; either thread
// may run a unit (whoever claims it first), so a helper that is not running
// never holds the lead up for longer than one unit it has already begun.
// Every counter sits on its own cache line. A counter is stored with release
// order after the data it publishes and loaded with acquire order before they
// are read. "Runner" is whichever thread claimed the unit.
//
//   counter       publishes                                writer        readers
//   partialReady  ws.partial of a block (the lead's        lead          helper
//                 hidden error sums), and leadError
//   nextUnit      nothing: claims a unit (compare-swap)    both          both
//   hiddenReady   the unit's block of next hidden          runner        lead
//                 signals, and passError
//   unitsDone     all a unit wrote (the helper's output    runner        runner of the
//                 weights and signals, passError)                        next unit
//   soloUntil     soloUntilTime                            lead (policy) helper, lead
//   finished      the end of the run                       passes.cpp    both (waits stop)
//   helperUnits   nothing: units the helper ran            helper        after the join
struct PassSync {
    alignas(64) long partialReady = 0;   // units whose leading error sums are in partial
    alignas(64) long nextUnit = 0;       // the next unit to be claimed
    alignas(64) long hiddenReady = 0;    // units whose next hidden signals are published
    alignas(64) long soloUntil = 0;      // the helper claims no unit below this one
    long long soloUntilTime = 0;         // ... and sleeps until about then (NowNanoseconds)
    alignas(64) long unitsDone = 0;      // units finished, in order
    alignas(64) int finished = 0;        // set when the run ends or stops early
    alignas(64) long helperUnits = 0;    // units the helper thread ran (tests, benchmark)
    alignas(64) double leadError = 0.0;  // squared error of the lead's outputs, current example
    double passError = 0.0;              // error of the pass in progress (kept by the units)
};

// Wait until *counter >= value or the run is finished (false then). Out of
// line: the fast check happens at the call site. WaitForCounter spins, then
// yields; NapForCounter spins, then sleeps in short naps.
bool WaitForCounter(const long* counter, long value, const int* finished);
bool NapForCounter(const long* counter, long value, const int* finished);

// A steady clock in nanoseconds.
long long NowNanoseconds();
// Sleeps until the clock reaches time (at once if it has); false when the
// run finished meanwhile.
bool SleepUntil(long long time, const int* finished);

struct PassKernel {
    // All passes on one thread.
    void (*runAlone)(PassWorkspace& ws, long long passes, const PassSink& sink);
    // The calling thread's share of a two-thread run (the outputs of part 0),
    // taking over helper units whenever the helper is not there to run them.
    void (*runLead)(PassWorkspace& ws, long long passes, const PassSink& sink, PassSync& sync);
    // The helper thread: claims and runs units (the outputs of part 1 and the
    // hidden layer) until the run is finished.
    void (*runHelper)(PassWorkspace& ws, long long passes, PassSync& sync);
    // The closing accuracy pass: the number of examples answered correctly.
    long (*countCorrect)(PassWorkspace& ws);
    // Exponential (network/exp.h) of count values, as the kernel computes it.
    void (*expArray)(const double* x, double* y, long count);
};

extern const PassKernel GenericPassKernel;
extern const PassKernel Avx2PassKernel;

// A run on the calling thread (the lead) and a helper thread; the lead runs
// every unit when no thread can be had. Returns the units the helper ran.
long RunOnTwoThreads(const PassKernel& kernel, PassWorkspace& ws, long long passes,
                     const PassSink& sink);
