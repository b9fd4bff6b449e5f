// Every data file of the corpus in tests/dataset/data (one per case the
// import must get right) read and imported as a user would: the parameters,
// the order of the first one's variants, the classes and the column kinds it
// must give, or the message it must refuse with.
#include <gtest/gtest.h>

#include "dataset/columnkind.h"
#include "dataset/datafile.h"
#include "dataset/importer.h"
#include "model/cp1251.h"
#include "tests/support/comma_locale.h"
#include "tests/support/status_check.h"

namespace {

using Names = std::vector<std::string>;

struct CorpusCase {
    const char* file;
    Names words;          // columns read as words
    std::string result;   // the result column; empty: the last
    Names params;         // empty: refused
    Names firstVariants;  // of the first parameter, in order
    Names classes;
    std::string kinds;    // every column's kind, comma-separated
    std::string message;  // part of the refusal, or of what the reading and import say
};

std::string Kinds(const DataTable& table) {
    std::string kinds;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        kinds += (c ? "," : "") + std::string(ValueKindName(OverviewOf(table, c).kind));
    return kinds;
}

Names Utf8Names(const std::vector<std::string>& names) {
    Names utf8;
    for (const std::string& name : names) utf8.push_back(Cp1251ToUtf8(name));
    return utf8;
}

}  // namespace

TEST(DataCorpus, EachFileGivesItsTaskOrItsMessage) {
    CommaLocale comma;
    const CorpusCase cases[] = {
        {"semicolon-names-with-commas.csv",
         {},
         {},
         {"Рост, м", "Вес, кг"},
         {"1,65", "1,72", "1,80"},
         {"20,2", "24,7", "30,4"},
         "числа,числа,числа",
         "разделитель «;»"},
        {"excel-sep-line.csv",
         {},
         {},
         {"размер, см", "цвет"},
         {"10,5", "12"},
         {"apple", "pear"},
         "числа,слова,слова",
         "«;» (строка sep=)"},
        {"thousands-spaces.csv",
         {},
         {},
         {"Цена"},
         {"1\u00A0234,5", "98 000", "152 600", "2\u00A0000 000"},
         {"да", "нет"},
         "числа,слова",
         "десятичный знак «,»"},
        {"thousands-apostrophe.csv",
         {},
         {},
         {"price"},
         {"999.5", "1'234.5", "12'000"},
         {"yes", "no"},
         "числа,слова",
         "десятичный знак «.»"},
        {"thousands-comma-point.csv",
         {},
         {},
         {"price"},
         {"999.5", "1,234.5", "12,000.25"},
         {"yes", "no"},
         "числа,слова",
         "десятичный знак «.»"},
        {"dates-year-month.csv",
         {},
         {},
         {"month"},
         {"2023-12", "2024-01", "2024-02"},
         {"high", "low"},
         "даты,слова",
         ""},
        {"dates-year-month.csv",
         {"month"},
         {},
         {"month"},
         {"2024-01", "2023-12", "2024-02"},
         {"high", "low"},
         "даты,слова",
         ""},
        {"dates-mixed-forms.csv",
         {},
         {},
         {"day"},
         {"01.12.2023", "2024-01-01", "15.01.2024"},
         {"many", "few"},
         "даты,слова",
         ""},
        {"stray-byte.csv",
         {},
         {},
         {"город", "погода"},
         {"Москва", "Тверь", "Казань"},
         {"гулять", "дома"},
         "слова,слова,слова",
         "кодировка UTF-8, десятичный знак точка или запятая. Байты, которых нет в UTF-8, "
         "прочитаны как Windows-1251 в строках 3."},
        {"utf16-excel.csv",
         {},
         {},
         {"город"},
         {"Москва", "Тверь"},
         {"гулять", "дома"},
         "слова,слова",
         "разделитель табуляция, кодировка UTF-16LE"},
        {"cp1251.csv",
         {},
         {},
         {"возраст", "цвет"},
         {"молодой", "старый"},
         {"да", "нет"},
         "слова,слова,слова",
         "кодировка Windows-1251"},
        {"huge-spread.csv", {}, {}, {}, {}, {}, "", "Столбец «a»: числа в нём так далеки"},
        {"huge-spread.arff", {}, {}, {}, {}, {}, "", "Столбец «a»: числа в нём так далеки"},
        {"huge-spread.csv",
         {"a"},
         {},
         {"a", "b"},
         {"1.7e308", "-1.7e308", "0"},
         {"x", "y"},
         "числа,числа,слова",
         ""},
        {"huge-range-middle.csv",
         {},
         {},
         {"a"},
         {"0-1", "1e308-1.7e308"},
         {"x", "y"},
         "числа,слова",
         ""},
        {"duplicate-columns.csv",
         {},
         {},
         {"Рост", "Рост (2)", "Вес"},
         {"1", "4"},
         {"x", "y"},
         "числа,числа,числа,слова",
         "Столбцы с одинаковыми названиями переименованы: «Рост (2)»"},
        {"line-break-classes.csv",
         {},
         {},
         {"a"},
         {"1", "2", "3"},
         {"a b", "a b (2)"},
         "числа,слова",
         "различены: «class»: «a b (2)»"},
        {"quoted-missing-marks.csv",
         {},
         {},
         {"a"},
         {"x", "y"},
         {"?", ""},
         "слова,слова",
         "Пропущено строк без результата: 2"},
        {"too-many-rows.csv",
         {},
         {},
         {},
         {},
         {},
         "",
         "Строк с данными больше 500 в каждом столбце"},
        {"few-results.csv",
         {},
         {},
         {"a"},
         {"1", "2"},
         {"yes", "no"},
         "числа,слова",
         "Пропущено строк без результата: 600"},
        {"too-many-columns.csv",
         {},
         {},
         {},
         {},
         {},
         "",
         "Строка 1: полей больше 1000, а столбцов в таблице может быть не больше 1000"},
        {"counted-rows.csv", {}, "a", {}, {}, {}, "", "Строк с данными 701"},
    };
    for (const CorpusCase& c : cases) {
        SCOPED_TRACE(c.file);
        DataTable table;
        const std::string path = std::string(ZARN_SOURCE_DIR) + "/tests/dataset/data/" + c.file;
        Status imported = ReadDataFile(path, table);
        ImportOptions options;
        options.words = c.words;
        options.result = c.result;
        TaskDraft staged;
        ImportSummary summary;
        if (imported.ok()) imported = ImportTable(table, options, staged, summary);
        if (c.params.empty()) {
            EXPECT_FALSE(imported.ok());
            EXPECT_NE(imported.message.find(c.message), std::string::npos) << imported.message;
            continue;
        }
        ASSERT_TRUE(IsOk(imported));
        Names params;
        for (const DraftParam& param : staged.params) params.push_back(Cp1251ToUtf8(param.name));
        EXPECT_EQ(params, c.params);
        EXPECT_EQ(Utf8Names(staged.params[0].names), c.firstVariants);
        EXPECT_EQ(Utf8Names(staged.outputNames), c.classes);
        EXPECT_EQ(Kinds(table), c.kinds);
        const std::string said = DescribeReading(table) + "\n" + DescribeImport(summary);
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        for (const DraftParam& param : staged.params)
            for (double value : param.values) EXPECT_TRUE(value >= 0 && value <= 1) << value;
    }
}
