#include "model/examples.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

// Three inputs, four outputs, and a trained look that examples must not touch.
std::unique_ptr<NetTask> DefinedTask() {
    auto task = MakeTask();
    AddParam(*task, {"A", {{1.0, "a1"}, {2.0, "a2"}}});
    AddParam(*task, {"B", {{3.0, "b1"}}});
    AddParam(*task, {"C", {{4.0, "c1"}, {5.0, "c2"}, {6.0, "c3"}}});
    SetOutputs(*task, {"w", "x", "y", "z"});
    task->hiddenCount = 3;
    task->weightsHiddenOutput[1][2] = 0.75;
    task->errorHistory = {0.5};
    task->errorCount = 1;
    task->accuracyPercent = 75.0;
    return task;
}

std::unique_ptr<NetTask> Copy(const NetTask& task) {
    auto copy = MakeTask();
    CopyTask(task, *copy);
    return copy;
}

void FillRow(Example& row, unsigned char pattern) {
    std::memset(&row, pattern, sizeof row);
}

}  // namespace

TEST(AddExample, WritesOnlyTheUsedElements) {
    auto task = DefinedTask();
    FillRow(task->examples[0], 0x5A);
    Example untouched;
    FillRow(untouched, 0x5A);
    const int variants[] = {1, 0, 2};
    ASSERT_TRUE(AddExample(*task, variants, 3));
    const Example& row = task->examples[0];
    EXPECT_EQ(task->exampleCount, 1);
    EXPECT_EQ(row.inputVariant[0], 1);
    EXPECT_EQ(row.inputVariant[1], 0);
    EXPECT_EQ(row.inputVariant[2], 2);
    EXPECT_EQ(std::memcmp(row.inputVariant + 3, untouched.inputVariant + 3,
                          sizeof(int32_t) * (MaxVariants - 3)),
              0);
    EXPECT_EQ(row.target[0], 0.0);
    EXPECT_EQ(row.target[1], 0.0);
    EXPECT_EQ(row.target[2], 0.0);
    EXPECT_EQ(row.target[3], 1.0);
    EXPECT_EQ(std::memcmp(row.target + 4, untouched.target + 4, sizeof(double) * (MaxOutputs - 4)),
              0);
}

TEST(AddExample, AppendsInOrderAndKeepsTheNetwork) {
    auto task = DefinedTask();
    auto expected = Copy(*task);
    const int first[] = {0, 0, 0};
    const int second[] = {1, 0, 2};
    ASSERT_TRUE(AddExample(*task, first, 1));
    ASSERT_TRUE(AddExample(*task, second, 0));
    ASSERT_TRUE(AddExample(*task, second, 0));  // a duplicate is a further row
    ASSERT_TRUE(AddExample(*task, second, 2));  // and so is a contradiction
    PutExample(*expected, {0, 0, 0}, 1);
    PutExample(*expected, {1, 0, 2}, 0);
    PutExample(*expected, {1, 0, 2}, 0);
    PutExample(*expected, {1, 0, 2}, 2);
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(ExampleResult(*task, 0), 1);
    EXPECT_EQ(ExampleResult(*task, 3), 2);
}

TEST(AddExample, RefusesIndexesNamingNothing) {
    auto task = DefinedTask();
    const int good[] = {1, 0, 2};
    ASSERT_TRUE(AddExample(*task, good, 0));
    auto before = Copy(*task);
    const int badVariants[][3] = {{-1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {0, 0, 3}, {0, -5, 0}};
    for (const auto& variants : badVariants) EXPECT_FALSE(AddExample(*task, variants, 0));
    EXPECT_FALSE(AddExample(*task, good, -1));
    EXPECT_FALSE(AddExample(*task, good, 4));
    EXPECT_FALSE(AddExample(*task, nullptr, 0));
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(AddExample, NeverStoresAFiveHundredFirstExample) {
    auto task = DefinedTask();
    const int variants[] = {0, 0, 0};
    for (int e = 0; e < MaxExamples; ++e) ASSERT_TRUE(AddExample(*task, variants, e % 4)) << e;
    auto before = Copy(*task);
    EXPECT_FALSE(AddExample(*task, variants, 0));
    EXPECT_EQ(task->exampleCount, MaxExamples);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(RoomForExample, RefusesWithOurMessageWhenFull) {
    auto task = DefinedTask();
    for (int e = 0; e < MaxExamples - 1; ++e) PutExample(*task, {0, 0, 0}, 0);
    EXPECT_TRUE(CanAddExample(*task));
    EXPECT_TRUE(RoomForExample(*task).ok());
    PutExample(*task, {0, 0, 0}, 0);
    EXPECT_FALSE(CanAddExample(*task));
    EXPECT_EQ(Refusal(RoomForExample(*task)), ExamplesFullMessage);
}

TEST(DeleteExample, FirstOfThreeMovesTheOthersUpInOrder) {
    auto task = DefinedTask();
    PutExample(*task, {0, 0, 0}, 0);
    PutExample(*task, {1, 0, 1}, 1);
    PutExample(*task, {0, 0, 2}, 2);
    auto expected = Copy(*task);
    expected->examples[0] = task->examples[1];
    expected->examples[1] = task->examples[2];
    expected->exampleCount = 2;  // row 2 keeps its contents
    EXPECT_TRUE(DeleteExample(*task, 0));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(ExampleResult(*task, 0), 1);
    EXPECT_EQ(ExampleResult(*task, 1), 2);
}

TEST(DeleteExample, LastOnlyLowersTheCount) {
    auto task = DefinedTask();
    PutExample(*task, {0, 0, 0}, 0);
    PutExample(*task, {1, 0, 1}, 1);
    auto expected = Copy(*task);
    expected->exampleCount = 1;
    EXPECT_TRUE(DeleteExample(*task, 1));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_TRUE(DeleteExample(*task, 0));
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(task->accuracyPercent, 75.0);
}

TEST(DeleteExample, IndexNamingNoExampleIsIgnored) {
    auto task = DefinedTask();
    auto empty = Copy(*task);
    EXPECT_FALSE(DeleteExample(*task, 0));
    EXPECT_EQ(DescribeDifference(*task, *empty), "");
    PutExample(*task, {0, 0, 0}, 0);
    PutExample(*task, {1, 0, 1}, 1);
    auto before = Copy(*task);
    for (int k : {-1, 2, MaxExamples, -MaxExamples}) EXPECT_FALSE(DeleteExample(*task, k)) << k;
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(ExampleResult, OnlyAnExactOneCounts) {
    auto task = DefinedTask();
    PutExample(*task, {0, 0, 0}, 2);
    PutExample(*task, {0, 0, 0}, 0);
    task->examples[1].target[0] = 0.9999999999;
    task->examples[1].target[1] = 1.0000000001;
    EXPECT_EQ(ExampleResult(*task, 0), 2);
    EXPECT_EQ(ExampleResult(*task, 1), -1);
    EXPECT_EQ(ExampleResult(*task, -1), -1);
    EXPECT_EQ(ExampleResult(*task, 2), -1);
    // A target beyond the output count is not a result.
    task->examples[1].target[4] = 1.0;
    EXPECT_EQ(ExampleResult(*task, 1), -1);
}
