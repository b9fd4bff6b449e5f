// Numbers asked of numeric parameters: the interval or the scaled value they
// stand for, and the scale's lifetime under the definition rules.
#include "model/numericscale.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/cp1251.h"
#include "model/definition.h"
#include "model/paramsheet.h"
#include "tests/support/comma_locale.h"
#include "tests/support/scripted_dialog.h"
#include "tests/support/task_builder.h"

namespace {

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).value();
}

// Intervals cut at 40 and 62 over ages 21.3 .. 80, then the variant "?".
std::unique_ptr<NetTask> IntervalTask() {
    auto task = MakeTask();
    AddParam(*task, {"age", {{0, "< 40"}, {0.5, Cp("40 – 62")}, {1, ">= 62"}, {0.4, "?"}}});
    task->inputParams[0].scale = {NumericScale::Kind::Intervals, 21.3, 80, {40, 62}};
    return task;
}

// Exact values 20, 30, 40 mapped onto 0..1.
std::unique_ptr<NetTask> ExactTask() {
    auto task = MakeTask();
    AddParam(*task, {"calls", {{0, "20"}, {0.5, "30"}, {1, "40"}}});
    task->inputParams[0].scale = {NumericScale::Kind::Exact, 20, 40, {}};
    return task;
}

}  // namespace

TEST(NumericScale, TextsResolveToTheirIntervalOrScaledValue) {
    CommaLocale comma;  // numbers are read the same whatever the locale
    const auto intervals = IntervalTask();
    const auto exact = ExactTask();
    auto names = ExactTask();
    names->inputParams[0].scale = {};
    const struct {
        const NetTask* task;
        const char* text;
        int variant;  // -1: scaled number; -2: refused
        double signal;
        bool outside;
    } cases[] = {
        {intervals.get(), "-1000", 0, 0, true},      {intervals.get(), "21.3", 0, 0, false},
        {intervals.get(), "39.999", 0, 0, false},    {intervals.get(), "40", 1, 0.5, false},
        {intervals.get(), " 40,01 ", 1, 0.5, false}, {intervals.get(), "61.99", 1, 0.5, false},
        {intervals.get(), "62", 2, 1, false},        {intervals.get(), "+80", 2, 1, false},
        {intervals.get(), "1e6", 2, 1, true},        {intervals.get(), "< 40", 0, 0, false},
        {intervals.get(), "?", 3, 0.4, false},       {intervals.get(), "сорок", -2, 0, false},
        {intervals.get(), "40.0.1", -2, 0, false},   {intervals.get(), "inf", -2, 0, false},
        {exact.get(), "30", 1, 0.5, false},          {exact.get(), "30.000", 1, 0.5, false},
        {exact.get(), "25", -1, 0.25, false},        {exact.get(), "39,5", -1, 0.975, false},
        {exact.get(), "50", -1, 1.5, true},          {exact.get(), "10", -1, -0.5, true},
        {names.get(), "30", 1, 0.5, false},          {names.get(), "25", -2, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto input = ResolveParamInput(c.task->inputParams[0], Cp(c.text));
        ASSERT_EQ(input.has_value(), c.variant != -2);
        if (!input) continue;
        EXPECT_EQ(input->variant, c.variant);
        EXPECT_DOUBLE_EQ(input->signal, c.signal);
        EXPECT_EQ(input->outsideRange, c.outside);
    }
}

TEST(NumericScale, DescriptionSaysWhatWasUsed) {
    const auto intervals = IntervalTask();
    const auto exact = ExactTask();
    const auto describe = [](const NetTask& task, const char* text) {
        const InputParam& param = task.inputParams[0];
        return DescribeParamInput(param, ResolveParamInput(param, text).value());
    };
    EXPECT_EQ(describe(*intervals, "45"), "«40 – 62»");
    EXPECT_EQ(describe(*intervals, "99"), "«>= 62»; вне обученного диапазона 21.3 … 80");
    EXPECT_EQ(describe(*exact, "25"), "25 (между «20» и «30»)");
    EXPECT_EQ(describe(*exact, "45"), "45; вне обученного диапазона 20 … 40");
    EXPECT_EQ(describe(*exact, "40"), "«40»");
}

TEST(NumericScale, FitsOnlyTheVariantsItWasMadeFor) {
    using K = NumericScale::Kind;
    const struct {
        NumericScale scale;
        int variants;
        bool fits;
    } cases[] = {
        {{K::None, 0, 1, {}}, 3, false},
        {{K::Exact, 0, 1, {}}, 3, true},
        {{K::Exact, 1, 1, {}}, 1, true},
        {{K::Exact, 2, 1, {}}, 3, false},
        {{K::Exact, 0, 1, {0.5}}, 3, false},
        {{K::Intervals, 0, 9, {3, 6}}, 3, true},
        {{K::Intervals, 0, 9, {3, 6}}, 4, true},  // a missing-value variant follows
        {{K::Intervals, 0, 9, {3, 6}}, 2, false},
        {{K::Intervals, 0, 9, {3, 6}}, 5, false},
        {{K::Intervals, 0, 9, {6, 3}}, 3, false},
        {{K::Intervals, 0, 9, {3, 3}}, 3, false},
        {{K::Intervals, 0, std::numeric_limits<double>::infinity(), {3}}, 2, false},
        {{K::Exact, 0, 1, {}}, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleFits(c.scale, c.variants), c.fits)
            << static_cast<int>(c.scale.kind) << " " << c.variants;
}

TEST(NumericScale, EditedVariantsDropTheScaleAndANewParameterHasNone) {
    auto task = ExactTask();
    ScriptedDialog user;
    // Renaming the parameter keeps its variants and so its scale.
    ParamSheet sheet = OpenSheet(*task, ModeEditInput, 0);
    sheet.name = "звонки";
    ASSERT_TRUE(CommitSheet(*task, sheet).ok());
    EXPECT_EQ(task->inputParams[0].scale.kind, NumericScale::Kind::Exact);
    // A changed variant does not measure what the scale says any more.
    sheet = OpenSheet(*task, ModeEditInput, 0);
    sheet.rows[1].name = "тридцать";
    ASSERT_TRUE(CommitSheet(*task, sheet).ok());
    EXPECT_EQ(task->inputParams[0].scale.kind, NumericScale::Kind::None);

    // A deleted parameter's scale moves with it; a new one in a freed slot has none.
    auto two = IntervalTask();
    AddParam(*two, {"b", {{0, "x"}}});
    two->inputParams[1].scale = {NumericScale::Kind::Exact, 0, 0, {}};
    DeleteInputParam(*two, 0, user);
    EXPECT_EQ(two->inputParams[0].scale.kind, NumericScale::Kind::Exact);
    DeleteInputParam(*two, 0, user);
    sheet = OpenSheet(*two, ModeSetup, -1);
    sheet.name = "c";
    sheet.rows = {{"0.000000", "y"}};
    ASSERT_TRUE(CommitSheet(*two, sheet).ok());
    EXPECT_EQ(two->inputParams[0].scale.kind, NumericScale::Kind::None);
}
