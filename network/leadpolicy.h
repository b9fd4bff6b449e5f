// How the lead thread of a two-thread training run deals with the helper.
// No vector code: compiled once, shared by every instruction set's kernel.
#pragma once

#include "network/passkernel.h"

// The lead waits a little before running a unit itself. It measures its own
// progress (units per nanosecond) in windows of a few milliseconds, with the
// helper and, now and then, without it (the helper kept away for a while).
// When the helper makes things slower (a busy machine, where it does not get
// a core of its own), the lead keeps it away for twenty windows, twice as long
// each further time in a row. The window in which the helper comes back (or
// leaves) is not measured.
struct LeadPolicy {
    static constexpr unsigned long long kPatience = 8000;  // time-stamp ticks
    static constexpr long long kWindowTime = 2000000;      // nanoseconds
    static constexpr long kMinWindow = 64, kExile = 20, kMaxFactor = 256, kReprobe = 64;
    // The machine's own pace can drift by more than the helper gains (clock
    // changes, neighbours on a shared host), so a pace without the helper
    // counts only for a few windows after it was taken, and only a clear
    // loss (a helper without a core of its own costs far more) sends the
    // helper away.
    static constexpr long kFresh = 4;
    static constexpr double kClearLoss = 0.75;
    unsigned long long patience = kPatience;
    long long windowStart = 0;
    long windowUnit = 0;
    bool windowAlone = false;  // the window began while the helper was kept away
    bool grace = true;         // the window began as the helper came back
    double aloneRate = 0.0, withRate = 0.0;
    long factor = 1;
    long measured = 0;  // windows measured with the helper
    long aloneAge = 0;  // ... since the last window without it

    // Called before each unit's hidden signals are needed; may keep the
    // helper away (sync.soloUntil, sync.soloUntilTime).
    void Check(PassSync& sync, long unit);

  private:
    void KeepAway(PassSync& sync, long unit, long units);
};
