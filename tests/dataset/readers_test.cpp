// ARFF files and CSV tables as data tables: what is read and what is refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "dataset/arffreader.h"
#include "dataset/datafile.h"
#include "dataset/numbercell.h"
#include "tests/support/comma_locale.h"
#include "tests/support/temp_dir.h"

namespace {

std::string DataPath(const std::string& name) {
    return std::string(ZARN_SOURCE_DIR) + "/tests/dataset/data/" + name;
}

const std::string Head = "@relation r\n@attribute a {x, y}\n@attribute b numeric\n@data\n";

std::string ManyAttributes(int count) {
    std::string text = "@relation r\n";
    for (int a = 0; a < count; ++a) text += "@attribute a" + std::to_string(a) + " numeric\n";
    return text + "@data\n";
}

}  // namespace

TEST(ArffReader, ReadsKindsQuotedNamesCommentsAndMissingValues) {
    DataTable table;
    const Status read = ReadDataFile(DataPath("weather.arff"), table);
    ASSERT_TRUE(read.ok()) << read.message;
    ASSERT_EQ(table.columns.size(), 4u);
    EXPECT_EQ(table.columns[0].declared, (std::vector<std::string>{"sunny", "overcast", "rainy"}));
    EXPECT_EQ(table.columns[1].kind, DataColumn::Kind::Numeric);
    EXPECT_EQ(table.columns[2].name, "wind speed");
    EXPECT_EQ(table.columns[2].declared, (std::vector<std::string>{"calm", "strong"}));
    ASSERT_EQ(table.rows.size(), 10u);
    EXPECT_EQ(table.rows[2][3], "yes") << "a trailing comment is not part of the value";
    EXPECT_FALSE(table.rows[4][2].has_value()) << "? is a missing value";
}

TEST(ArffReader, RefusesBrokenFilesNamingTheLine) {
    const struct {
        std::string text, messagePart;
    } cases[] = {
        {"@attribute a numeric\n@data\n1\n", "Строка 1: файл ARFF начинается с @relation"},
        {"% only a comment\n", "нет строки @relation"},
        {"@relation r\n@attribute a numeric\n", "нет раздела @data"},
        {"@relation r\n@data\n", "Строка 2: перед @data нет ни одного @attribute"},
        {"@relation r\n@attribute a relational\n@data\n", "Строка 2: тип «relational»"},
        {"@relation r\n@attribute a {}\n@data\n", "пустой список"},
        {"@relation r\n@attribute a {x,x}\n@data\n", "«x» атрибута «a» объявлено дважды"},
        {"@relation r\n@attribute a numeric\n@attribute a numeric\n@data\n", "уже объявлен"},
        {"@relation r\n@attribute 'a numeric\n@data\n", "Строка 2: кавычка ' не закрыта"},
        {Head + "z,1\n", "Строка 5: значение «z» не объявлено у атрибута «a»"},
        {Head + "x,one\n", "«one» не число"},
        {Head + "x,1,2\n", "значений 3, а атрибутов 2"},
        {Head + "x" +
             [] {
                 std::string values;
                 for (int v = 0; v < 2000; ++v) values += ",1";
                 return values;
             }() +
             "\n",
         "значений 2001, а атрибутов 2"},
        {ManyAttributes(1001), "Строка 1002: атрибутов больше 1000"},
        {Head + "x\n", "значений 1, а атрибутов 2"},
        {Head + "x,\n", "пустое значение"},
        {Head + "{0 x, 1 2}\n", "разреженные строки"},
        {Head + "'x'y,1\n", "после закрывающей кавычки"},
    };
    for (const auto& c : cases) {
        DataTable table;
        const Status read = ReadArff(c.text, table);
        EXPECT_EQ(read.kind, StatusKind::Refused) << c.text;
        EXPECT_NE(read.message.find(c.messagePart), std::string::npos) << c.text << "\n"
                                                                       << read.message;
    }
}

