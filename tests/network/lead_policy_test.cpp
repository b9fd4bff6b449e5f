// The lead thread of a two-thread run must leave units to the helper: a
// policy (or a hand-over) that keeps the helper away for good would still
// give the right bits, only slower, so the results alone cannot tell.
#include <gtest/gtest.h>

#include "network/passkernel.h"
#include "network/rng.h"
#include "network/training.h"
#include "tests/support/task_builder.h"

namespace {

// 64 hidden neurons (four units an example) and 48 outputs, 32 of them the
// lead's: the helper's share is large enough to be worth taking.
std::unique_ptr<NetTask> TwoPartTask() {
    auto task = MakeTask();
    task->inputCount = 6;
    task->hiddenCount = 64;
    task->outputCount = 48;
    for (int i = 0; i < task->inputCount; ++i) {
        task->inputParams[i].variantCount = 2;
        task->inputParams[i].variantValues[0] = -1.0;
        task->inputParams[i].variantValues[1] = 1.0;
    }
    task->exampleCount = 40;
    for (int e = 0; e < task->exampleCount; ++e) {
        for (int i = 0; i < task->inputCount; ++i) task->examples[e].inputVariant[i] = (e >> i) & 1;
        for (int o = 0; o < task->outputCount; ++o) task->examples[e].target[o] = o == e % 48;
    }
    task->learningCoef = 0.1;
    ClassicRng rng(3);
    InitWeights(*task, rng);
    return task;
}

bool GoOn(void*, double) {
    return true;
}

TEST(LeadPolicy, TheHelperThreadTakesUnits) {
    auto task = TwoPartTask();
    const PassSink sink{&GoOn, nullptr};
    constexpr long long kPasses = 200;  // 32,000 units, some milliseconds
    const long units = kPasses * task->exampleCount * 4;
    // A busy machine may not run the helper during one run; over several it
    // must run some units, yet never all (the lead takes over when it is late
    // and runs its own outputs in any case).
    long taken = 0;
    for (int run = 0; run < 20 && taken == 0; ++run) {
        PassWorkspace ws(*task, 32);
        taken = RunOnTwoThreads(GenericPassKernel, ws, kPasses, sink);
        EXPECT_LE(taken, units);
    }
    EXPECT_GT(taken, 0) << "the helper never ran a unit in 20 runs";
}

}  // namespace
