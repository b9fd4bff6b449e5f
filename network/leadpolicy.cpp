#include "network/leadpolicy.h"

void LeadPolicy::Check(PassSync& sync, long unit) {
    if (unit - windowUnit < kMinWindow) return;
    const long long now = NowNanoseconds();
    if (now - windowStart < kWindowTime) return;
    const long solo = __atomic_load_n(&sync.soloUntil, __ATOMIC_RELAXED);
    const long units = unit - windowUnit;
    const double rate = static_cast<double>(units) / static_cast<double>(now - windowStart);
    if (windowAlone && unit <= solo) {
        aloneRate = aloneRate == 0.0 ? rate : (aloneRate + rate) / 2;
        aloneAge = 0;
    } else if (!windowAlone && windowUnit >= solo && !grace) {
        // Both paces are averaged: one window can hold a stall of
        // milliseconds that says nothing about the next.
        withRate = withRate == 0.0 ? rate : (withRate + rate) / 2;
        ++aloneAge;
        if (aloneRate == 0.0 || ++measured % kReprobe == 0) {
            KeepAway(sync, unit, 2 * units);  // a look at the pace without the helper
        } else if (aloneAge <= kFresh && withRate < kClearLoss * aloneRate) {
            KeepAway(sync, unit, units * kExile * factor);
            if (factor < kMaxFactor) factor *= 2;
        } else if (aloneAge <= kFresh) {
            factor = 1;
        }
    }
    const long soloNow = __atomic_load_n(&sync.soloUntil, __ATOMIC_RELAXED);
    grace = windowAlone && unit >= soloNow;
    windowAlone = unit < soloNow;
    windowStart = now;
    windowUnit = unit;
}

void LeadPolicy::KeepAway(PassSync& sync, long unit, long units) {
    const double rate = aloneRate != 0.0 ? aloneRate : withRate;
    __atomic_store_n(&sync.soloUntilTime, NowNanoseconds() + static_cast<long long>(units / rate),
                     __ATOMIC_RELAXED);
    __atomic_store_n(&sync.soloUntil, unit + units, __ATOMIC_RELEASE);
}