TEST(DataFile, FormatByNameOrClearContent) {
    const struct {
        const char* name;
        std::string bytes;
        DataFormat format;
    } cases[] = {
        {"t.CSV", "anything", DataFormat::Csv},
        {"t.arff", "", DataFormat::Arff},
        {"t.txt", "% c\n\n@RELATION x\n", DataFormat::Arff},
        {"t", "a;b\n1;2\n", DataFormat::Csv},
        {"t", "2\n4\n3\n0\n2 colour\n", DataFormat::None},  // a task file
        {"t", "a,b\n", DataFormat::None},                   // no row
        {"t", "a,b\n1\n", DataFormat::None},                // not a table
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataFormatOf(c.name, c.bytes), c.format) << c.name << c.bytes;
}

// The kind says what the caller tells the user; CannotOpen keeps the system's reason.
TEST(DataFile, UnreadableNamedDataIsCannotOpenOtherwiseNotData) {
    TempDir dir;
    TempDir::Write(dir.Path("broken.csv"), "a,b\n\"x,1\n");
    ASSERT_EQ(mkdir(dir.Path("folder.arff").c_str(), 0700), 0);
    const struct {
        std::string path;
        StatusKind kind;
        int error;
        const char* messagePart;
    } cases[] = {
        {dir.Path("missing.csv"), StatusKind::CannotOpen, ENOENT, ""},
        {dir.Path("folder.arff"), StatusKind::CannotOpen, EINVAL, ""},
        {dir.Path("missing"), StatusKind::NotData, 0, ""},
        {dir.path(), StatusKind::NotData, 0, ""},
        {dir.Path("broken.csv"), StatusKind::Refused, 0, "кавычка"},
    };
    for (const auto& c : cases) {
        DataTable table;
        const Status read = ReadDataFile(c.path, table);
        EXPECT_EQ(read.kind, c.kind) << c.path;
        EXPECT_EQ(read.error, c.error) << c.path;
        EXPECT_NE(read.message.find(c.messagePart), std::string::npos) << read.message;
    }
}

