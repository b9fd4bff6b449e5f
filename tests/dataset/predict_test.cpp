// Answers for a whole table: the network's answer for each example of the
// table the task came from, and its accuracy there.
#include "dataset/predict.h"

#include <gtest/gtest.h>

#include "dataset/csvreader.h"
#include "dataset/importer.h"
#include "model/cp1251.h"
#include "network/network.h"
#include "tests/support/task_builder.h"

namespace {

// 30 rows: two numeric columns (one with a decimal comma, one gap) and a word.
DataTable Table() {
    std::string text = "x;y;w;r\n";
    for (int r = 0; r < 30; ++r)
        text += std::to_string(r * 3 % 17) + ";" + (r == 4 ? "" : std::to_string(r % 7) + ",5") +
                ";" + (r % 2 ? "a" : "b") + ";" +
                ((r * 3 % 17 + r % 7 > 9) != (r % 5 == 0) ? "hi" : "lo") + "\n";
    CsvTable csv;
    std::string error;
    EXPECT_TRUE(ReadCsv(text, csv, error)) << error;
    return TableFromCsv(csv);
}

}  // namespace

TEST(Predict, AnswersEachExampleAsTheNetworkDoesWithItsTrainingAccuracy) {
    const DataTable table = Table();
    for (const int bins : {ExactValues, 3}) {
        SCOPED_TRACE(bins);
        ImportOptions options;
        options.bins = bins;
        TaskDraft staged;
        ImportSummary summary;
        std::string error;
        ASSERT_TRUE(ImportTable(table, options, staged, summary, error)) << error;
        auto task = MakeTask();
        ApplyImportedTask(staged, *task);
        ASSERT_TRUE(TrainNetwork(*task, "0.2", "30", 1, nullptr).trained);
        ASSERT_LT(task->accuracyPercent, 100.0);

        std::string csv;
        PredictSummary counts;
        ASSERT_TRUE(PredictTable(*task, table, PredictOptions{}, csv, counts, error)) << error;
        EXPECT_EQ(counts.rows, 30);
        EXPECT_EQ(counts.answered, 30);
        EXPECT_EQ(counts.resultColumn, "r");
        EXPECT_EQ(static_cast<double>(counts.correct) / counts.withResult * 100.0,
                  task->accuracyPercent);
        // Row e of the answers is example e's answer.
        CsvTable answers;
        ASSERT_TRUE(ReadCsv(csv, answers, error)) << error;
        ASSERT_EQ(answers.header.size(), 7u);
        EXPECT_EQ(answers.header[4], AnswerHeading);
        ASSERT_EQ(answers.rows.size(), 30u);
        for (int e = 0; e < task->exampleCount; ++e) {
            const int answer = CheckAnswer(*task, task->examples[e].inputVariant);
            EXPECT_EQ(answers.rows[e][4], Cp1251ToUtf8(task->outputNames[answer])) << e;
            EXPECT_EQ(answers.rows[e][6], "");
        }
    }
}
