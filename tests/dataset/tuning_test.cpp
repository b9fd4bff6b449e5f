// Tuning by cross-validation: checkpoints equal whole runs, the choice rule,
// the budget's trimming order, determinism over threads, stopping, nested use,
// and the thread fallback shared with evaluation.
#include "dataset/tuning.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <system_error>

#include "dataset/evaluation.h"
#include "dataset/parallel.h"
#include "model/examples.h"
#include "network/network.h"
#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

// Two inputs; "same" when both choose the same variant, with every fifth
// example's result flipped so that long training overfits.
std::unique_ptr<NetTask> NoisyTask(int copies) {
    auto task = MakeTask();
    AddParam(*task, {"a", {{0, "0"}, {0.5, "1"}, {1, "2"}}});
    AddParam(*task, {"b", {{0, "0"}, {0.5, "1"}, {1, "2"}}});
    SetOutputs(*task, {"same", "differ"});
    int n = 0;
    for (int k = 0; k < copies; ++k)
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) PutExample(*task, {a, b}, (a == b) != (++n % 5 == 0));
    task->hiddenCount = 4;
    return task;
}

TuningOptions SmallSearch(uint32_t seed) {
    TuningOptions options;
    options.folds = 3;
    options.seed = seed;
    options.budgetSeconds = 0;
    options.maxIterations = 300;
    options.hidden = {2, 4};
    options.coefs = {"0.2", "0.5"};
    return options;
}

}  // namespace

TEST(Tuning, CheckpointEqualsAWholeRunOfThatManyIterations) {
    auto task = NoisyTask(4);
    const std::vector<int> heldOut = {0, 5, 9, 14, 20, 33};
    const std::vector<int> training = TrainingSet(*task, heldOut);
    auto segmented = MakeTask();
    PrepareFold(*task, training, 3, *segmented);
    const std::vector<int> checkpoints = {50, 100, 203};
    const std::vector<double> accuracies =
        CheckpointAccuracies(*segmented, *task, heldOut, "0.3", 99, checkpoints);
    ASSERT_EQ(accuracies.size(), checkpoints.size());
    for (std::size_t c = 0; c < checkpoints.size(); ++c) {
        auto whole = MakeTask();
        PrepareFold(*task, training, 3, *whole);
        const TrainingOutcome outcome =
            TrainNetwork(*whole, "0.3", std::to_string(checkpoints[c]), 99, {});
        ASSERT_TRUE(outcome.status.ok()) << outcome.status.message;
        int correct = 0;
        for (int e : heldOut)
            correct +=
                CheckAnswer(*whole, task->examples[e].inputVariant) == ExampleResult(*task, e);
        EXPECT_EQ(accuracies[c], 100.0 * correct / 6) << checkpoints[c];
        if (c + 1 == checkpoints.size()) {  // the segmented run ends with the same weights
            EXPECT_EQ(std::memcmp(whole->weightsInputHidden, segmented->weightsInputHidden,
                                  sizeof whole->weightsInputHidden),
                      0);
        }
    }
}

TEST(Tuning, ChoiceIsTheBestOrWithinToleranceTheSmallerNetworkThenFewerIterations) {
    const struct {
        std::vector<TuningSetting> settings;
        int hidden, iterations;
        const char* coef;
    } cases[] = {
        {{{4, "0.2", 100, {}, 80.0, 0}, {2, "0.2", 100, {}, 70.0, 0}}, 4, 100, "0.2"},
        {{{4, "0.2", 100, {}, 80.0, 0}, {2, "0.2", 500, {}, 79.6, 0}}, 2, 500, "0.2"},
        {{{4, "0.2", 100, {}, 80.0, 0}, {4, "0.1", 50, {}, 79.7, 0}}, 4, 50, "0.1"},
        {{{4, "0.4", 50, {}, 80.0, 0}, {4, "0.1", 50, {}, 80.0, 0}}, 4, 50, "0.1"},
        {{{4, "0.2", 50, {}, 80.0, 0}, {4, "0.1", 50, {}, 80.2, 0}}, 4, 50, "0.1"},
    };
    for (const auto& c : cases) {
        const TuningSetting choice = ChooseSetting(c.settings);
        EXPECT_EQ(choice.hidden, c.hidden);
        EXPECT_EQ(choice.iterations, c.iterations);
        EXPECT_EQ(choice.coef, c.coef);
    }
}

