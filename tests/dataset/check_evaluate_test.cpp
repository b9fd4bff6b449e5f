// Data checks over a task, and held-out evaluation: splits, determinism and refusals.
#include <gtest/gtest.h>

#include <algorithm>

#include "dataset/datacheck.h"
#include "dataset/evaluation.h"
#include "model/examples.h"
#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

// Two inputs; the result is "same" when both choose the same variant.
std::unique_ptr<NetTask> EqualityTask(int copies) {
    auto task = MakeTask();
    AddParam(*task, {"a", {{0, "0"}, {0.5, "1"}, {1, "2"}}});
    AddParam(*task, {"b", {{0, "0"}, {0.5, "1"}, {1, "2"}}});
    SetOutputs(*task, {"same", "differ"});
    for (int k = 0; k < copies; ++k)
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) PutExample(*task, {a, b}, a == b ? 0 : 1);
    task->hiddenCount = 4;
    return task;
}

}  // namespace

TEST(DataCheck, ListsEachKindOfFindingWithExampleNumbers) {
    auto task = MakeTask();
    AddParam(*task, {"a", {{0, "x"}, {1, "y"}, {5, "hot"}, {0.5, "unused"}}});
    SetOutputs(*task, {"p", "q", "never"});
    PutExample(*task, {0}, 0);  // 1
    PutExample(*task, {0}, 1);  // 2 contradicts 1
    PutExample(*task, {1}, 0);  // 3
    PutExample(*task, {1}, 0);  // 4 repeats 3
    PutExample(*task, {0}, 1);  // 5 repeats 2
    PutExample(*task, {2}, 1);  // 6 uses a saturating value
    const std::vector<std::string> findings = CheckTaskData(*task);
    const std::vector<std::string> expected = {
        "Противоречия (одинаковые входы, разные результаты), примеры: 1, 2, 5.",
        "Повторы (одинаковые примеры): 2 = 5; 3 = 4.",
        "Классы без примеров: «never».",
        "Варианты, которых нет ни в одном примере: «a»: «unused».",
        "Значения вне -3..3 (сигмоида насыщается): «a»: «hot» = 5; в примерах 6.",
    };
    EXPECT_EQ(findings, expected);
    EXPECT_TRUE(CheckTaskData(*EqualityTask(1)).empty());
    EXPECT_EQ(FormatCheckReport({}), "Проверка данных: замечаний нет.");
}

TEST(Evaluation, StratifiedFoldsHoldEveryExampleOutOnce) {
    auto task = EqualityTask(4);  // 12 "same", 24 "differ"
    EvaluationOptions options;
    options.folds = 6;
    options.repeat = 2;
    options.seed = 7;
    const auto runs = HeldOutSets(*task, options);
    ASSERT_EQ(runs.size(), 12u);
    for (int r = 0; r < 2; ++r) {
        std::vector<int> all;
        for (int f = 0; f < 6; ++f) {
            const std::vector<int>& fold = runs[r * 6 + f];
            all.insert(all.end(), fold.begin(), fold.end());
            const auto same = std::count_if(fold.begin(), fold.end(),
                                            [&](int e) { return ExampleResult(*task, e) == 0; });
            EXPECT_EQ(same, 2) << "each fold keeps the class shares";
            EXPECT_EQ(fold.size(), 6u);
        }
        std::sort(all.begin(), all.end());
        for (int e = 0; e < 36; ++e) EXPECT_EQ(all[e], e);
    }
    EXPECT_NE(runs[0], runs[6]) << "a repeat splits differently";
    options.holdout = 0.25;
    const auto holdout = HeldOutSets(*task, options);
    ASSERT_EQ(holdout.size(), 2u);
    EXPECT_EQ(holdout[0].size(), 9u);
}

TEST(Evaluation, SameSeedSameResultsWhateverTheThreadCount) {
    auto task = EqualityTask(3);
    EvaluationOptions options;
    options.folds = 3;
    options.seed = 11;
    options.iterations = "300";
    options.coef = "0.5";
    EvaluationResult one, two;
    options.threads = 1;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, options, one)));
    options.threads = 2;
    ASSERT_TRUE(IsOk(EvaluateTask(*task, options, two)));
    EXPECT_EQ(one.heldOutPercent, two.heldOutPercent);
    EXPECT_EQ(one.trainPercent, two.trainPercent);
    EXPECT_EQ(one.confusion, two.confusion);
    int answered = 0;
    for (const auto& row : one.confusion)
        for (int count : row) answered += count;
    EXPECT_EQ(answered, 27);
    EXPECT_NEAR(one.majorityPercent, 200.0 / 3, 1e-9);
    const std::string report = FormatEvaluation(*task, options, one);
    EXPECT_NE(report.find("Самый частый класс (differ) всегда: 66.67%"), std::string::npos)
        << report;
    EXPECT_NE(report.find("верный \\ ответ  same  differ\nsame"), std::string::npos) << report;
}

TEST(Evaluation, RefusesOptionsThatLeaveNothingToTestOrTrain) {
    auto task = EqualityTask(1);
    const struct {
        int folds;
        double holdout;
        const char* iterations;
        const char* part;
    } cases[] = {
        {1, 0, "10", "--folds"},      {10, 0, "10", "--folds"}, {2, 1.0, "10", "--holdout"},
        {2, 0.01, "10", "--holdout"}, {2, 0, "0", "иттераций"},
    };
    for (const auto& c : cases) {
        EvaluationOptions options;
        options.folds = c.folds;
        options.holdout = c.holdout;
        options.iterations = c.iterations;
        EvaluationResult result;
        const Status evaluated = EvaluateTask(*task, options, result);
        EXPECT_EQ(evaluated.kind, StatusKind::Refused) << c.part;
        EXPECT_NE(evaluated.message.find(c.part), std::string::npos) << evaluated.message;
    }
}
