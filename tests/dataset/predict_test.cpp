// Answers for a whole table: the network's answer for each example of the
// table the task came from, and its accuracy there.
#include "dataset/predict.h"

#include <gtest/gtest.h>

#include "dataset/csvreader.h"
#include "dataset/datafile.h"
#include "dataset/importer.h"
#include "model/cp1251.h"
#include "network/network.h"
#include "tests/support/status_check.h"
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
    EXPECT_TRUE(IsOk(ReadCsv(text, csv)));
    return TableFromCsv(csv);
}

// The task the import makes of the table, numbers as exact values or in bins.
void Import(const DataTable& table, int bins, NetTask& task) {
    ImportOptions options;
    options.bins = bins;
    TaskDraft staged;
    ImportSummary summary;
    ASSERT_TRUE(IsOk(ImportTable(table, options, staged, summary)));
    ApplyImportedTask(staged, task);
}

}  // namespace

TEST(Predict, AnswersEachExampleAsTheNetworkDoesWithItsTrainingAccuracy) {
    const DataTable table = Table();
    for (const int bins : {ExactValues, 3}) {
        SCOPED_TRACE(bins);
        auto task = MakeTask();
        ASSERT_NO_FATAL_FAILURE(Import(table, bins, *task));
        ASSERT_TRUE(TrainNetwork(*task, "0.2", "30", 1, nullptr).status.ok());
        ASSERT_LT(task->accuracyPercent, 100.0);

        std::string csv;
        PredictSummary counts;
        ASSERT_TRUE(IsOk(PredictTable(*task, table, PredictOptions{}, csv, counts)));
        EXPECT_EQ(counts.rows, 30);
        EXPECT_EQ(counts.answered, 30);
        EXPECT_EQ(counts.resultColumn, "r");
        EXPECT_EQ(static_cast<double>(counts.correct) / counts.withResult * 100.0,
                  task->accuracyPercent);
        // Row e of the answers is example e's answer.
        CsvTable answers;
        ASSERT_TRUE(IsOk(ReadCsv(csv, answers)));
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

TEST(Predict, NumbersReadAsTheImportReadsThem) {
    // Grouped thousands are plain numbers to the import; new ones are asked by
    // value, read with the decimal mark the question table shows.
    std::string text = "sum;r\n";
    for (int r = 0; r < 20; ++r)
        text += "\"" + std::to_string(1 + r * 4) + " 250,5\";" + (r < 10 ? "lo" : "hi") + "\n";
    const auto read = [](const std::string& csv) {
        DataTable table;
        EXPECT_TRUE(IsOk(ReadDataBytes(DataFormat::Csv, csv, table)));
        return table;
    };
    for (const int bins : {ExactValues, 3}) {
        SCOPED_TRACE(bins);
        auto task = MakeTask();
        ASSERT_NO_FATAL_FAILURE(Import(read(text), bins, *task));
        ASSERT_TRUE(TrainNetwork(*task, "0.2", "300", 1, nullptr).status.ok());
        // A value of the table is its variant (or interval), however it is written.
        const int variant = ResolveValue(task->inputParams[0], "5 250,5")->variant;
        EXPECT_GE(variant, 0);
        for (const char* same : {"5250,5", "5250.5", "5 250.5"})
            EXPECT_EQ(ResolveValue(task->inputParams[0], same)->variant, variant) << same;
        const struct {
            const char* grouped;
            const char* plain;
        } cases[] = {{"\"3 000,25\"", "3000.25"},
                     {"\"70 000\"", "70000"},
                     {"2'500.5", "2500.5"},
                     {"71.000\n\"0,5\"", "71000\n0.5"}};  // a decimal comma: the point groups
        for (const auto& c : cases) {
            std::vector<std::string> answers[2];  // answer, signal, reason
            for (int form = 0; form < 2; ++form) {
                CsvTable answered;
                std::string out;
                PredictSummary counts;
                ASSERT_TRUE(IsOk(PredictTable(
                    *task, read(std::string("sum\n") + (form ? c.plain : c.grouped) + "\n"),
                    PredictOptions{}, out, counts)));
                ASSERT_TRUE(IsOk(ReadCsv(out, answered)));
                answers[form].assign(answered.rows[0].begin() + 1, answered.rows[0].end());
            }
            EXPECT_EQ(answers[0], answers[1]) << c.grouped;
            EXPECT_EQ(answers[0].back(), "") << c.grouped;
        }
    }
}

TEST(Predict, RowsTheReaderLeftOutAreNeverDroppedUnsaid) {
    auto task = MakeTask();
    AddParam(*task, {"x", {{0, "a"}, {1, "b"}}});
    // A column with few values keeps the reading open past the rows a task holds.
    std::string text = "x;note\na;n\n";
    for (int r = 0; r < MaxExamples + 100; ++r) text += std::string(r % 2 ? "a" : "b") + ";\n";
    DataTable table;
    std::string csv;
    ASSERT_TRUE(IsOk(ReadDataBytes(DataFormat::Csv, text, table)));
    ASSERT_GT(table.reading.leftOutRows, 0);
    PredictSummary counts;
    const Status answered = PredictTable(*task, table, PredictOptions{}, csv, counts);
    EXPECT_EQ(answered.kind, StatusKind::Refused);
    EXPECT_NE(answered.message.find("Разделите файл на части"), std::string::npos)
        << answered.message;
}