TEST(Tuning, BudgetTrimsInItsDocumentedOrder) {
    auto task = NoisyTask(4);
    TuningOptions options;
    options.maxIterations = 2000;
    const TuningGrid full = FullTuningGrid(*task, options);
    EXPECT_EQ(full.hidden, (std::vector<int>{2, 4, 8}));
    EXPECT_EQ(full.coefs, (std::vector<std::string>{"0.05", "0.1", "0.2", "0.4"}));
    EXPECT_EQ(full.checkpoints, (std::vector<int>{50, 100, 200, 500, 1000, 2000}));
    // The full grid's cost in units, so each case sets what the budget allows.
    double units = 0;
    for (int h : full.hidden) units += RunCost(32, 2, h, 2, 2000);  // 36 examples, 9/10 train
    units *= 10 * 4;
    const struct {
        double share;  // of the full grid's time that the budget allows
        std::vector<std::string> leftOut;
    } cases[] = {
        {1.01, {}},
        {0.99, {"коэффициент 0.05"}},
        {0.5, {"коэффициент 0.05", "скрытый слой 8"}},
        {0.3, {"коэффициент 0.05", "скрытый слой 8", "коэффициент 0.4"}},
        {0.01,
         {"коэффициент 0.05", "скрытый слой 8", "коэффициент 0.4", "скрытый слой 2",
          "итераций 2000", "итераций 1000"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> leftOut;
        double estimate = 0;
        const TuningGrid grid =
            TrimTuningGrid(*task, full, 10, 1, 1.0 / units, c.share, leftOut, estimate);
        EXPECT_EQ(leftOut, c.leftOut) << c.share;
        if (c.share > 0.1) {
            EXPECT_LE(estimate, c.share);
        }
        EXPECT_EQ(grid.checkpoints.back(), c.share > 0.1 ? 2000 : 500);
    }
}

TEST(Tuning, SameSeedSameChoiceOnOneAndTwoThreads) {
    auto task = NoisyTask(4);
    TuningOptions options = SmallSearch(5);
    TuningResult one, two;
    options.threads = 1;
    ASSERT_TRUE(IsOk(TuneTask(*task, options, one)));
    options.threads = 2;
    ASSERT_TRUE(IsOk(TuneTask(*task, options, two)));
    ASSERT_EQ(one.settings.size(), 2u * 2u * 4u);  // checkpoints 50 100 200 300
    for (std::size_t i = 0; i < one.settings.size(); ++i) {
        EXPECT_EQ(one.settings[i].heldOutPercent, two.settings[i].heldOutPercent);
        EXPECT_EQ(one.settings[i].iterations, two.settings[i].iterations);
    }
    EXPECT_EQ(one.choice.hidden, two.choice.hidden);
    EXPECT_EQ(one.choice.coef, two.choice.coef);
    EXPECT_EQ(one.choice.iterations, two.choice.iterations);
    EXPECT_GE(one.settings.front().mean, one.settings.back().mean);
    const std::string report = FormatTuning(*task, options, one);
    EXPECT_NE(
        report.find("Испытано: скрытый слой 2 4; коэффициент 0.2 0.5; итераций 50 100 200 300"),
        std::string::npos)
        << report;
    EXPECT_NE(report.find("Выбрано: скрытый слой " + std::to_string(one.choice.hidden)),
              std::string::npos);
}

TEST(Tuning, StopEndsTheSearchAndTheEvaluationWithoutFigures) {
    auto task = NoisyTask(4);
    std::atomic<bool> stop{true};
    TuningResult tuned;
    ASSERT_TRUE(IsOk(TuneTask(*task, SmallSearch(1), tuned, {&stop, {}})));
    EXPECT_TRUE(tuned.stopped);
    EXPECT_TRUE(tuned.settings.empty());
    EvaluationResult evaluated;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, EvaluationOptions{}, evaluated, {&stop, {}})));
    EXPECT_TRUE(evaluated.stopped);
    EXPECT_TRUE(evaluated.heldOutPercent.empty());
}

