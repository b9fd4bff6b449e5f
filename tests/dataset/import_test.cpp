// Variants and values chosen by the import, its limits and messages, and the
// round trip import -> export -> import.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dataset/arffreader.h"
#include "dataset/columnplan.h"
#include "dataset/csvexport.h"
#include "dataset/csvreader.h"
#include "dataset/datafile.h"
#include "dataset/importer.h"
#include "model/cp1251.h"
#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

std::vector<DataCell> Cells(const std::vector<const char*>& texts) {
    std::vector<DataCell> cells;
    for (const char* text : texts) cells.push_back(text ? DataCell(text) : std::nullopt);
    return cells;
}

DataTable Csv(const std::string& text) {
    DataTable table;
    EXPECT_TRUE(IsOk(ReadDataBytes(DataFormat::Csv, text, table)));
    return table;
}

// The table as the bare CSV records give it (no row limit while reading).
DataTable RawCsv(const std::string& text) {
    CsvTable csv;
    EXPECT_TRUE(IsOk(ReadCsv(text, csv)));
    return TableFromCsv(csv);
}

// A table of `rows` rows whose column c holds the text make(r, c).
template <typename Make>
DataTable Generated(int columns, int rows, Make make) {
    std::string text;
    for (int c = 0; c < columns; ++c) text += (c ? "," : "") + std::string("c") + std::to_string(c);
    for (int r = 0; r < rows; ++r) {
        text += "\n";
        for (int c = 0; c < columns; ++c) text += (c ? "," : "") + make(r, c);
    }
    return RawCsv(text);
}

// Only a declared list can give a column more variants than rows.
DataTable ManyValuesArff() {
    std::string text = "@relation r\n@attribute a {v0";
    for (int v = 1; v < 501; ++v) text += ",v" + std::to_string(v);
    text += "}\n@attribute b {x}\n@data\nv0,x\n";
    DataTable table;
    EXPECT_TRUE(IsOk(ReadArff(text, table)));
    return table;
}

std::unique_ptr<NetTask> Imported(const DataTable& table, const ImportOptions& options = {}) {
    TaskDraft staged;
    ImportSummary summary;
    auto task = MakeTask();
    EXPECT_TRUE(IsOk(ImportTable(table, options, staged, summary)));
    ApplyImportedTask(staged, *task);
    return task;
}

// Every example as its variant names, result last (UTF-8).
std::vector<std::vector<std::string>> ExamplesByName(const NetTask& task) {
    std::vector<std::vector<std::string>> rows;
    for (int e = 0; e < task.exampleCount; ++e) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < task.inputCount; ++i)
            row.push_back(
                Cp1251ToUtf8(task.inputParams[i].variantNames[task.examples[e].inputVariant[i]]));
        for (int j = 0; j < task.outputCount; ++j)
            if (task.examples[e].target[j] == 1.0) row.push_back(Cp1251ToUtf8(task.outputNames[j]));
    }
    return rows;
}

std::vector<std::string> VariantNames(const NetTask& task, int i) {
    std::vector<std::string> names;
    for (int j = 0; j < task.inputParams[i].variantCount; ++j)
        names.push_back(Cp1251ToUtf8(task.inputParams[i].variantNames[j]));
    return names;
}

}  // namespace

