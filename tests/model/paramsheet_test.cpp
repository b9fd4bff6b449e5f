#include "model/paramsheet.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/cp1251.h"
#include "model/definition.h"
#include "model/numtext.h"
#include "tests/support/comma_locale.h"
#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

// Task strings are Windows-1251 bytes.
std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).value();
}

std::unique_ptr<NetTask> DefinedTask() {
    auto task = MakeTask();
    AddParam(*task, {"A", {{1.0, "a1"}, {2.5, "a2"}, {-0.125, "a3"}}});
    AddParam(*task, {"B", {{3.0, "b1"}}});
    SetOutputs(*task, {"x", "y", "z", "u", "v"});
    return task;
}

std::unique_ptr<NetTask> Copy(const NetTask& task) {
    auto copy = MakeTask();
    CopyTask(task, *copy);
    return copy;
}

std::vector<std::string> ValueTexts(const ParamSheet& sheet) {
    std::vector<std::string> texts;
    for (const SheetRow& row : sheet.rows) texts.push_back(row.valueText);
    return texts;
}

std::vector<std::string> Names(const ParamSheet& sheet) {
    std::vector<std::string> names;
    for (const SheetRow& row : sheet.rows) names.push_back(row.name);
    return names;
}

ParamSheet InputSheet(std::vector<SheetRow> rows, DialogMode role = ModeSetup) {
    ParamSheet sheet;
    sheet.role = role;
    sheet.name = "P";
    sheet.rows = std::move(rows);
    return sheet;
}

}  // namespace

TEST(OpenSheet, AddRoleIsEmpty) {
    auto task = DefinedTask();
    const ParamSheet sheet = OpenSheet(*task, ModeSetup, 1);
    EXPECT_EQ(sheet.role, ModeSetup);
    EXPECT_EQ(sheet.name, "");
    EXPECT_TRUE(sheet.rows.empty());
}

TEST(OpenSheet, ChangeRoleHoldsNameAndLfTexts) {
    auto task = DefinedTask();
    const ParamSheet sheet = OpenSheet(*task, ModeEditInput, 0);
    EXPECT_EQ(sheet.role, ModeEditInput);
    EXPECT_EQ(sheet.editIndex, 0);
    EXPECT_EQ(sheet.name, "A");
    EXPECT_EQ(ValueTexts(sheet), (std::vector<std::string>{"1.000000", "2.500000", "-0.125000"}));
    EXPECT_EQ(Names(sheet), (std::vector<std::string>{"a1", "a2", "a3"}));
}

TEST(OpenSheet, ChangeRoleWithoutAParameterIsEmpty) {
    auto task = DefinedTask();
    for (int index : {-1, 2, MaxInputs}) {
        const ParamSheet sheet = OpenSheet(*task, ModeEditInput, index);
        EXPECT_EQ(sheet.name, "") << index;
        EXPECT_TRUE(sheet.rows.empty()) << index;
    }
}

TEST(OpenSheet, OutputRoleHoldsNamesOnly) {
    auto task = DefinedTask();
    for (DialogMode role : {ModeOutput, ModeTraining}) {
        const ParamSheet sheet = OpenSheet(*task, role, 0);
        EXPECT_EQ(sheet.role, ModeOutput);
        EXPECT_EQ(sheet.name, "");
        EXPECT_EQ(Names(sheet), (std::vector<std::string>{"x", "y", "z", "u", "v"}));
        EXPECT_EQ(ValueTexts(sheet), std::vector<std::string>(5, ""));
    }
}

TEST(SheetAddVariant, AppendsLfTextAndName) {
    ParamSheet sheet;
    EXPECT_TRUE(SheetAddVariant(sheet, 0.5, "half").ok());
    EXPECT_TRUE(SheetAddVariant(sheet, 0.1234567, "q").ok());
    EXPECT_EQ(ValueTexts(sheet), (std::vector<std::string>{"0.500000", "0.123457"}));
    EXPECT_EQ(Names(sheet), (std::vector<std::string>{"half", "q"}));
}

TEST(SheetAddVariant, DuplicateIsJudgedByLfText) {
    ParamSheet sheet;
    ASSERT_TRUE(SheetAddVariant(sheet, 0.5000001, "first").ok());
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.5, "second")), "Такое значение уже есть!");
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.5, "first")), "Такое значение уже есть!");
    EXPECT_TRUE(SheetAddVariant(sheet, 0.75, "first").ok());  // names may repeat
    EXPECT_EQ(Names(sheet), (std::vector<std::string>{"first", "first"}));
}

TEST(SheetAddVariant, EmptyNameWinsOverDuplicate) {
    ParamSheet sheet;
    ASSERT_TRUE(SheetAddVariant(sheet, 1.0, "one").ok());
    for (double value : {1.0, 2.0})
        EXPECT_EQ(Refusal(SheetAddVariant(sheet, value, "")),
                  "Не заполнено поле наименование варианта!");
    EXPECT_EQ(sheet.rows.size(), 1u);
}