TEST(Tuning, RefusesWhatCannotBeSearched) {
    auto task = NoisyTask(1);
    const struct {
        int folds, maxIterations;
        std::vector<int> hidden;
        std::vector<std::string> coefs;
        const char* part;
        double budget = 0;
    } cases[] = {
        {1, 100, {}, {}, "--folds"},          {10, 100, {}, {}, "--folds"},
        {3, 0, {}, {}, "итераций"},           {3, 100, {0}, {}, "скрытого слоя"},
        {3, 100, {}, {"0,5"}, "Коэффициент"}, {3, 100, {}, {}, "--budget", -1},
    };
    for (const auto& c : cases) {
        TuningOptions options = SmallSearch(1);
        options.folds = c.folds;
        options.maxIterations = c.maxIterations;
        if (!c.hidden.empty()) options.hidden = c.hidden;
        if (!c.coefs.empty()) options.coefs = c.coefs;
        options.budgetSeconds = c.budget;
        TuningResult result;
        const Status tuned = TuneTask(*task, options, result);
        EXPECT_EQ(tuned.kind, StatusKind::Refused) << c.part;
        EXPECT_NE(tuned.message.find(c.part), std::string::npos) << tuned.message;
    }
}

TEST(Tuning, NestedEvaluationTunesInsideEachFold) {
    auto task = NoisyTask(4);
    EvaluationOptions options;
    options.folds = 3;
    options.seed = 2;
    options.tune = true;
    options.tuning = SmallSearch(0);
    EvaluationResult result;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, options, result)));
    ASSERT_EQ(result.chosen.size(), 3u);
    ASSERT_EQ(result.heldOutPercent.size(), 3u);
    for (const TuningSetting& chosen : result.chosen) {
        EXPECT_TRUE(chosen.hidden == 2 || chosen.hidden == 4);
        EXPECT_LE(chosen.iterations, 300);
    }
    EXPECT_NE(FormatEvaluation(*task, options, result).find("Выбранные настройки"),
              std::string::npos);
}

TEST(Evaluation, VerdictSaysWhatTheFiguresMean) {
    auto task = NoisyTask(1);
    const struct {
        std::vector<double> heldOut, training;
        const char* sentence;
    } cases[] = {
        {{60, 62},
         {70, 70},
         "На новых примерах сеть ошибается чаще, чем ответ «всегда differ». Попробуйте "
         "«Подобрать»."},
        {{70, 72},
         {90, 92},
         "Сеть заучивает обучающие примеры (91.0% верно), а на новых ошибается заметно чаще "
         "(71.0% верно). Попробуйте «Подобрать» или меньше итераций."},
        {{70, 72},
         {80, 80},
         "На новых примерах сеть отвечает верно примерно в 71.0% случаев — лучше, чем ответ "
         "«всегда differ» (66.7%)."},
    };
    for (const auto& c : cases) {
        EvaluationResult result;
        result.heldOutPercent = c.heldOut;
        result.trainPercent = c.training;
        result.majorityClass = 1;
        result.majorityPercent = 200.0 / 3;
        EXPECT_EQ(EvaluationVerdict(*task, result), c.sentence);
    }
}

TEST(Parallel, ThreadsCappedAndFewerWhenTheSystemRefuses) {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    EXPECT_EQ(WorkerCount(6000, 1000), cores);
    EXPECT_EQ(WorkerCount(6000, 1), 1);
    EXPECT_EQ(WorkerCount(0, 3), std::min(cores, 3));
    // The system starts one thread and refuses the rest: all the work still gets done.
    std::atomic<int> next{0}, done{0};
    const auto worker = [&] {
        while (next++ < 100) ++done;
    };
    int started = 0;
    const ThreadStarter refusing = [&](const std::function<void()>& work) {
        if (started++ >= 1)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(work);
    };
    EXPECT_EQ(RunWorkers(8, worker, refusing), 2);
    EXPECT_EQ(done, 100);
    // Evaluation asked for thousands of threads answers as with one.
    auto task = NoisyTask(2);
    EvaluationOptions options;
    options.folds = 3;
    options.seed = 4;
    options.iterations = "100";
    EvaluationResult many, one;
    options.threads = 6000;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, options, many)));
    options.threads = 1;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, options, one)));
    EXPECT_EQ(many.heldOutPercent, one.heldOutPercent);
}
