// Files that break a capacity or an index are refused whole, with a message
// naming the line, and the task keeps every byte it had.
#include <gtest/gtest.h>

#include "storage/fieldreader.h"
#include "storage/taskfile.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"

namespace {

struct BadFile {
    const char* what;
    std::string bytes;
    const char* messagePart;
};

// The task is a noisy record; a refusal must leave all of it as it was.
void ExpectRefusedUnchanged(const std::string& bytes, const std::string& messagePart) {
    auto task = MakeNoisyTask();
    auto before = MakeTask();
    CopyTask(*task, *before);
    const LoadResult result = LoadFromBytes(*task, bytes);
    EXPECT_EQ(result.status.kind, StatusKind::Refused);
    EXPECT_EQ(result.code(), -1);
    EXPECT_NE(result.status.message.find(messagePart), std::string::npos) << result.status.message;
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

const std::string TwoParams = "2\n1\n2\n1\n2 a\n1 b\n0 a0\n1 a1\n5 b0\nyes\nno\n";

}  // namespace

TEST(TaskFileRefusal, CountsOutsideTheCapacitiesAreRefused) {
    const BadFile files[] = {
        {"13 inputs", "13\n1\n1\n0\n", "Строка 1: число входных параметров равно 13"},
        {"negative inputs", "-1\n1\n1\n0\n", "Строка 1: число входных параметров равно -1"},
        {"huge inputs", "2000000000\n", "равно 2000000000, а допускается от 0 до 12"},
        {"501 outputs", "1\n1\n501\n0\n", "Строка 3: число выходных вариантов равно 501"},
        {"negative outputs", "1\n1\n-2\n0\n", "Строка 3: число выходных вариантов равно -2"},
        {"501 examples", "0\n1\n1\n501\n", "Строка 4: число примеров равно 501"},
        {"negative examples", "0\n1\n1\n-1\n", "Строка 4: число примеров равно -1"},
        {"huge examples", "0\n1\n1\n2147483647\n", "Строка 4: число примеров равно 2147483647"},
        {"501 variants", "2\n1\n1\n0\n1 a\n501 b\n",
         "Строка 6: число вариантов входного "
         "параметра 2 равно 501"},
        {"negative variants", "1\n1\n1\n0\n-1 a\n", "Строка 5: число вариантов"},
        {"huge variants", "1\n1\n1\n0\n2000000000 a\n", "равно 2000000000"},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        ExpectRefusedUnchanged(file.bytes, file.messagePart);
    }
}

TEST(TaskFileRefusal, IndexesOutsideTheirListsAreRefused) {
    const BadFile files[] = {
        {"variant = count", TwoParams + "2,0,=0\n",
         "Строка 12: в примере 1 номер варианта входного параметра 1 равен 2, а допускается от "
         "0 до 1."},
        {"negative variant", TwoParams + "0,-1,=0\n", "входного параметра 2 равен -1"},
        {"result = count", TwoParams + "0,0,=2\n",
         "Строка 12: в примере 1 номер результата равен 2, а допускается от 0 до 1."},
        {"negative result", TwoParams + "0,0,=-1\n", "номер результата равен -1"},
        {"second example", TwoParams.substr(0, 6) + "2" + TwoParams.substr(7) + "0,0,=0\n1,0,=9\n",
         "Строка 13: в примере 2 номер результата равен 9"},
        {"no outputs", "1\n1\n0\n1\n1 a\n0 x\n0,=0\n", "а выходных вариантов нет"},
        {"no variants", "1\n1\n1\n1\n0 a\nout\n0,=0\n", "у этого параметра нет вариантов"},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        ExpectRefusedUnchanged(file.bytes, file.messagePart);
    }
}

TEST(TaskFileRefusal, NonFiniteVariantValuesAreRefused) {
    const std::string head = "1\n1\n1\n0\n2 p\n0 a\n";
    for (const char* value : {"nan", "-nan", "inf", "-Infinity", "1e999", "-1e400", "nan\r"}) {
        SCOPED_TRACE(value);
        ExpectRefusedUnchanged(head + value + " b\nout\n",
                               "Строка 7: значение варианта 2 входного параметра 1 не является "
                               "конечным числом.");
    }
    // The largest finite values still load.
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, head + "-1.7e308 b\nout\n").code(), 1);
}

TEST(TaskFileRefusal, TruncatedFileIsRefusedWhenItsExamplesPointNowhere) {
    // The parameter lines are missing, so parameter 1 reads as having no variants.
    ExpectRefusedUnchanged("1\n1\n1\n1\n", "Строка 5 (файл кончился раньше)");
}

TEST(TaskFileRefusal, OverlongFieldsAreRefusedBeforeTheyGrowWithoutBound) {
    const std::string longestName(MaxNameBytes, 'n');
    auto task = MakeTask();
    ASSERT_EQ(LoadFromBytes(*task, "0\n1\n1\n0\n" + longestName + "\n").code(), 1);
    EXPECT_EQ(task->outputNames[0], longestName);

    ExpectRefusedUnchanged("0\n1\n1\n0\n" + longestName + "n\n", "Строка 5: имя длиннее 32767");
    ExpectRefusedUnchanged("1\n1\n1\n0\n1 " + longestName + "n\n", "Строка 5: имя длиннее");
    ExpectRefusedUnchanged("1\n1\n1\n0\n1 a\n1 " + longestName + "n\n", "Строка 6: имя длиннее");
    // Ten megabytes without a line end: refused within the first field.
    ExpectRefusedUnchanged(std::string(10 << 20, ' '), "Строка 1: число длиннее 512 байт.");
    ExpectRefusedUnchanged("1\n1\n1\n1\n1 a\n" + std::string(600, '0') + "1 v\nout\n0,=0\n",
                           "Строка 6: число длиннее");
    ExpectRefusedUnchanged(TwoParams + std::string(600, ' ') + "0,0,=0\n", "Строка 12: число");
    ExpectRefusedUnchanged(TwoParams + "0,0,=" + std::string(600, ' ') + "0\n", "Строка 12: число");
}

// A sample cut at every length either loads inside the capacities or is
// refused with the task untouched; nothing in between, and never a crash.
TEST(TaskFileRefusal, SamplesCutAtEveryLengthLoadOrAreRefusedCleanly) {
    std::string crlf;
    for (char c : SampleBytes("fruit.task"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto pristine = MakeNoisyTask();
    auto task = MakeTask();
    for (const std::string& sample :
         {SampleBytes("fruit.task"), SampleBytes("weather-ru.task"), crlf}) {
        int loaded = 0, refused = 0;
        bool changed = true;
        for (std::size_t length = 0; length <= sample.size(); ++length) {
            SCOPED_TRACE(length);
            if (changed) CopyTask(*pristine, *task);
            const LoadResult result =
                LoadFromBytes(*task, std::string_view(sample).substr(0, length));
            changed = result.status.kind == StatusKind::Ok;
            if (changed) {
                ++loaded;
                EXPECT_TRUE(InsideCapacities(*task));
            } else {
                ++refused;
                ASSERT_EQ(result.status.kind, StatusKind::Refused);
                EXPECT_FALSE(result.status.message.empty());
                ASSERT_EQ(DescribeDifference(*task, *pristine), "");
            }
        }
        // Cuts inside the definition leave examples without variants: refused;
        // cuts inside the examples read the rest as zeros: loaded.
        EXPECT_GT(loaded, 0);
        EXPECT_GT(refused, 0);
    }
}