TEST(SheetAddVariant, NonFiniteValueIsRefused) {
    ParamSheet sheet = InputSheet({}, ModeEditInput);
    for (double value : {LenientAtof("1e999"), LenientAtof("-1e999"), LenientAtof("nan"),
                         std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(Refusal(SheetAddVariant(sheet, value, "v")), ValueNotFiniteMessage);
    EXPECT_TRUE(sheet.rows.empty());
    EXPECT_TRUE(SheetAddVariant(sheet, 1.7976931348623157e308, "max").ok());
}

TEST(SheetAddVariant, OutputRoleComparesNamesAndTheHeading) {
    auto task = DefinedTask();
    ParamSheet sheet = OpenSheet(*task, ModeOutput, 0);
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.0, "y")), DuplicateValueMessage);
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.0, Cp("Наименование"))), DuplicateValueMessage);
    EXPECT_EQ(sheet.rows.size(), 5u);
    // Byte for byte: case and surrounding spaces make other names.
    for (const std::string& name : {std::string("Y"), std::string(" y"), std::string("y "),
                                    Cp("наименование"), std::string("   ")})
        EXPECT_TRUE(SheetAddVariant(sheet, 0.0, name).ok()) << name;
    EXPECT_EQ(sheet.rows.size(), 10u);
    EXPECT_EQ(sheet.rows.back().name, "   ");
    EXPECT_EQ(sheet.rows.back().valueText, "");
}

// An output variant named like the value field's number used to block every
// further output variant.
TEST(SheetAddVariant, OutputRoleIgnoresTheValueField) {
    auto task = MakeTask();
    SetOutputs(*task, {"0.000000"});
    ParamSheet sheet = OpenSheet(*task, ModeOutput, 0);
    EXPECT_TRUE(SheetAddVariant(sheet, 0.0, Cp("Б")).ok());
    EXPECT_TRUE(SheetAddVariant(sheet, std::numeric_limits<double>::quiet_NaN(), "c").ok());
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.0, "0.000000")), DuplicateValueMessage);
}

TEST(SheetAddVariant, FiveHundredFirstInputVariantIsRefused) {
    ParamSheet sheet;
    for (int j = 0; j < MaxVariants; ++j) ASSERT_TRUE(SheetAddVariant(sheet, j, "v").ok()) << j;
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, MaxVariants, "v")), VariantsFullMessage);
    EXPECT_EQ(sheet.rows.size(), static_cast<std::size_t>(MaxVariants));
}

TEST(SheetAddVariant, FiveHundredFirstOutputVariantIsRefused) {
    ParamSheet sheet;
    sheet.role = ModeOutput;
    for (int j = 0; j < MaxOutputs; ++j)
        ASSERT_TRUE(SheetAddVariant(sheet, 0.0, FormatInt(j)).ok()) << j;
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 0.0, "new")), OutputsFullMessage);
    EXPECT_EQ(sheet.rows.size(), static_cast<std::size_t>(MaxOutputs));
}

TEST(SheetDeleteRow, RemovesOneRowAndKeepsOrder) {
    ParamSheet sheet = InputSheet({{"1.000000", "a"}, {"2.000000", "b"}, {"3.000000", "c"}});
    SheetDeleteRow(sheet, 1);
    EXPECT_EQ(ValueTexts(sheet), (std::vector<std::string>{"1.000000", "3.000000"}));
    EXPECT_EQ(Names(sheet), (std::vector<std::string>{"a", "c"}));
    SheetDeleteRow(sheet, -1);
    SheetDeleteRow(sheet, 2);
    EXPECT_EQ(sheet.rows.size(), 2u);
    SheetDeleteRow(sheet, 1);
    SheetDeleteRow(sheet, 0);
    SheetDeleteRow(sheet, 0);
    EXPECT_TRUE(sheet.rows.empty());
}

TEST(CommitSheet, AddRoleAppendsParameterWithRoundedValues) {
    auto task = DefinedTask();
    auto expected = Copy(*task);
    ParamSheet sheet = OpenSheet(*task, ModeSetup, 0);
    sheet.name = "   ";  // spaces are a name
    ASSERT_TRUE(SheetAddVariant(sheet, 0.1234567, "q").ok());
    ASSERT_TRUE(SheetAddVariant(sheet, 2.0000004, "two").ok());
    EXPECT_TRUE(CommitSheet(*task, sheet).ok());
    AddParam(*expected, {"   ", {{0.123457, "q"}, {2.0, "two"}}});
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(task->inputParams[2].variantValues[0], 0.123457);
}

