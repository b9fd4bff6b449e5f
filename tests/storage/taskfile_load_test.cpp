// What a successful load changes and what it leaves, and the reader's leniency.
#include <gtest/gtest.h>

#include "model/taskdraft.h"
#include "storage/bytesource.h"
#include "storage/fieldreader.h"
#include "storage/taskfile.h"
#include "storage/taskreader.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// Hands out the bytes one at a time, as the file object's single-byte reads do.
class OneByteSource : public ByteSource {
  public:
    explicit OneByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::string_view Next() override {
        if (bytes_.empty()) return {};
        std::string_view one = bytes_.substr(0, 1);
        bytes_.remove_prefix(1);
        return one;
    }

  private:
    std::string_view bytes_;
};

std::unique_ptr<NetTask> Loaded(std::string_view bytes) {
    auto task = MakeTask();
    const LoadResult result = LoadFromBytes(*task, bytes);
    EXPECT_EQ(result.status.kind, StatusKind::Ok) << result.status.message;
    return task;
}

}  // namespace

TEST(TaskFileLoad, ReplacesExactlyTheFieldsTheFileHolds) {
    auto task = MakeNoisyTask();
    auto expected = MakeTask();
    CopyTask(*task, *expected);
    ASSERT_EQ(LoadFromBytes(*task, SampleBytes("fruit.task")).code(), 1);

    // fruit.task: colour (3 variants), size (2), 3 outputs, hidden 4, 6 examples.
    expected->inputCount = 2;
    expected->hiddenCount = 4;
    expected->outputCount = 3;
    expected->exampleCount = 6;
    const std::pair<double, const char*> colour[] = {{1, "red"}, {2, "green"}, {3, "yellow"}};
    const std::pair<double, const char*> size[] = {{0.5, "small"}, {1.5, "large"}};
    expected->inputNames[0] = "colour";
    expected->inputNames[1] = "size";
    expected->inputParams[0].variantCount = 3;
    expected->inputParams[1].variantCount = 2;
    for (int j = 0; j < 3; ++j) {
        expected->inputParams[0].variantValues[j] = colour[j].first;
        expected->inputParams[0].variantNames[j] = colour[j].second;
    }
    for (int j = 0; j < 2; ++j) {
        expected->inputParams[1].variantValues[j] = size[j].first;
        expected->inputParams[1].variantNames[j] = size[j].second;
    }
    expected->outputNames[0] = "apple";
    expected->outputNames[1] = "pear";
    expected->outputNames[2] = "plum";
    const int rows[6][3] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 2}, {1, 1, 1}, {2, 0, 1}, {2, 1, 1}};
    for (int k = 0; k < 6; ++k) {
        expected->examples[k].inputVariant[0] = rows[k][0];
        expected->examples[k].inputVariant[1] = rows[k][1];
        for (int j = 0; j < 3; ++j) expected->examples[k].target[j] = j == rows[k][2] ? 1.0 : 0.0;
    }
    // Slots beyond the new counts, the third parameter, learningCoef, weights,
    // error history and accuracy all keep what they held.
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(TaskFileLoad, TruncatedFileLoadsWithZerosAndEmptyNames) {
    // Ends inside the first variant line: the rest reads as 0 and empty.
    auto task = Loaded("1\n3\n2\n1\n2 p\n1.5 fir");
    EXPECT_EQ(task->inputParams[0].variantValues[0], 1.5);
    EXPECT_EQ(task->inputParams[0].variantNames[0], "fir");
    EXPECT_EQ(task->inputParams[0].variantValues[1], 0.0);
    EXPECT_EQ(task->inputParams[0].variantNames[1], "");
    EXPECT_EQ(task->outputNames[0], "");
    EXPECT_EQ(task->outputNames[1], "");
    // The missing example reads as variant 0 with output variant 0 as its result.
    EXPECT_EQ(task->examples[0].inputVariant[0], 0);
    EXPECT_EQ(task->examples[0].target[0], 1.0);
    EXPECT_EQ(task->examples[0].target[1], 0.0);
}

TEST(TaskFileLoad, MissingResultMakesOutputVariantZeroTheResult) {
    auto task = Loaded("1\n1\n3\n1\n2 p\n1 a\n2 b\nx\ny\nz\n1,");
    EXPECT_EQ(task->examples[0].inputVariant[0], 1);
    EXPECT_EQ(task->examples[0].target[0], 1.0);
    EXPECT_EQ(task->examples[0].target[2], 0.0);
}

