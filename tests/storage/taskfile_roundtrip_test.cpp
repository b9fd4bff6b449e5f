// Writing and reading back: exact bytes, names, values, line ends, code page.
#include <gtest/gtest.h>

#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/comma_locale.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

std::unique_ptr<NetTask> WorkedExample() {
    auto task = MakeTask();
    AddParam(*task, {"colour", {{1.0, "red"}, {2.0, "green"}}});
    AddParam(*task, {"size", {{0.5, "small"}, {1.5, "large"}}});
    SetOutputs(*task, {"apple", "pear", "plum"});
    task->hiddenCount = 4;
    PutExample(*task, {1, 0}, 2);
    return task;
}

const char* const WorkedExampleBytes =
    "2\n4\n3\n1\n2 colour\n2 size\n1.000000 red\n2.000000 green\n0.500000 small\n"
    "1.500000 large\napple\npear\nplum\n1,0,=2\n";

std::string WithCrLf(const std::string& lf) {
    std::string out;
    for (char c : lf) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// Saves through a real file, loads into a fresh record and returns it.
std::unique_ptr<NetTask> SaveAndLoad(const NetTask& task, std::string* bytes = nullptr) {
    TempDir dir;
    EXPECT_EQ(SaveToFile(task, dir.Path("t.task")), 1);
    if (bytes) *bytes = TempDir::Read(dir.Path("t.task"));
    auto loaded = MakeTask();
    EXPECT_EQ(LoadFromFile(*loaded, dir.Path("t.task")).status.kind, StatusKind::Ok);
    return loaded;
}

}  // namespace

TEST(TaskFileRoundTrip, WorkedExampleIsWrittenAndReadByteForByte) {
    auto task = WorkedExample();
    std::string bytes;
    auto loaded = SaveAndLoad(*task, &bytes);
    EXPECT_EQ(bytes, WorkedExampleBytes);
    EXPECT_EQ(DescribeDifference(*loaded, *task), "");
    EXPECT_EQ(loaded->examples[0].target[0], 0.0);
    EXPECT_EQ(loaded->examples[0].target[2], 1.0);
}

TEST(TaskFileRoundTrip, NamesKeepLeadingInnerAndTrailingSpacesAndMayBeEmpty) {
    auto task = MakeTask();
    AddParam(*task, {" leading", {{1.0, "inner  space"}, {2.0, ""}, {3.0, "trailing  "}}});
    AddParam(*task, {"", {{-1.0, " "}}});
    SetOutputs(*task, {" out ", "", "a b"});
    task->hiddenCount = 2;
    PutExample(*task, {1, 0}, 1);
    std::string bytes;
    auto loaded = SaveAndLoad(*task, &bytes);
    EXPECT_EQ(DescribeDifference(*loaded, *task), "");
    EXPECT_NE(bytes.find("\n3  leading\n"), std::string::npos);
    EXPECT_NE(bytes.find("\n2.000000 \n"), std::string::npos) << "empty name: value, space, LF";
    EXPECT_NE(bytes.find("\n1 \n"), std::string::npos) << "empty parameter name";
}

TEST(TaskFileRoundTrip, ValuesAreWrittenWithSixDecimals) {
    auto task = MakeTask();
    AddParam(*task, {"p", {{36.6, "a"}, {0.0000004, "b"}, {-0.5, "c"}, {1000.0, "d"}}});
    SetOutputs(*task, {"o"});
    std::string bytes;
    auto loaded = SaveAndLoad(*task, &bytes);
    EXPECT_EQ(bytes, "1\n0\n1\n0\n4 p\n36.600000 a\n0.000000 b\n-0.500000 c\n1000.000000 d\no\n");
    EXPECT_EQ(loaded->inputParams[0].variantValues[0], 36.6);
    EXPECT_EQ(loaded->inputParams[0].variantValues[1], 0.0);
    EXPECT_EQ(loaded->inputParams[0].variantValues[2], -0.5);
}

TEST(TaskFileRoundTrip, TaskWithoutExamplesEndsAfterTheLastOutputName) {
    auto task = WorkedExample();
    task->exampleCount = 0;
    std::string bytes;
    auto loaded = SaveAndLoad(*task, &bytes);
    EXPECT_EQ(bytes.substr(0, 8), "2\n4\n3\n0\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "plum\n");
    EXPECT_EQ(loaded->exampleCount, 0);
}

TEST(TaskFileRoundTrip, SamplesSaveBackToTheirOwnBytes) {
    for (const char* name : {"fruit.task", "weather-ru.task"}) {
        SCOPED_TRACE(name);
        const std::string sample = SampleBytes(name);
        auto task = MakeTask();
        ASSERT_EQ(LoadFromBytes(*task, sample).status.kind, StatusKind::Ok);
        std::string first;
        auto again = SaveAndLoad(*task, &first);
        EXPECT_EQ(first, sample);
        std::string second;
        SaveAndLoad(*again, &second);
        EXPECT_EQ(second, first);
    }
}

TEST(TaskFileRoundTrip, CrLfFileLoadsLikeTheLfFile) {
    for (const char* name : {"fruit.task", "weather-ru.task"}) {
        SCOPED_TRACE(name);
        const std::string lf = SampleBytes(name);
        auto fromLf = MakeTask();
        auto fromCrLf = MakeTask();
        ASSERT_EQ(LoadFromBytes(*fromLf, lf).status.kind, StatusKind::Ok);
        ASSERT_EQ(LoadFromBytes(*fromCrLf, WithCrLf(lf)).status.kind, StatusKind::Ok);
        EXPECT_EQ(DescribeDifference(*fromLf, *fromCrLf), "");
        EXPECT_EQ(FormatTaskFile(*fromCrLf).value_or(""), lf);
    }
}

TEST(TaskFileRoundTrip, Windows1251BytesPassThroughUntouched) {
    auto weather = MakeTask();
    ASSERT_EQ(LoadFromBytes(*weather, SampleBytes("weather-ru.task")).status.kind, StatusKind::Ok);
    EXPECT_EQ(weather->inputNames[0], "\xCF\xEE\xE3\xEE\xE4\xE0");  // Погода
    EXPECT_EQ(weather->outputNames[1], "\xD1\xE8\xE4\xE5\xF2\xFC \xE4\xEE\xEC\xE0");

    std::string every;  // every byte a name can hold
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != '\r') every += static_cast<char>(b);
    auto task = MakeTask();
    AddParam(*task, {every, {{1.0, every}}});
    SetOutputs(*task, {every});
    PutExample(*task, {0}, 0);
    auto loaded = SaveAndLoad(*task);
    EXPECT_EQ(DescribeDifference(*loaded, *task), "");
}

TEST(TaskFileRoundTrip, NumbersIgnoreACommaDecimalLocale) {
    CommaLocale comma;
    auto task = MakeTask();
    AddParam(*task, {"p", {{36.6, "a"}, {-0.5, "b"}}});
    SetOutputs(*task, {"o"});
    std::string bytes;
    auto loaded = SaveAndLoad(*task, &bytes);
    EXPECT_NE(bytes.find("36.600000 a\n-0.500000 b\n"), std::string::npos) << bytes;
    EXPECT_EQ(loaded->inputParams[0].variantValues[0], 36.6);
    EXPECT_EQ(loaded->inputParams[0].variantValues[1], -0.5);
}