TEST(CommitSheet, InputRolesRefuseEmptyNameOrNoRows) {
    auto task = DefinedTask();
    auto before = Copy(*task);
    ParamSheet noName = InputSheet({{"1.000000", "a"}});
    noName.name = "";
    EXPECT_EQ(Refusal(CommitSheet(*task, noName)), "Не заполнено поле название параметра!");
    EXPECT_EQ(Refusal(CommitSheet(*task, InputSheet({}))), "Не указаны варианты параметра!");
    noName.role = ModeEditInput;
    noName.editIndex = 0;
    EXPECT_EQ(Refusal(CommitSheet(*task, noName)), "Не заполнено поле название параметра!");
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

// A refused change used to store the new name before the refusal.
TEST(CommitSheet, RefusedChangeStoresNothing) {
    auto task = DefinedTask();
    auto before = Copy(*task);
    ParamSheet sheet = OpenSheet(*task, ModeEditInput, 0);
    sheet.name = "renamed";
    while (!sheet.rows.empty()) SheetDeleteRow(sheet, 0);
    EXPECT_EQ(Refusal(CommitSheet(*task, sheet)), NoVariantsMessage);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
    EXPECT_EQ(task->inputNames[0], "A");
}

TEST(CommitSheet, ChangeRoleReplacesVariantsAndKeepsLaterSlots) {
    auto task = DefinedTask();
    auto expected = Copy(*task);
    ParamSheet sheet = OpenSheet(*task, ModeEditInput, 0);
    sheet.name = "A2";
    SheetDeleteRow(sheet, 0);
    SheetDeleteRow(sheet, 0);
    ASSERT_TRUE(SheetAddVariant(sheet, 7.0, "seven").ok());
    EXPECT_TRUE(CommitSheet(*task, sheet).ok());
    expected->inputNames[0] = "A2";
    InputParam& param = expected->inputParams[0];
    param.variantValues[0] = -0.125;
    param.variantNames[0] = "a3";
    param.variantValues[1] = 7.0;
    param.variantNames[1] = "seven";
    param.variantCount = 2;  // slot 2 keeps its old -0.125/"a3"
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_EQ(task->inputParams[0].variantNames[2], "a3");
}

TEST(CommitSheet, AddRoleNeverWritesPastTheCapacities) {
    auto task = DefinedTask();
    for (int i = 2; i < MaxInputs; ++i) AddParam(*task, {"P", {{1.0, "v"}}});
    auto before = Copy(*task);
    EXPECT_EQ(Refusal(CommitSheet(*task, InputSheet({{"1.000000", "a"}}))), InputsLimitMessage);
    task->inputCount = 2;
    before->inputCount = 2;
    EXPECT_EQ(Refusal(CommitSheet(
                  *task, InputSheet(std::vector<SheetRow>(MaxVariants + 1, {"1.000000", "a"})))),
              VariantsFullMessage);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(CommitSheet, OutputRoleReplacesTheList) {
    auto task = DefinedTask();
    auto expected = Copy(*task);
    ParamSheet sheet = OpenSheet(*task, ModeOutput, 0);
    SheetDeleteRow(sheet, 0);
    SheetDeleteRow(sheet, 0);
    SheetDeleteRow(sheet, 0);
    ASSERT_TRUE(SheetAddVariant(sheet, 0.0, "w").ok());
    EXPECT_TRUE(CommitSheet(*task, sheet).ok());
    expected->outputNames[0] = "u";
    expected->outputNames[1] = "v";
    expected->outputNames[2] = "w";
    expected->outputCount = 3;  // slots 3 and 4 keep "u" and "v"
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(CommitSheet, OutputRoleRefusesNoRowsOrTooMany) {
    auto task = DefinedTask();
    auto before = Copy(*task);
    ParamSheet sheet;
    sheet.role = ModeOutput;
    EXPECT_EQ(Refusal(CommitSheet(*task, sheet)), "Не указаны выходные параметры!");
    sheet.rows.assign(MaxOutputs + 1, {"", "o"});
    EXPECT_EQ(Refusal(CommitSheet(*task, sheet)), OutputsFullMessage);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(ParamSheetUnderCommaLocale, ValuesTravelWithAPoint) {
    auto task = DefinedTask();
    CommaLocale comma;
    ParamSheet sheet = OpenSheet(*task, ModeEditInput, 0);
    EXPECT_EQ(sheet.rows[1].valueText, "2.500000");
    ASSERT_TRUE(SheetAddVariant(sheet, LenientAtof("0.5"), "half").ok());
    EXPECT_EQ(sheet.rows.back().valueText, "0.500000");
    EXPECT_EQ(Refusal(SheetAddVariant(sheet, 2.5, "again")), DuplicateValueMessage);
    ASSERT_TRUE(CommitSheet(*task, sheet).ok());
    EXPECT_EQ(task->inputParams[0].variantValues[1], 2.5);
    EXPECT_EQ(task->inputParams[0].variantValues[3], 0.5);
    EXPECT_EQ(task->inputParams[0].variantValues[2], -0.125);
}