// A file of unknown format is told and read in one pass: what starts as a
// table is read as ReadDataBytes reads it, a fault after the first rows is the
// table's, and anything else leaves the caller's table as it was.
TEST(DataFile, UnnamedFileIsToldAndReadAsItsNamedCopy) {
    std::string rows;
    for (int r = 1; r <= 24; ++r) rows += std::to_string(r) + ";x" + std::to_string(r % 3) + "\n";
    const struct {
        std::string bytes;
        StatusKind kind;
        const char* messagePart;
    } cases[] = {
        {"a;b\n" + rows, StatusKind::Ok, ""},
        {"sep=,\n\"a\",b\n1,2\n", StatusKind::Ok, ""},
        {"a;b\n" + rows + "1;2;3\n", StatusKind::Refused, "Строка 26: полей 3"},
        {"a;b\n" + rows + "\"1;2\n", StatusKind::Refused, "кавычка"},
        {"a;b\n1;2\n1;2;3\n" + rows, StatusKind::NotData, ""},
        {"a;b\n", StatusKind::NotData, ""},
        {"2\n4\n3\n0\n2 colour\n", StatusKind::NotData, ""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        TempDir::Write(dir.Path("data"), c.bytes);
        TempDir::Write(dir.Path("data.csv"), c.bytes);
        DataTable table, named;
        table.columns.emplace_back().name = "kept";
        const Status read = ReadDataFile(dir.Path("data"), table);
        EXPECT_EQ(read.kind, c.kind) << c.bytes;
        EXPECT_NE(read.message.find(c.messagePart), std::string::npos) << c.bytes << "\n"
                                                                       << read.message;
        if (c.kind == StatusKind::NotData) {
            ASSERT_EQ(table.columns.size(), 1u) << c.bytes;
            EXPECT_EQ(table.columns[0].name, "kept");
            EXPECT_EQ(read.message, "");
            continue;
        }
        const Status readNamed = ReadDataFile(dir.Path("data.csv"), named);
        EXPECT_EQ(readNamed.kind, c.kind) << c.bytes;
        EXPECT_EQ(read.message, readNamed.message);
        EXPECT_EQ(DescribeReading(table), DescribeReading(named));
        ASSERT_EQ(table.columns.size(), named.columns.size()) << c.bytes;
        for (std::size_t k = 0; k < table.columns.size(); ++k)
            EXPECT_EQ(table.columns[k].name, named.columns[k].name);
        EXPECT_EQ(table.rows, named.rows) << c.bytes;
    }
}

TEST(NumberCell, NumbersAndRangesIndependentOfTheLocale) {
    CommaLocale comma;
    const struct {
        const char* text;
        std::optional<double> number;
        std::optional<std::pair<double, double>> range;
    } cases[] = {
        {" 1.5 ", 1.5, std::nullopt},
        {"1,5", 1.5, std::nullopt},
        {"-2e3", -2000.0, std::nullopt},
        {"+.5", 0.5, std::nullopt},
        {"1,000.5", 1000.5, std::nullopt},
        {"1.234,5", 1234.5, std::nullopt},
        {"1 234,5", 1234.5, std::nullopt},
        {"1\u00A0234,5", 1234.5, std::nullopt},
        {"1'234.5", 1234.5, std::nullopt},
        {"152 600", 152600.0, std::nullopt},
        {"1,234,567", 1234567.0, std::nullopt},
        {"12 34", std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt},
        {"1.234.5", std::nullopt, std::nullopt},
        {"1e400", std::nullopt, std::nullopt},
        {"2024-01", std::nullopt, std::make_pair(2024.0, 1.0)},  // a date column reads it as one
        {"inf", std::nullopt, std::nullopt},
        {"0x10", std::nullopt, std::nullopt},
        {"10-19", std::nullopt, std::make_pair(10.0, 19.0)},
        {"-5..-1", std::nullopt, std::make_pair(-5.0, -1.0)},
        {"0,5 – 1,5", std::nullopt, std::make_pair(0.5, 1.5)},
        {"1e-5", 1e-5, std::nullopt},
        {"10-", std::nullopt, std::nullopt},
        {"a-b", std::nullopt, std::nullopt},
        {"1e-5-2e-5", std::nullopt, std::make_pair(1e-5, 2e-5)},
        {"-1e-5--2", std::nullopt, std::make_pair(-1e-5, -2.0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumberCell(c.text), c.number) << c.text;
        if (!c.number) {
            EXPECT_EQ(ReadRangeCell(c.text), c.range) << c.text;
        }
    }
}

TEST(NumberCell, TheDecimalMarkDecidesGroupsAndDatesHaveDays) {
    const struct {
        const char* text;
        char decimal;
        std::optional<double> number;
    } cases[] = {
        {"1,234", 0, 1.234},    {"1,234", '.', 1234.0},         {"1,234", ',', 1.234},
        {"1.234", ',', 1234.0}, {"1,234,5", ',', std::nullopt}, {"1.5", ',', std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumberCell(c.text, c.decimal), c.number) << c.text << " " << c.decimal;
    const std::pair<const char*, char> marks[] = {{"1,5", ','},     {"1.234,5", ','}, {"3.14", '.'},
                                                  {"1,234.5", '.'}, {"1,234", 0},     {"x", 0}};
    for (const auto& [text, mark] : marks) EXPECT_EQ(DecimalMarkOf(text), mark) << text;
    EXPECT_EQ(ReadDateCell("1970-01-01"), 0.0);
    EXPECT_EQ(ReadDateCell("2024-03"), ReadDateCell("01.03.2024"));
    EXPECT_EQ(*ReadDateCell("2024-03-01") - *ReadDateCell("2024-02-28"), 2.0) << "a leap year";
    for (const char* text : {"2023-02-29", "2024-13", "32.01.2024", "2024-1", "24-01-01"})
        EXPECT_FALSE(ReadDateCell(text)) << text;
    EXPECT_EQ(RangeMiddle({-1.7e308, 1.7e308}), 0.0);
    EXPECT_EQ(RangeMiddle({1.7e308, 1.7e308}), 1.7e308) << "no overflow";
}