TEST(TaskFileLoad, NumbersAreReadLikeAtoiAndAtof) {
    auto task =
        Loaded(" +1 count\n\t3x\n2.9\n1;\n2junk name\n1.5e1 a\n-.25b b\nout0\nout1\n1z,==1 \n");
    EXPECT_EQ(task->inputCount, 1);
    EXPECT_EQ(task->hiddenCount, 3);
    EXPECT_EQ(task->outputCount, 2);
    EXPECT_EQ(task->exampleCount, 1);
    EXPECT_EQ(task->inputNames[0], "name");
    EXPECT_EQ(task->inputParams[0].variantCount, 2);
    EXPECT_EQ(task->inputParams[0].variantValues[0], 15.0);
    EXPECT_EQ(task->inputParams[0].variantValues[1], -0.25);
    EXPECT_EQ(task->examples[0].inputVariant[0], 1);
    EXPECT_EQ(task->examples[0].target[1], 1.0);
}

TEST(TaskFileLoad, CrNeverEntersANameOrANumber) {
    auto task = Loaded("1\r\n2\r\n1\r\n1\r\n1 na\rme\r\n7\r x\ry\r\nou\rt\r\n0\r,=\r0\r\n");
    EXPECT_EQ(task->inputNames[0], "name");
    EXPECT_EQ(task->inputParams[0].variantValues[0], 7.0);
    EXPECT_EQ(task->inputParams[0].variantNames[0], "xy");
    EXPECT_EQ(task->outputNames[0], "out");
    EXPECT_EQ(task->examples[0].target[0], 1.0);
}

TEST(TaskFileLoad, AnExampleLineMayBeSplitAcrossLines) {
    // A comma field ends only at a comma; the LF before the digit is skipped as a blank.
    auto task = Loaded("2\n1\n2\n1\n2 a\n2 b\n0 x\n1 y\n0 z\n1 w\nu\nv\n1,\n1,=1\n");
    EXPECT_EQ(task->examples[0].inputVariant[0], 1);
    EXPECT_EQ(task->examples[0].inputVariant[1], 1);
    EXPECT_EQ(task->examples[0].target[1], 1.0);
}

TEST(TaskFileLoad, BytesAfterTheLastFieldDoNotMatter) {
    const std::string fruit = SampleBytes("fruit.task");
    auto plain = Loaded(fruit);
    auto extra = Loaded(fruit + "9,9,=9\n500\n\xFF garbage without end");
    EXPECT_EQ(DescribeDifference(*plain, *extra), "");
}

TEST(TaskFileLoad, HiddenSizeBelowOneLoadsAsReadAndAbove499AsTheCap) {
    const std::pair<const char*, int> cases[] = {{"-5", -5},   {"0", 0},     {"1", 1},
                                                 {"499", 499}, {"500", 499}, {"2147483647", 499}};
    for (const auto& [text, hidden] : cases) {
        SCOPED_TRACE(text);
        auto task = Loaded(std::string("0\n") + text + "\n0\n0\n");
        EXPECT_EQ(task->hiddenCount, hidden);
    }
}

TEST(TaskFileLoad, ReadingInRunsOfOneByteGivesTheSameTask) {
    std::string crlf;
    for (char c : SampleBytes("fruit.task"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& bytes : {SampleBytes("weather-ru.task"), crlf}) {
        auto whole = Loaded(bytes);
        OneByteSource source(bytes);
        FieldReader reader(source);
        TaskDraft staged;
        const Status read = ReadTaskFile(reader, staged);
        ASSERT_TRUE(read.ok()) << read.message;
        auto bytewise = MakeTask();
        ApplyTaskDraft(staged, *bytewise);
        EXPECT_EQ(DescribeDifference(*whole, *bytewise), "");
    }
}

TEST(TaskFileLoad, MissingFileOrFolderCannotBeOpenedAndChangesNothing) {
    TempDir dir;
    auto task = MakeNoisyTask();
    auto before = MakeTask();
    CopyTask(*task, *before);
    for (const std::string& path : {dir.Path("missing.task"), dir.path()}) {
        SCOPED_TRACE(path);
        const LoadResult result = LoadFromFile(*task, path);
        EXPECT_EQ(result.status.kind, StatusKind::CannotOpen);
        EXPECT_EQ(result.code(), -1);
        EXPECT_EQ(result.status.message, "Файл не открылся.");
        EXPECT_EQ(DescribeDifference(*task, *before), "");
    }
}

TEST(TaskFileLoad, FileLoadsLikeTheSameBytesInMemory) {
    TempDir dir;
    const std::string bytes = SampleBytes("weather-ru.task");
    TempDir::Write(dir.Path("w.task"), bytes);
    auto fromFile = MakeTask();
    ASSERT_EQ(LoadFromFile(*fromFile, dir.Path("w.task")).code(), 1);
    EXPECT_EQ(DescribeDifference(*fromFile, *Loaded(bytes)), "");
}
