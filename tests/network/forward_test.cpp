#include "network/forward.h"

#include <gtest/gtest.h>

#include <cmath>

#include "network/rng.h"
#include "tests/network/reference_training.h"
#include "tests/support/task_builder.h"

namespace {

// n inputs with values 1..3, m hidden, k outputs, weights all zero.
std::unique_ptr<NetTask> Shaped(int n, int m, int k) {
    auto task = MakeTask();
    for (int i = 0; i < n; ++i)
        AddParam(*task, {Numbered("p", i), {{1.0, "a"}, {2.0, "b"}, {3.0, "c"}}});
    task->hiddenCount = m;
    std::vector<std::string> outs;
    for (int o = 0; o < k; ++o) outs.push_back(Numbered("o", o));
    SetOutputs(*task, outs);
    return task;
}

TEST(ForwardPass, UntrainedNetworkGivesHalfEverywhereAndAnswersFirstOutput) {
    auto task = Shaped(2, 3, 4);
    const int choice[] = {1, 2};
    EXPECT_EQ(CheckAnswer(*task, choice), 0);
    for (int h = 0; h < 3; ++h) EXPECT_EQ(task->hiddenSignals[h], 0.5);
    for (int o = 0; o < 4; ++o) EXPECT_EQ(task->outputSignals[o], 0.5);
    EXPECT_EQ(task->inputSignals[0], 2.0);
    EXPECT_EQ(task->inputSignals[1], 3.0);
}

TEST(ForwardPass, HiddenBiasRowFollowsInputCount) {
    // With n = 3 the bias is row 3; with n = 4 row 3 is the weight of input 3.
    auto task = Shaped(3, 1, 1);
    task->weightsInputHidden[3][0] = 2.0;
    task->inputSignals[0] = task->inputSignals[1] = task->inputSignals[2] = 0.0;
    ForwardPass(*task);
    EXPECT_DOUBLE_EQ(task->hiddenSignals[0], 1.0 / (std::exp(-2.0) + 1.0));

    AddParam(*task, {"p3", {{1.0, "a"}}});
    task->inputSignals[3] = 0.5;
    task->weightsInputHidden[4][0] = -1.0;
    ForwardPass(*task);
    EXPECT_DOUBLE_EQ(task->hiddenSignals[0], 1.0 / (std::exp(-(0.5 * 2.0 - 1.0)) + 1.0));
}

TEST(ForwardPass, OutputBiasRowFollowsHiddenCount) {
    auto task = Shaped(1, 2, 1);
    task->weightsHiddenOutput[2][0] = -3.0;  // bias of output 0 with m = 2
    task->weightsHiddenOutput[1][0] = 1.0;
    task->inputSignals[0] = 0.0;
    ForwardPass(*task);
    const double s = 0.5 * 0.0 + 0.0;
    EXPECT_DOUBLE_EQ(task->outputSignals[0], 1.0 / (std::exp(-(s + 0.5 * 1.0 - 3.0)) + 1.0));
}

TEST(ForwardPass, SaturatesToExactZeroAndOne) {
    auto task = Shaped(1, 1, 2);
    task->weightsInputHidden[1][0] = -800.0;  // hidden sum -800 underflows to 0
    task->weightsHiddenOutput[1][0] = 40.0;   // output 0 rounds to exactly 1
    task->weightsHiddenOutput[1][1] = -800.0;
    task->inputSignals[0] = 0.0;
    ForwardPass(*task);
    EXPECT_EQ(task->hiddenSignals[0], 0.0);
    EXPECT_EQ(task->outputSignals[0], 1.0);
    EXPECT_EQ(task->outputSignals[1], 0.0);
}

TEST(ForwardPass, InputValuesAreNotScaled) {
    auto task = Shaped(1, 1, 1);
    task->inputParams[0].variantValues[0] = 1000.0;
    task->weightsInputHidden[0][0] = 0.001;
    const int choice[] = {0};
    CheckAnswer(*task, choice);
    EXPECT_EQ(task->inputSignals[0], 1000.0);
    EXPECT_DOUBLE_EQ(task->hiddenSignals[0], 1.0 / (std::exp(-1.0) + 1.0));
}

TEST(WinningOutput, StrictlyGreaterWinsAndTiesGoToLowestIndex) {
    const double tie[] = {0.2, 0.7, 0.7, 0.1};
    EXPECT_EQ(WinningOutput(tie, 4), 1);
    const double last[] = {0.2, 0.3, 0.9};
    EXPECT_EQ(WinningOutput(last, 3), 2);
    const double one[] = {0.0};
    EXPECT_EQ(WinningOutput(one, 1), 0);
    // Only the first k signals count.
    const double beyond[] = {0.5, 0.4, 0.99};
    EXPECT_EQ(WinningOutput(beyond, 2), 0);
}

TEST(CheckAnswer, PicksTheLargestOutputForTheChosenVariants) {
    auto task = Shaped(1, 1, 3);
    // Hidden neuron saturates high for value 3, low for value 1.
    task->weightsInputHidden[0][0] = 50.0;
    task->weightsInputHidden[1][0] = -100.0;
    task->weightsHiddenOutput[0][2] = 5.0;  // output 2 follows the hidden neuron
    task->weightsHiddenOutput[1][1] = 1.0;  // output 1 has a constant lead otherwise
    const int low[] = {0}, high[] = {2};
    EXPECT_EQ(CheckAnswer(*task, low), 1);
    EXPECT_EQ(CheckAnswer(*task, high), 2);
}

TEST(CheckAnswer, RefusesShapesAndIndexesOutsideStorage) {
    auto task = Shaped(2, 500, 2);  // more hidden neurons than the tables hold
    const int choice[] = {0, 0};
    task->hiddenSignals[0] = 0.25;
    EXPECT_EQ(CheckAnswer(*task, choice), -1);
    EXPECT_EQ(task->hiddenSignals[0], 0.25) << "nothing may be evaluated";

    task->hiddenCount = 0;
    EXPECT_EQ(CheckAnswer(*task, choice), -1);
    task->hiddenCount = 3;
    const int badVariant[] = {0, 3};
    EXPECT_EQ(CheckAnswer(*task, badVariant), -1);
    const int negative[] = {-1, 0};
    EXPECT_EQ(CheckAnswer(*task, negative), -1);
    EXPECT_EQ(CheckAnswer(*task, choice), 0);
}

TEST(ReferenceLoadExample, TakesVariantValuesAndTargetsOfTheExample) {
    auto task = Shaped(2, 1, 3);
    PutExample(*task, {2, 0}, 0);
    PutExample(*task, {1, 2}, 2);
    ReferenceLoadExample(*task, 1);
    EXPECT_EQ(task->inputSignals[0], 2.0);
    EXPECT_EQ(task->inputSignals[1], 3.0);
    EXPECT_EQ(task->targetSignals[0], 0.0);
    EXPECT_EQ(task->targetSignals[1], 0.0);
    EXPECT_EQ(task->targetSignals[2], 1.0);
}

TEST(ClassicRng, MatchesThePlatformSequence) {
    // The platform generator seeded with 1 starts 41, 18467, 6334, 26500.
    ClassicRng rng(1);
    EXPECT_EQ(rng.Next(), 41);
    EXPECT_EQ(rng.Next(), 18467);
    EXPECT_EQ(rng.Next(), 6334);
    EXPECT_EQ(rng.Next(), 26500);
    ClassicRng wide(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        int r = wide.Next();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
    }
}

}  // namespace