TEST(ColumnPlan, NamesOrdersAndValuesVariants) {
    using Names = std::vector<std::string>;
    using Values = std::vector<double>;
    const struct {
        const char* what;
        std::vector<DataCell> cells;
        Names names;
        Values values;
        std::vector<int> rows;
    } cases[] = {
        {"words: first met, evenly",
         Cells({"b", "a", "c", "a"}),
         {"b", "a", "c"},
         {0, 0.5, 1},
         {0, 1, 2, 1}},
        {"numbers: by number, proportionally; equal numbers are one variant",
         Cells({"10", "2", "4", "2.0"}),
         {"2", "4", "10"},
         {0, 0.25, 1},
         {2, 0, 1, 0}},
        {"ranges by midpoint",
         Cells({"20-29", "0-9", "10 - 19"}),
         {"0-9", "10 - 19", "20-29"},
         {0, 0.5, 1},
         {2, 0, 1}},
        {"missing at the mean, moved off an equal value",
         Cells({"a", nullptr, "b", "c"}),
         {"a", "b", "c", "?"},
         {0, 0.5, 1, 0.499999},
         {0, 3, 1, 2}},
        {"six decimals kept apart",
         Cells({"1", "1.0000001", "1000"}),
         {"1", "1.0000001", "1000"},
         {0, 0.000001, 1},
         {0, 1, 2}},
        {"only missing", Cells({nullptr, nullptr}), {"?"}, {0.5}, {0, 0}},
        {"equal-frequency bins named by their cut points, valued by order",
         Cells({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "10", nullptr}),
         {"< 3", "3 – 5", "5 – 8", "8 – 10", ">= 10", "?"},
         {0, 0.25, 0.5, 0.75, 1, 0.499999},
         {0, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5}},
        {"ties stay in one bin",
         Cells({"1", "1", "1", "1", "1", "2", "3", "4", "5", "6"}),
         {"< 2", "2 – 3", "3 – 5", ">= 5"},
         {0, 1 / 3.0, 2 / 3.0, 1},
         {0, 0, 0, 0, 0, 1, 2, 2, 3, 3}},
    };
    for (const auto& c : cases) {
        const ColumnPlan plan = PlanInputColumn(DataColumn{}, c.cells, 5);
        EXPECT_EQ(plan.names, c.names) << c.what;
        ASSERT_EQ(plan.values.size(), c.values.size()) << c.what;
        for (std::size_t j = 0; j < c.values.size(); ++j)
            EXPECT_NEAR(plan.values[j], c.values[j], 1e-6) << c.what << " variant " << j;
        EXPECT_EQ(plan.rowVariant, c.rows) << c.what;
    }
}

