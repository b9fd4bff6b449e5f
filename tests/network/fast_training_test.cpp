// The optimised pass loop against the plain one: every path and thread count
// must leave the record bit for bit as the plain loops do.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "network/passes.h"
#include "network/rng.h"
#include "network/training.h"
#include "tests/network/reference_training.h"
#include "tests/support/task_builder.h"

namespace {

struct Shape {
    int n, m, k, examples, iterations;
};

std::string Describe(const Shape& s) {
    return "n=" + std::to_string(s.n) + " m=" + std::to_string(s.m) + " k=" + std::to_string(s.k) +
           " examples=" + std::to_string(s.examples) + " N=" + std::to_string(s.iterations);
}

// A task with random variant values (times scale), random examples and random
// weights. Targets are one-of-N, or arbitrary values in [0, 1] when mixed.
std::unique_ptr<NetTask> RandomTask(const Shape& s, unsigned seed, double scale, bool mixed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto task = MakeTask();
    task->inputCount = s.n;
    task->hiddenCount = s.m;
    task->outputCount = s.k;
    for (int i = 0; i < s.n; ++i) {
        InputParam& param = task->inputParams[i];
        param.variantCount = 1 + static_cast<int>(random() % 5);
        for (int j = 0; j < param.variantCount; ++j)
            param.variantValues[j] = (unit(random) * 4.0 - 2.0) * scale;
    }
    task->exampleCount = s.examples;
    for (int e = 0; e < s.examples; ++e) {
        Example& example = task->examples[e];
        for (int i = 0; i < s.n; ++i)
            example.inputVariant[i] =
                static_cast<int>(random() % task->inputParams[i].variantCount);
        const int result = static_cast<int>(random() % s.k);
        for (int o = 0; o < s.k; ++o)
            example.target[o] = mixed ? unit(random) : (o == result ? 1.0 : 0.0);
    }
    task->learningCoef = 0.05 + 0.95 * unit(random);
    ClassicRng rng(seed);
    InitWeights(*task, rng);
    task->errorHistory.assign(s.iterations + 2, 0.0);
    task->errorCount = 0;
    task->errorMax = -1.0;
    task->errorMin = 1.0;
    return task;
}

std::vector<PassOptions> AllOptions() {
    std::vector<PassOptions> all;
    for (PassPath path : {PassPath::Generic, PassPath::Avx2}) {
        if (!PassPathAvailable(path)) continue;
        for (int threads : {1, 2}) all.push_back({path, threads});
    }
    return all;
}

std::string Describe(const PassOptions& o) {
    return std::string(o.path == PassPath::Avx2 ? "avx2" : "generic") +
           " threads=" + std::to_string(o.threads);
}

void ExpectSameAsReference(const Shape& shape, unsigned seed, double scale, bool mixed) {
    auto plain = RandomTask(shape, seed, scale, mixed);
    std::vector<std::string> plainCaptions;
    ReferenceTrainingPasses(*plain, shape.iterations,
                            [&](const std::string& c) { plainCaptions.push_back(c); });
    auto trained = MakeTask();
    CopyTask(*plain, *trained);
    trained->accuracyPercent = ReferenceAccuracy(*trained);

    for (const PassOptions& options : AllOptions()) {
        SCOPED_TRACE(Describe(shape) + " seed=" + std::to_string(seed) + " " + Describe(options));
        auto fast = RandomTask(shape, seed, scale, mixed);
        std::vector<std::string> captions;
        RunTrainingPassesWith(
            *fast, shape.iterations, [&](const std::string& c) { captions.push_back(c); }, options);
        // Weights, error terms, signals, error record: everything in the record.
        EXPECT_EQ(DescribeDifference(*fast, *plain), "");
        ASSERT_EQ(fast->errorHistory.size(), plain->errorHistory.size());
        EXPECT_EQ(std::memcmp(fast->errorHistory.data(), plain->errorHistory.data(),
                              plain->errorHistory.size() * sizeof(double)),
                  0);
        EXPECT_EQ(captions, plainCaptions);
        fast->accuracyPercent = MeasureAccuracyWith(*fast, options.path);
        EXPECT_EQ(std::memcmp(&fast->accuracyPercent, &trained->accuracyPercent, sizeof(double)),
                  0);
    }
}

// n = 1, m = 1, k = 1, the capacity limits, sizes that leave a vector or a
// block of sixteen hidden neurons part-filled, and the benchmark's small shape.
const Shape kShapes[] = {
    {1, 1, 1, 1, 1},      {1, 1, 1, 4, 3},     {12, 1, 1, 5, 2},   {1, 1, 500, 3, 1},
    {2, 499, 1, 3, 1},    {3, 499, 500, 2, 1}, {4, 10, 3, 50, 2},  {5, 7, 3, 11, 4},
    {3, 5, 9, 1, 4},      {6, 13, 18, 5, 3},   {2, 16, 16, 6, 2},  {9, 15, 17, 7, 2},
    {7, 17, 33, 9, 2},    {11, 33, 65, 8, 1},  {1, 64, 24, 10, 2}, {12, 31, 100, 4, 1},
    {12, 100, 50, 20, 1}, {2, 3, 2, 3, 100},
};

TEST(FastTraining, MatchesPlainLoopsOnManyShapes) {
    unsigned seed = 1;
    for (const Shape& shape : kShapes) ExpectSameAsReference(shape, seed++, 1.0, false);
}

TEST(FastTraining, MatchesPlainLoopsWithSaturatedNeuronsAndFreeTargets) {
    // Large inputs drive hidden neurons to exactly 0.0 or 1.0; targets off 0/1
    // exercise the error terms fully.
    unsigned seed = 100;
    for (const Shape& shape :
         {Shape{3, 21, 19, 6, 2}, Shape{1, 9, 40, 4, 3}, Shape{12, 47, 5, 9, 1}})
        ExpectSameAsReference(shape, seed++, 1000.0, true);
    for (const Shape& shape : {Shape{4, 22, 37, 5, 2}, Shape{2, 499, 20, 3, 1}})
        ExpectSameAsReference(shape, seed++, 1.0, true);
}

TEST(FastTraining, TwoThreadRunsAgreeWhoeverRunsEachBlock) {
    // Each run interleaves the threads differently (the lead runs blocks
    // itself whenever the helper is late); the results may never differ.
    const Shape shape{5, 70, 40, 6, 3};
    auto plain = RandomTask(shape, 11, 1.0, false);
    ReferenceTrainingPasses(*plain, shape.iterations, nullptr);
    for (const PassOptions& options : AllOptions()) {
        if (options.threads != 2) continue;
        SCOPED_TRACE(Describe(options));
        for (int run = 0; run < 25; ++run) {
            auto fast = RandomTask(shape, 11, 1.0, false);
            RunTrainingPassesWith(*fast, shape.iterations, nullptr, options);
            ASSERT_EQ(DescribeDifference(*fast, *plain), "") << "run " << run;
        }
    }
}

TEST(FastTraining, GrowsATooShortErrorHistory) {
    const Shape shape{2, 6, 20, 4, 5};
    auto plain = RandomTask(shape, 7, 1.0, false);
    ReferenceTrainingPasses(*plain, shape.iterations, nullptr);
    for (const PassOptions& options : AllOptions()) {
        SCOPED_TRACE(Describe(options));
        auto fast = RandomTask(shape, 7, 1.0, false);
        fast->errorHistory.clear();
        RunTrainingPassesWith(*fast, shape.iterations, nullptr, options);
        EXPECT_EQ(DescribeDifference(*fast, *plain), "");
    }
}

TEST(FastTraining, ProgressRunsOnTheCallingThread) {
    const Shape shape{3, 40, 48, 5, 4};
    for (const PassOptions& options : AllOptions()) {
        SCOPED_TRACE(Describe(options));
        auto task = RandomTask(shape, 3, 1.0, false);
        std::vector<std::thread::id> callers;
        RunTrainingPassesWith(
            *task, shape.iterations,
            [&](const std::string&) { callers.push_back(std::this_thread::get_id()); }, options);
        EXPECT_EQ(callers, std::vector<std::thread::id>(5, std::this_thread::get_id()));
    }
}

TEST(FastTraining, AThrowingProgressCallbackEndsTheRun) {
    // The helper thread must not be left waiting for a lead that has gone.
    const Shape shape{3, 40, 48, 5, 10};
    for (const PassOptions& options : AllOptions()) {
        SCOPED_TRACE(Describe(options));
        auto task = RandomTask(shape, 5, 1.0, false);
        int calls = 0;
        EXPECT_THROW(RunTrainingPassesWith(
                         *task, shape.iterations,
                         [&](const std::string&) {
                             if (++calls == 2) throw std::runtime_error("stop");
                         },
                         options),
                     std::runtime_error);
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(task->errorCount, 2);
    }
}

TEST(FastAccuracy, GivesThePercentageAndSignalsOfTheClosingPass) {
    unsigned seed = 200;
    for (const Shape& shape : {Shape{1, 1, 1, 1, 1}, Shape{4, 10, 3, 50, 1}, Shape{3, 17, 33, 9, 1},
                               Shape{2, 499, 500, 3, 1}, Shape{6, 31, 7, 40, 1}}) {
        for (bool mixed : {false, true}) {
            auto plain = RandomTask(shape, seed++, 1.0, mixed);
            const double expected = ReferenceAccuracy(*plain);
            for (PassPath path : {PassPath::Generic, PassPath::Avx2}) {
                if (!PassPathAvailable(path)) continue;
                SCOPED_TRACE(Describe(shape) + (mixed ? " mixed" : "") +
                             (path == PassPath::Avx2 ? " avx2" : " generic"));
                auto fast = RandomTask(shape, seed - 1, 1.0, mixed);
                const double percent = MeasureAccuracyWith(*fast, path);
                EXPECT_EQ(std::memcmp(&percent, &expected, sizeof(double)), 0)
                    << percent << " vs " << expected;
                // Signals of the last example; weights and error terms untouched.
                EXPECT_EQ(DescribeDifference(*fast, *plain), "");
            }
        }
    }
}

TEST(FastAccuracy, EqualLargestOutputsGoToTheLowestIndex) {
    // Biases of 50 saturate every even output to exactly 1.0: the winner is
    // output 0, so exactly the examples whose target is output 0 count.
    const Shape shape{3, 8, 6, 30, 1};
    auto plain = RandomTask(shape, 17, 1.0, false);
    for (int o = 0; o < shape.k; o += 2) plain->weightsHiddenOutput[shape.m][o] = 50.0;
    auto fast = MakeTask();
    CopyTask(*plain, *fast);
    int targetZero = 0;
    for (int e = 0; e < shape.examples; ++e) targetZero += plain->examples[e].target[0] == 1.0;
    ASSERT_GT(targetZero, 0);
    const double expected = ReferenceAccuracy(*plain);
    EXPECT_DOUBLE_EQ(expected, 100.0 * targetZero / shape.examples);
    EXPECT_EQ(MeasureAccuracyWith(*fast, DefaultPassOptions(*fast).path), expected);
    EXPECT_EQ(DescribeDifference(*fast, *plain), "");
}

}  // namespace
