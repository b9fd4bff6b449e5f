#include "network/training.h"

#include <gtest/gtest.h>

#include <cstring>

#include "network/forward.h"
#include "network/passes.h"
#include "tests/network/reference_training.h"
#include "tests/support/comma_locale.h"
#include "tests/support/task_builder.h"

namespace {

// Two inputs, a separable rule: output = variant of input 0 (3 classes).
std::unique_ptr<NetTask> SeparableTask() {
    auto task = MakeTask();
    AddParam(*task, {"colour", {{0.0, "red"}, {1.0, "green"}, {2.0, "blue"}}});
    AddParam(*task, {"size", {{0.0, "small"}, {1.0, "large"}}});
    SetOutputs(*task, {"apple", "pear", "plum"});
    task->hiddenCount = 6;
    for (int c = 0; c < 3; ++c)
        for (int s = 0; s < 2; ++s) PutExample(*task, {c, s}, c);
    return task;
}

struct Captions {
    std::vector<std::string> seen;
    ProgressCallback callback() {
        return [this](const std::string& caption) { seen.push_back(caption); };
    }
};

TrainingOutcome Train(NetTask& task, const char* coef, const char* iters, uint32_t seed = 7,
                      Captions* captions = nullptr) {
    return TrainNetwork(task, coef, iters, seed, captions ? captions->callback() : nullptr);
}

TEST(TrainValidation, IterationCountIsCheckedFirst) {
    auto task = SeparableTask();
    for (const char* iters : {"0", "abc", "10000001", "-5", "", "99999999999"}) {
        TrainingOutcome outcome = Train(*task, "5", iters);  // a bad coefficient too
        EXPECT_EQ(outcome.status.kind, StatusKind::Refused) << iters;
        EXPECT_EQ(outcome.status.message, IterationsMessage) << iters;
        EXPECT_EQ(outcome.iterText, iters);
    }
}

TEST(TrainValidation, CoefficientMustLieAboveZeroUpToOne) {
    auto task = SeparableTask();
    for (const char* coef : {"0", "-0.5", "1.5", "0,5", "x", "nan", "1e999"}) {
        TrainingOutcome outcome = Train(*task, coef, "3");
        EXPECT_EQ(outcome.status.kind, StatusKind::Refused) << coef;
        EXPECT_EQ(outcome.status.message, CoefficientMessage) << coef;
    }
    EXPECT_TRUE(Train(*task, "1", "1").status.ok());
    EXPECT_TRUE(Train(*task, "  +1e-3xyz", "1").status.ok());
}

TEST(TrainValidation, NoExamplesIsRefusedAfterTheSettings) {
    auto task = SeparableTask();
    task->exampleCount = 0;
    EXPECT_EQ(Train(*task, "0", "1").status.message, CoefficientMessage);
    EXPECT_EQ(Train(*task, "0.2", "1").status.message, NoExamplesMessage);
}

TEST(TrainValidation, ARefusedRunChangesNothing) {
    auto task = SeparableTask();
    ASSERT_TRUE(Train(*task, "0.3", "2").status.ok());
    auto before = MakeTask();
    CopyTask(*task, *before);
    Captions captions;
    for (const char* iters : {"0", "5"}) {
        TrainingOutcome outcome = Train(*task, iters[0] == '0' ? "0.2" : "2", iters, 99, &captions);
        EXPECT_FALSE(outcome.status.ok());
        EXPECT_EQ(DescribeDifference(*task, *before), "");
    }
    task->exampleCount = 0;
    before->exampleCount = 0;
    EXPECT_FALSE(Train(*task, "0.2", "5").status.ok());
    EXPECT_EQ(DescribeDifference(*task, *before), "");
    EXPECT_TRUE(captions.seen.empty());
}

TEST(TrainValidation, NetworkOutsideItsStorageIsNeverTrained) {
    auto task = SeparableTask();
    auto before = MakeTask();
    for (int hidden : {0, -3, 500, 100000}) {
        task->hiddenCount = hidden;
        CopyTask(*task, *before);
        TrainingOutcome outcome = Train(*task, "0.2", "3");
        EXPECT_FALSE(outcome.status.ok()) << hidden;
        EXPECT_FALSE(outcome.status.message.empty());
        EXPECT_EQ(DescribeDifference(*task, *before), "") << hidden;
    }
    task->hiddenCount = 499;
    EXPECT_TRUE(Train(*task, "0.2", "1").status.ok());
    // An example pointing past its parameter's variants is refused too.
    task->examples[2].inputVariant[1] = 2;
    CopyTask(*task, *before);
    EXPECT_FALSE(Train(*task, "0.2", "1").status.ok());
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(TrainRun, OneIterationRunsThreePassesWithCaptionsAt100And200) {
    auto task = SeparableTask();
    Captions captions;
    TrainingOutcome outcome = Train(*task, "0.2", "1", 3, &captions);
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(task->errorCount, 3);
    ASSERT_EQ(captions.seen.size(), 3u);
    EXPECT_EQ(captions.seen[0], "Cеть в процессе обучения... 100%");
    EXPECT_EQ(captions.seen[1], "Cеть в процессе обучения... 200%");
    EXPECT_EQ(captions.seen[2], "Обучить!");
    EXPECT_EQ(captions.seen[0][0], 'C') << "the caption starts with a Latin C";
}

TEST(TrainRun, CaptionsAppearOnlyOnWholePercentages) {
    auto task = SeparableTask();
    Captions seven;
    ASSERT_TRUE(Train(*task, "0.2", "7", 3, &seven).status.ok());
    EXPECT_EQ(task->errorCount, 9);
    EXPECT_EQ(seven.seen,
              (std::vector<std::string>{"Cеть в процессе обучения... 100%", "Обучить!"}));

    Captions many;
    ASSERT_TRUE(Train(*task, "0.2", "10000", 3, &many).status.ok());
    EXPECT_EQ(task->errorCount, 10002);
    ASSERT_EQ(many.seen.size(), 101u);
    for (int p = 1; p <= 100; ++p) EXPECT_EQ(many.seen[p - 1], ProgressCaption(p));
}

TEST(TrainRun, RewritesTheEditTexts) {
    auto task = SeparableTask();
    TrainingOutcome outcome = Train(*task, "0.2", "10");
    EXPECT_EQ(outcome.coefText, "0.2000");
    EXPECT_EQ(outcome.iterText, "10");
    outcome = Train(*task, " 0.12345e0abc", "  007x");
    EXPECT_EQ(outcome.coefText, "0.1235");
    EXPECT_EQ(outcome.iterText, "7");
    EXPECT_EQ(task->learningCoef, 0.12345);
}

TEST(TrainRun, ErrorRecordKeepsRangeAndHistoryOfThisRun) {
    auto task = SeparableTask();
    ASSERT_TRUE(Train(*task, "0.5", "50").status.ok());
    ASSERT_EQ(task->errorCount, 52);
    double lo = 1.0, hi = -1.0;
    for (int p = 0; p < task->errorCount; ++p) {
        lo = std::min(lo, task->errorHistory[p]);
        hi = std::max(hi, task->errorHistory[p]);
    }
    EXPECT_EQ(task->errorMax, hi);
    EXPECT_EQ(task->errorMin, lo);
    EXPECT_LT(task->errorHistory[51], task->errorHistory[0]) << "training reduces the error";
    // A shorter run afterwards records only its own passes.
    ASSERT_TRUE(Train(*task, "0.5", "1").status.ok());
    EXPECT_EQ(task->errorCount, 3);
}

TEST(TrainRun, ErrorMinStaysOneWhenEveryPassErrorIsAboveOne) {
    auto task = MakeTask();
    AddParam(*task, {"x", {{0.0, "a"}, {1.0, "b"}}});
    std::vector<std::string> outs(40, "o");
    SetOutputs(*task, outs);
    task->hiddenCount = 2;
    for (int e = 0; e < 10; ++e) PutExample(*task, {e % 2}, e % 40);
    ASSERT_TRUE(Train(*task, "0.01", "1").status.ok());
    for (int p = 0; p < 3; ++p) ASSERT_GT(task->errorHistory[p], 1.0);
    EXPECT_EQ(task->errorMin, 1.0);
    EXPECT_GT(task->errorMax, 1.0);
}

TEST(TrainRun, PassErrorHalvesAfterEveryExample) {
    // With a zero learning effect on the first pass the error follows
    // E = 0.5 * (E + S) over the examples; check pass 0 against that rule.
    auto task = SeparableTask();
    auto copy = MakeTask();
    CopyTask(*task, *copy);
    ASSERT_TRUE(Train(*task, "1e-300", "1", 11).status.ok());
    ClassicRng rng(11);
    copy->learningCoef = 1e-300;
    InitWeights(*copy, rng);
    double E = 0.0;
    for (int e = 0; e < copy->exampleCount; ++e) {
        ReferenceLoadExample(*copy, e);
        ForwardPass(*copy);
        double S = 0.0;
        for (int o = 0; o < copy->outputCount; ++o)
            S += (copy->targetSignals[o] - copy->outputSignals[o]) *
                 (copy->targetSignals[o] - copy->outputSignals[o]);
        E = 0.5 * (E + S);
    }
    EXPECT_EQ(task->errorHistory[0], E);
}

TEST(TrainRun, SeparableTaskReaches100PercentWithTheExactClosingMessage) {
    auto task = SeparableTask();
    TrainingOutcome outcome = Train(*task, "0.5", "3000", 12345);
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(task->accuracyPercent, 100.0);
    EXPECT_EQ(outcome.status.message, "Network is 100.00% correct\n");
}

TEST(TrainRun, AccuracyFormatsWithTwoDecimals) {
    // Contradicting examples: at most two of three can be answered correctly.
    auto task = MakeTask();
    AddParam(*task, {"x", {{1.0, "a"}}});
    SetOutputs(*task, {"yes", "no"});
    task->hiddenCount = 1;
    PutExample(*task, {0}, 0);
    PutExample(*task, {0}, 0);
    PutExample(*task, {0}, 1);
    TrainingOutcome outcome = Train(*task, "0.5", "200");
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(task->accuracyPercent, 2.0 / 3.0 * 100.0);
    EXPECT_EQ(outcome.status.message, "Network is 66.67% correct\n");
}

TEST(TrainRun, NoCorrectAnswerLeavesAccuracyZero) {
    // Every example expects output 1. With a vanishing step the trained
    // network is its random start; pick a seed whose start prefers output 0.
    auto task = MakeTask();
    AddParam(*task, {"x", {{0.0, "a"}, {1.0, "b"}}});
    SetOutputs(*task, {"first", "second"});
    task->hiddenCount = 2;
    PutExample(*task, {0}, 1);
    PutExample(*task, {1}, 1);
    uint32_t seed = 0;
    for (uint32_t candidate = 1; candidate < 200 && seed == 0; ++candidate) {
        ClassicRng rng(candidate);
        InitWeights(*task, rng);
        const int a[] = {0}, b[] = {1};
        if (CheckAnswer(*task, a) == 0 && CheckAnswer(*task, b) == 0) seed = candidate;
    }
    ASSERT_NE(seed, 0u);
    TrainingOutcome outcome = Train(*task, "1e-300", "1", seed);
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(task->accuracyPercent, 0.0);
    EXPECT_EQ(outcome.status.message, "Network is 0.00% correct\n");
}

TEST(TrainRun, SameSeedGivesIdenticalWeightsOtherSeedsDiffer) {
    auto a = SeparableTask();
    auto b = SeparableTask();
    ASSERT_TRUE(Train(*a, "0.2", "20", 424242).status.ok());
    ASSERT_TRUE(Train(*b, "0.2", "20", 424242).status.ok());
    EXPECT_EQ(DescribeDifference(*a, *b), "");
    ASSERT_TRUE(Train(*b, "0.2", "20", 424243).status.ok());
    EXPECT_NE(
        std::memcmp(a->weightsInputHidden, b->weightsInputHidden, sizeof a->weightsInputHidden), 0);
}

TEST(TrainRun, SettingsReadTheSameUnderACommaLocale) {
    auto plain = SeparableTask();
    auto comma = SeparableTask();
    TrainingOutcome expected = Train(*plain, "0.25", "5", 5);
    CommaLocale locale;
    TrainingOutcome outcome = Train(*comma, "0.25", "5", 5);
    EXPECT_TRUE(outcome.status.ok());
    EXPECT_EQ(outcome.coefText, "0.2500");
    EXPECT_EQ(outcome.status.message, expected.status.message);
    EXPECT_EQ(DescribeDifference(*plain, *comma), "");
    EXPECT_EQ(Train(*comma, "0,25", "5").status.message, CoefficientMessage);
}

TEST(InitWeights, DrawsRowByRowIncludingBothBiasRows) {
    auto task = MakeTask();
    task->inputCount = 2;
    task->hiddenCount = 3;
    task->outputCount = 2;
    task->weightsInputHidden[3][0] = 9.0;  // outside the used rows
    task->weightsInputHidden[0][3] = 9.0;  // outside the used columns
    task->weightsHiddenOutput[4][0] = 9.0;
    task->weightsHiddenOutput[0][2] = 9.0;
    ClassicRng rng(1), check(1);
    InitWeights(*task, rng);
    for (int i = 0; i <= 2; ++i)
        for (int h = 0; h < 3; ++h)
            EXPECT_EQ(task->weightsInputHidden[i][h], check.Next() / 32767.0 - 0.5);
    for (int h = 0; h <= 3; ++h)
        for (int o = 0; o < 2; ++o)
            EXPECT_EQ(task->weightsHiddenOutput[h][o], check.Next() / 32767.0 - 0.5);
    EXPECT_EQ(task->weightsInputHidden[0][0], 41 / 32767.0 - 0.5);
    EXPECT_EQ(task->weightsInputHidden[3][0], 9.0);
    EXPECT_EQ(task->weightsInputHidden[0][3], 9.0);
    EXPECT_EQ(task->weightsHiddenOutput[4][0], 9.0);
    EXPECT_EQ(task->weightsHiddenOutput[0][2], 9.0);
}

// The yardstick of the pass loop's tests, checked against the formulas.
TEST(ReferenceBackPropagate, OneStepMatchesHandComputedValues) {
    // n = 1, m = 2, k = 2, input 1.0, target (1, 0), learning coefficient 0.5.
    auto task = MakeTask();
    AddParam(*task, {"x", {{1.0, "one"}}});
    SetOutputs(*task, {"a", "b"});
    task->hiddenCount = 2;
    PutExample(*task, {0}, 0);
    const double wih[2][2] = {{0.5, -0.4}, {0.1, 0.3}};
    const double who[3][2] = {{-0.3, 0.6}, {0.2, -0.1}, {0.05, 0.15}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) task->weightsInputHidden[r][c] = wih[r][c];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) task->weightsHiddenOutput[r][c] = who[r][c];
    task->learningCoef = 0.5;
    ReferenceLoadExample(*task, 0);
    ForwardPass(*task);
    ReferenceBackPropagate(*task);

    // Values computed independently, straight from the formulas.
    constexpr double kTol = 1e-15;
    EXPECT_NEAR(task->hiddenSignals[0], 0.6456563062257954, kTol);
    EXPECT_NEAR(task->hiddenSignals[1], 0.47502081252106, kTol);
    EXPECT_NEAR(task->outputSignals[0], 0.48782922228856246, kTol);
    EXPECT_NEAR(task->outputSignals[1], 0.6200809198839038, kTol);
    EXPECT_NEAR(task->outputDeltas[0], 0.1279668276819157, kTol);
    EXPECT_NEAR(task->outputDeltas[1], -0.14607901821408925, kTol);
    // Hidden deltas use the output weights from before this step's update.
    EXPECT_NEAR(task->hiddenDeltas[0], -0.028835384379715282, kTol);
    EXPECT_NEAR(task->hiddenDeltas[1], 0.010025232864421951, kTol);
    const double newWho[3][2] = {{-0.2586887053597307, 0.5528415803414002},
                                 {0.23039345323060303, -0.1346952869621677},
                                 {0.11398341384095785, 0.07696049089295537}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_NEAR(task->weightsHiddenOutput[r][c], newWho[r][c], kTol);
    const double newWih[2][2] = {{0.48558230781014233, -0.39498738356778906},
                                 {0.08558230781014237, 0.30501261643221095}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_NEAR(task->weightsInputHidden[r][c], newWih[r][c], kTol);
}

TEST(Accuracy, ComparesWinningOutputWithWinningTarget) {
    auto task = MakeTask();
    AddParam(*task, {"x", {{0.0, "a"}, {1.0, "b"}}});
    SetOutputs(*task, {"first", "second"});
    task->hiddenCount = 1;
    PutExample(*task, {0}, 0);
    PutExample(*task, {1}, 0);
    PutExample(*task, {1}, 1);
    PutExample(*task, {0}, 1);
    // Untrained: every output ties at 0.5, so the answer is always output 0.
    EXPECT_EQ(ReferenceAccuracy(*task), 50.0);
    for (PassPath path : {PassPath::Generic, PassPath::Avx2}) {
        if (!PassPathAvailable(path)) continue;
        EXPECT_EQ(MeasureAccuracyWith(*task, path), 50.0);
    }
}

}  // namespace