TEST(ColumnPlan, NumbersKeepTheirScale) {
    using K = NumericScale::Kind;
    const struct {
        const char* what;
        std::vector<DataCell> cells;
        int bins;
        std::vector<std::string> names;
        NumericScale scale;
    } cases[] = {
        {"exact values by default",
         Cells({"30", "20.5", nullptr, "40"}),
         ExactValues,
         {"20.5", "30", "40", "?"},
         {K::Exact, 20.5, 40, {}}},
        {"fewer numbers than intervals stay exact",
         Cells({"2", "1"}),
         5,
         {"1", "2"},
         {K::Exact, 1, 2, {}}},
        {"the shortest cut between neighbours, no gaps",
         Cells({"21.3", "30", "39.9", "41.0", "50", "61.8", "62.5", "70", "80"}),
         3,
         {"< 40", "40 – 62", ">= 62"},
         {K::Intervals, 21.3, 80, {40, 62}}},
        {"the column's decimal comma",
         Cells({"1,1", "1,2", "1,25", "1,31", "1,4", "1,5"}),
         2,
         {"< 1,3", ">= 1,3"},
         {K::Intervals, 1.1, 1.5, {1.3}}},
        {"a cut just above a number that tenths do not divide exactly",
         Cells({"158.1", "158.2", "158.6", "158.7"}),
         2,
         {"< 158.3", ">= 158.3"},
         {K::Intervals, 158.1, 158.7, {158.3}}},
        {"a comma grouping thousands is no decimal comma",
         Cells({"1,234.1", "1,234.2", "1,234.3", "1,234.4"}),
         2,
         {"< 1234.3", ">= 1234.3"},
         {K::Intervals, 1234.1, 1234.4, {1234.3}}},
        {"negative numbers",
         Cells({"-5.5", "-5", "-4", "-3"}),
         2,
         {"< -4", ">= -4"},
         {K::Intervals, -5.5, -3, {-4}}},
        {"a cut in the top run starts its own interval",
         Cells({"1", "2", "3", "3", "3", "3"}),
         2,
         {"< 3", ">= 3"},
         {K::Intervals, 1, 3, {3}}},
        {"words have none", Cells({"a", "b"}), ExactValues, {"a", "b"}, {}},
        {"ranges have none", Cells({"1-2", "3-4"}), ExactValues, {"1-2", "3-4"}, {}},
        {"dates are ordered by day, never cut and never asked by number",
         Cells({"2024-03", "2023-12", "2024-01", "2024-02"}),
         2,
         {"2023-12", "2024-01", "2024-02", "2024-03"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ColumnPlan plan = PlanInputColumn(DataColumn{}, c.cells, c.bins);
        EXPECT_EQ(plan.names, c.names);
        EXPECT_EQ(plan.scale.kind, c.scale.kind);
        EXPECT_EQ(plan.scale.low, c.scale.low);
        EXPECT_EQ(plan.scale.high, c.scale.high);
        EXPECT_EQ(plan.scale.cuts, c.scale.cuts);
    }
    DataColumn nominal;
    nominal.kind = DataColumn::Kind::Nominal;
    nominal.declared = {"1", "2"};
    EXPECT_EQ(PlanInputColumn(nominal, Cells({"1"}), ExactValues).scale.kind, K::None);
}

TEST(ColumnPlan, DeclaredNominalValuesKeepOrderAndAreNotBinned) {
    DataColumn column;
    column.kind = DataColumn::Kind::Nominal;
    column.declared = {"z", "y", "x"};
    EXPECT_EQ(PlanInputColumn(column, Cells({"x"}), 5).names,
              (std::vector<std::string>{"z", "y", "x"}));
    column.declared = {"6", "5", "4", "3", "2", "1"};
    const ColumnPlan numbers = PlanInputColumn(column, Cells({"1"}), 2);
    EXPECT_FALSE(numbers.binned);
    EXPECT_EQ(numbers.names, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(PlanResultColumn(DataColumn{}, Cells({"b", nullptr, "a"})).rowVariant,
              (std::vector<int>{0, -1, 1}));
}

TEST(Importer, LimitsAreRefusedWithCountLimitAndOption) {
    const auto word = [](int r, int c) { return "w" + std::to_string(c == 0 ? r : r % 2); };
    const struct {
        const char* what;
        DataTable table;
        ImportOptions options;
        std::vector<std::string> parts;
    } cases[] = {
        {"13 inputs",
         Generated(14, 2, word),
         {},
         {"Входных столбцов 13", "не больше 12", "--inputs"}},
        {"501 rows",
         Generated(2, 501, [](int r, int) { return std::to_string(r % 3); }),
         {},
         {"Строк с данными 501", "не больше 500"}},
        {"501 declared values",
         ManyValuesArff(),
         {},
         {"Столбец «a»: различных значений 501", "--inputs"}},
        {"502 classes",
         Generated(2, 502, word),
         {"c0", {"c1"}, 5, 0, {}},
         {"различных значений 502", "не больше 500", "--result"}},
        {"unknown column",
         Generated(3, 2, word),
         {"nope", {}, 5, 0, {}},
         {"Нет столбца «nope»", "«c0», «c1», «c2»"}},
        {"result as input",
         Generated(3, 2, word),
         {"c1", {"c1"}, 5, 0, {}},
         {"и результатом, и входным"}},
        {"bins", Generated(3, 2, word), {{}, {}, 1, 0, {}}, {"--bins", "от 2 до 500"}},
        {"one column", Generated(1, 2, word), {}, {"нужны хотя бы один входной"}},
        {"no character in Windows-1251", Csv("a,b\n\xE4\xB8\xAD,x\n"), {}, {"Windows-1251", "«a»"}},
        {"no result anywhere", Csv("a,b\nx,?\ny,\n"), {}, {"нет значения результата «b»"}},
    };
    for (const auto& c : cases) {
        TaskDraft staged;
        ImportSummary summary;
        const Status imported = ImportTable(c.table, c.options, staged, summary);
        EXPECT_EQ(imported.kind, StatusKind::Refused) << c.what;
        for (const std::string& part : c.parts)
            EXPECT_NE(imported.message.find(part), std::string::npos)
                << c.what << ": " << imported.message;
    }
}

TEST(Importer, NameListsNameColumnsWhoseNamesHoldCommas) {
    const DataTable table = Csv("\"Рост, м\",\"Вес,кг\",Вес,\"a, b, c\",y\n1,2,3,4,5\n");
    const struct {
        std::string list;
        std::vector<std::string> names;
    } cases[] = {
        {"Рост, м", {"Рост, м"}},
        {"Рост,м , Вес", {"Рост, м", "Вес"}},
        {"Вес, кг,y", {"Вес,кг", "y"}},
        {"Вес,Рост", {"Вес", "Рост"}},  // no such column: reported as typed
        {"a, b, c, a, b", {"a, b, c", "a", "b"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitNameList(c.list, table), c.names) << c.list;
}

TEST(Importer, ChoosesColumnsSkipsRowsWithoutResultAndSizesTheHiddenLayer) {
    const DataTable table = Csv("a,b,c,d\n1,x,p,yes\n2,y,q,\n3,x,p,no\n");
    ImportOptions options;
    options.inputs = SplitNameList(" c , a ");
    options.result = "d";
    TaskDraft staged;
    ImportSummary summary;
    ASSERT_TRUE(IsOk(ImportTable(table, options, staged, summary)));
    EXPECT_EQ(staged.params[0].name, "c");
    EXPECT_EQ(staged.params[1].name, "a");
    EXPECT_EQ(staged.params[1].names, (std::vector<std::string>{"1", "3"}))
        << "a row without a result adds no variant";
    EXPECT_EQ(summary.examples, 2);
    EXPECT_EQ(summary.skippedRows, 1);
    EXPECT_EQ(staged.hiddenCount, DefaultHiddenCount(2, 2));
    EXPECT_EQ(DefaultHiddenCount(9, 2), 6);
    EXPECT_EQ(DefaultHiddenCount(1, 2), 3);
    EXPECT_EQ(DefaultHiddenCount(12, 500), MaxHidden - 243);
    options.hidden = 7;
    ASSERT_TRUE(IsOk(ImportTable(table, options, staged, summary)));
    EXPECT_EQ(staged.hiddenCount, 7);
    EXPECT_NE(DescribeImport(summary).find("примеров 2, входных параметров 2, классов 2"),
              std::string::npos);
}

TEST(Importer, ExportThenImportGivesTheSameTask) {
    const char* sources[] = {"shop.csv", "cp1251.csv", "weather.arff"};
    for (const char* source : sources) {
        DataTable table;
        ASSERT_TRUE(IsOk(
            ReadDataFile(std::string(ZARN_SOURCE_DIR) + "/tests/dataset/data/" + source, table)));
        auto first = Imported(table);
        auto second = Imported(Csv(FormatExamplesCsv(*first)));
        EXPECT_EQ(ExamplesByName(*second), ExamplesByName(*first)) << source;
        ASSERT_EQ(second->inputCount, first->inputCount) << source;
        for (int i = 0; i < first->inputCount; ++i) {
            EXPECT_EQ(second->inputNames[i], first->inputNames[i]) << source;
            EXPECT_EQ(VariantNames(*second, i), VariantNames(*first, i)) << source;
        }
    }
}

TEST(Importer, ExportThenImportKeepsAwkwardNamesAndEveryRow) {
    // Separators, quotes, "?", empty names, blanks at the ends, Cyrillic.
    const std::vector<std::string> pieces = {"a;b",   "c\td",      "say \"hi\"", "?",   "",
                                             " lead", "trail ",    "Ёлка",       "x,y", "  ",
                                             "\"",    "сок; морс", "'q'",        "e",   "f g"};
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Names unique in their list; parameter names never empty (the task asks for one).
        auto pick = [&](int count, bool allowEmpty) {
            std::vector<std::string> names, pool = pieces;
            std::shuffle(pool.begin(), pool.end(), random);
            for (const std::string& name : pool)
                if (static_cast<int>(names.size()) < count && (allowEmpty || !name.empty()))
                    names.push_back(name);
            return names;
        };
        auto task = MakeTask();
        const int inputs = 1 + static_cast<int>(random() % 3);
        const std::vector<std::string> paramNames = pick(inputs, false);
        std::vector<int> counts;
        for (const std::string& name : paramNames) {
            ParamSpec param{*Utf8ToCp1251(name), {}};
            const std::vector<std::string> variants =
                pick(1 + static_cast<int>(random() % 5), true);
            for (std::size_t j = 0; j < variants.size(); ++j)
                param.variants.emplace_back(double(j) / 8, *Utf8ToCp1251(variants[j]));
            counts.push_back(static_cast<int>(variants.size()));
            AddParam(*task, param);
        }
        std::vector<std::string> classes = pick(1 + static_cast<int>(random() % 4), true);
        for (std::string& name : classes) name = *Utf8ToCp1251(name);
        SetOutputs(*task, classes);
        // Every variant and class in some example, so none is lost for want of one.
        const int rows = 6 + static_cast<int>(random() % 6);
        for (int e = 0; e < rows; ++e) {
            std::vector<int> variants;
            for (int count : counts) variants.push_back(e % count);
            PutExample(*task, variants, e % static_cast<int>(classes.size()));
        }
        auto again = Imported(Csv(FormatExamplesCsv(*task)));
        ASSERT_EQ(again->inputCount, task->inputCount);
        for (int i = 0; i < task->inputCount; ++i) {
            EXPECT_EQ(again->inputNames[i], task->inputNames[i]);
            auto sorted = [](std::vector<std::string> names) {
                std::sort(names.begin(), names.end());
                return names;
            };
            EXPECT_EQ(sorted(VariantNames(*again, i)), sorted(VariantNames(*task, i)));
        }
        EXPECT_EQ(ExamplesByName(*again), ExamplesByName(*task));
        std::vector<std::string> againClasses(again->outputNames,
                                              again->outputNames + again->outputCount);
        EXPECT_EQ(againClasses, classes);
    }
}
