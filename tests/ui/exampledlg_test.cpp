// The example and check dialog driven through its widgets.
#include "ui/exampledlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <string>

#include "model/cp1251.h"
#include "model/examples.h"
#include "tests/support/scripted_dialog.h"
#include "tests/support/task_builder.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"

namespace {

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).value();
}

// A task with `inputs` parameters named "Параметр p", three variants each,
// and the outputs "нет", "да", "может быть".
std::unique_ptr<NetTask> TaskWithInputs(int inputs) {
    auto task = MakeTask();
    for (int p = 1; p <= inputs; ++p) {
        const std::string n = std::to_string(p);
        AddParam(*task, {Cp("Параметр ") + n,
                         {{0.0, Cp("ноль ") + n}, {1.0, Cp("один ") + n}, {2.0, "two " + n}}});
    }
    SetOutputs(*task, {Cp("нет"), Cp("да"), Cp("может быть")});
    task->hiddenCount = 1;
    return task;
}

struct Fixture {
    std::unique_ptr<NetTask> task;
    DialogState state;
    ScriptedDialog user;
    std::unique_ptr<CExampleDlg> dlg;

    Fixture(std::unique_ptr<NetTask> t, int32_t mode) : task(std::move(t)) {
        state.dialogMode = mode;
        dlg = std::make_unique<CExampleDlg>(*task, state, user);
        dlg->show();
    }
    template <typename T>
    T* Child(const char* name) const {
        T* widget = dlg->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* Combo(int p) const {
        return Child<QComboBox>(("inputCombo" + std::to_string(p)).c_str());
    }
    QPoint Pos(QWidget* widget) const { return widget->mapTo(dlg.get(), QPoint(0, 0)); }
    void Click(const char* button) const {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }
};

}  // namespace

TEST(ExampleDlg, TwelveParametersTakeTheirFixedSlots) {
    Fixture f(TaskWithInputs(12), ModeTraining);
    const int left[] = {1, 7, 2, 8, 3, 9};  // top to bottom
    const int right[] = {4, 10, 5, 11, 6, 12};
    for (int p = 1; p <= 12; ++p) {
        QComboBox* combo = f.Combo(p);
        QLabel* label = f.Child<QLabel>(("inputLabel" + std::to_string(p)).c_str());
        ASSERT_TRUE(combo && label);
        EXPECT_TRUE(combo->isVisible()) << p;
        EXPECT_TRUE(label->isVisible()) << p;
        EXPECT_EQ(label->text(), QString::fromStdString("Параметр " + std::to_string(p)));
        EXPECT_LT(f.Pos(label).x(), f.Pos(combo).x()) << p;  // label left of its list
        EXPECT_NEAR(label->geometry().center().y(), combo->geometry().center().y(), 2) << p;
    }
    for (int row = 0; row < 6; ++row) {
        QComboBox* l = f.Combo(left[row]);
        QComboBox* r = f.Combo(right[row]);
        EXPECT_EQ(f.Pos(l).y(), f.Pos(r).y()) << "row " << row + 1;
        EXPECT_EQ(f.Pos(l).x(), f.Pos(f.Combo(1)).x()) << left[row];
        EXPECT_EQ(f.Pos(r).x(), f.Pos(f.Combo(4)).x()) << right[row];
        EXPECT_LT(f.Pos(l).x() + l->width(), f.Pos(r).x());
        if (row > 0) {
            EXPECT_GT(f.Pos(l).y(), f.Pos(f.Combo(left[row - 1])).y()) << left[row];
        }
    }
    EXPECT_EQ(f.Combo(7)->count(), 3);
    EXPECT_EQ(f.Combo(7)->itemText(0), QString("ноль 7"));
    EXPECT_EQ(f.Combo(7)->itemText(2), QString("two 7"));
}

TEST(ExampleDlg, FewerParametersLeaveTheirSlotsInPlace) {
    Fixture seven(TaskWithInputs(7), ModeTraining);
    for (int p = 1; p <= 12; ++p) EXPECT_EQ(seven.Combo(p)->isVisible(), p <= 7) << p;
    // Parameter 7 sits in the left column between parameters 1 and 2.
    EXPECT_EQ(seven.Pos(seven.Combo(7)).x(), seven.Pos(seven.Combo(1)).x());
    EXPECT_GT(seven.Pos(seven.Combo(7)).y(), seven.Pos(seven.Combo(1)).y());
    EXPECT_LT(seven.Pos(seven.Combo(7)).y(), seven.Pos(seven.Combo(2)).y());

    Fixture three(TaskWithInputs(3), ModeTraining);
    for (int p = 1; p <= 12; ++p) {
        EXPECT_EQ(three.Combo(p)->isVisible(), p <= 3) << p;
        EXPECT_EQ(three.Child<QLabel>(("inputLabel" + std::to_string(p)).c_str())->isVisible(),
                  p <= 3)
            << p;
    }
    // Rows 1, 3 and 5: the empty even rows keep their height.
    const int y1 = three.Pos(three.Combo(1)).y(), y2 = three.Pos(three.Combo(2)).y(),
              y3 = three.Pos(three.Combo(3)).y();
    EXPECT_EQ(y2 - y1, y3 - y2);
    EXPECT_GE(y2 - y1, 2 * three.Combo(1)->height());
}

TEST(ExampleDlg, AddingRoleStoresTheChosenExampleOnce) {
    Fixture f(TaskWithInputs(3), ModeTraining);
    EXPECT_FALSE(f.Child<QPushButton>("resultButton")->isVisible());
    EXPECT_FALSE(f.Child<QLabel>("answerLabel")->isVisible());
    EXPECT_TRUE(f.Child<QComboBox>("resultCombo")->isVisible());
    EXPECT_TRUE(f.Child<QLabel>("resultLabel")->isVisible());
    QComboBox* result = f.Child<QComboBox>("resultCombo");
    EXPECT_EQ(result->count(), 3);
    EXPECT_EQ(result->itemText(2), QString("может быть"));
    for (int p = 1; p <= 3; ++p) EXPECT_FALSE(f.Combo(p)->isEditable());
    EXPECT_FALSE(result->isEditable());

    f.Combo(1)->setCurrentIndex(2);
    f.Combo(3)->setCurrentIndex(1);
    result->setCurrentIndex(1);
    f.Click("okButton");

    EXPECT_EQ(f.dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(f.dlg->isVisible());
    ASSERT_EQ(f.task->exampleCount, 1);
    const Example& e = f.task->examples[0];
    EXPECT_EQ(e.inputVariant[0], 2);
    EXPECT_EQ(e.inputVariant[1], 0);
    EXPECT_EQ(e.inputVariant[2], 1);
    EXPECT_EQ(ExampleResult(*f.task, 0), 1);
    EXPECT_TRUE(f.user.messages.empty());
}

TEST(ExampleDlg, EnterWithoutChangesStoresTheFirstVariants) {
    Fixture f(TaskWithInputs(2), ModeSetup);
    QTest::keyClick(f.Combo(2), Qt::Key_Return);
    EXPECT_EQ(f.dlg->result(), QDialog::Accepted);
    ASSERT_EQ(f.task->exampleCount, 1);
    EXPECT_EQ(f.task->examples[0].inputVariant[0], 0);
    EXPECT_EQ(f.task->examples[0].inputVariant[1], 0);
    EXPECT_EQ(ExampleResult(*f.task, 0), 0);
}

TEST(ExampleDlg, CancelStoresNothing) {
    Fixture f(TaskWithInputs(2), ModeTraining);
    f.Combo(1)->setCurrentIndex(1);
    f.Click("cancelButton");
    EXPECT_EQ(f.dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(f.dlg->isVisible());
    EXPECT_EQ(f.task->exampleCount, 0);
}

TEST(ExampleDlg, FullSetIsRefusedWithAMessage) {
    auto task = TaskWithInputs(1);
    for (int e = 0; e < MaxExamples; ++e) PutExample(*task, {e % 3}, 0);
    Fixture f(std::move(task), ModeTraining);
    f.Click("okButton");
    EXPECT_EQ(f.task->exampleCount, MaxExamples);
    ASSERT_EQ(f.user.messages.size(), 1u);
    EXPECT_EQ(f.user.messages[0], ExamplesFullMessage);
    EXPECT_EQ(f.dlg->result(), QDialog::Rejected);
}

TEST(ExampleDlg, ParameterWithoutVariantsIsRefusedAndTheDialogStays) {
    auto task = TaskWithInputs(1);
    AddParam(*task, {Cp("пустой"), {}});
    Fixture f(std::move(task), ModeTraining);
    EXPECT_EQ(f.Combo(2)->currentIndex(), -1);
    f.Click("okButton");
    EXPECT_EQ(f.task->exampleCount, 0);
    ASSERT_EQ(f.user.messages.size(), 1u);
    EXPECT_EQ(f.user.messages[0], ToUtf8(UiTexts::ExampleIncomplete()));
    EXPECT_TRUE(f.dlg->isVisible());
}

namespace {

// One input whose variants drive one hidden neuron to about 0 or 1; output 0
// ("нет") wins for the low value, output 1 ("да") for the high one.
std::unique_ptr<NetTask> TrainedSwitch() {
    auto task = MakeTask();
    AddParam(*task, {Cp("сигнал"), {{-5.0, Cp("слабый")}, {5.0, Cp("сильный")}}});
    SetOutputs(*task, {Cp("нет"), Cp("да"), Cp("может быть")});
    task->hiddenCount = 1;
    task->weightsInputHidden[0][0] = 1.0;
    task->weightsHiddenOutput[0][0] = -10.0;
    task->weightsHiddenOutput[0][1] = 10.0;
    task->weightsHiddenOutput[1][0] = 5.0;  // output biases in row m = 1
    task->weightsHiddenOutput[1][1] = -5.0;
    task->weightsHiddenOutput[1][2] = -20.0;
    task->accuracyPercent = 100.0;
    PutExample(*task, {0}, 0);
    return task;
}

}  // namespace

TEST(ExampleDlg, CheckRoleShowsTheNetworksChoice) {
    Fixture f(TrainedSwitch(), ModeCheck);
    QLabel* answer = f.Child<QLabel>("answerLabel");
    EXPECT_TRUE(f.Child<QPushButton>("resultButton")->isVisible());
    EXPECT_TRUE(answer->isVisible());
    EXPECT_TRUE(answer->text().isEmpty());
    EXPECT_FALSE(f.Child<QComboBox>("resultCombo")->isVisible());
    EXPECT_FALSE(f.Child<QLabel>("resultLabel")->isVisible());

    f.Combo(1)->setCurrentIndex(1);
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("да"));
    f.Click("resultButton");  // same selection, same answer
    EXPECT_EQ(answer->text(), QString("да"));
    f.Combo(1)->setCurrentIndex(0);
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("нет"));

    f.Click("okButton");
    EXPECT_EQ(f.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(f.task->exampleCount, 1);  // OK in the check role stores nothing
    EXPECT_TRUE(f.user.messages.empty());
}

namespace {

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int r = 0; r < list->count(); ++r) items << list->item(r)->text();
    return items;
}

}  // namespace

TEST(ExampleDlg, CheckRoleListsTheLeadingOutputsBelowTheAnswer) {
    Fixture f(TrainedSwitch(), ModeCheck);
    QListWidget* list = f.Child<QListWidget>("rankingList");
    QLabel* answer = f.Child<QLabel>("answerLabel");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 0);
    EXPECT_GT(f.Pos(list).y(), f.Pos(answer).y());
    EXPECT_EQ(list->focusPolicy(), Qt::NoFocus) << "the Tab order stays as it was";

    f.Combo(1)->setCurrentIndex(1);
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("да"));
    EXPECT_EQ(Items(list), (QStringList{"да 0.993", "нет 0.007", "может быть 0.000"}));
    f.Combo(1)->setCurrentIndex(0);
    f.Click("resultButton");
    EXPECT_EQ(Items(list), (QStringList{"нет 0.993", "да 0.007", "может быть 0.000"}));

    // Seven outputs: the five strongest are listed.
    auto many = TrainedSwitch();
    SetOutputs(*many, {"a", "b", "c", "d", "e", "f", "g"});
    Fixture seven(std::move(many), ModeCheck);
    seven.Click("resultButton");
    EXPECT_EQ(seven.Child<QListWidget>("rankingList")->count(), 5);
    Fixture adding(TaskWithInputs(1), ModeTraining);
    EXPECT_FALSE(adding.Child<QListWidget>("rankingList")->isVisible());
}

TEST(ExampleDlg, CheckRoleTiesGoToTheFirstListedOutput) {
    auto task = TaskWithInputs(1);  // all weights 0: every output gives 0.5
    Fixture untrained(std::move(task), ModeCheck);
    untrained.Combo(1)->setCurrentIndex(2);
    untrained.Click("resultButton");
    EXPECT_EQ(untrained.Child<QLabel>("answerLabel")->text(), QString("нет"));

    task = TaskWithInputs(1);
    task->weightsHiddenOutput[1][0] = -1.0;  // outputs 1 and 2 share the largest signal
    task->weightsHiddenOutput[1][1] = 2.0;
    task->weightsHiddenOutput[1][2] = 2.0;
    Fixture tied(std::move(task), ModeCheck);
    tied.Click("resultButton");
    EXPECT_EQ(tied.Child<QLabel>("answerLabel")->text(), QString("да"));
}

TEST(ExampleDlg, EnterInTheCheckRoleClosesWithoutAsking) {
    Fixture f(TrainedSwitch(), ModeCheck);
    f.Combo(1)->setCurrentIndex(1);
    QTest::keyClick(f.Combo(1), Qt::Key_Return);
    EXPECT_EQ(f.dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(f.dlg->isVisible());
    EXPECT_TRUE(f.Child<QLabel>("answerLabel")->text().isEmpty());
    EXPECT_EQ(f.task->exampleCount, 1);
    EXPECT_EQ(f.task->outputSignals[0], 0.0);  // the network never ran
}

TEST(ExampleDlg, CheckThatCannotRunSaysSoInsteadOfAnswering) {
    auto task = TrainedSwitch();
    task->hiddenCount = MaxHidden + 1;  // beyond the weight tables
    Fixture f(std::move(task), ModeCheck);
    f.Click("resultButton");
    EXPECT_TRUE(f.Child<QLabel>("answerLabel")->text().isEmpty());
    ASSERT_EQ(f.user.messages.size(), 1u);
    EXPECT_EQ(f.user.messages[0], ToUtf8(UiTexts::NoAnswer()));
    EXPECT_TRUE(f.dlg->isVisible());
}

TEST(ExampleDlg, MinimiseAndRestoreKeepSelectionsAndAnswer) {
    Fixture f(TrainedSwitch(), ModeCheck);
    f.Combo(1)->setCurrentIndex(1);
    f.Click("resultButton");
    ASSERT_EQ(f.Child<QLabel>("answerLabel")->text(), QString("да"));

    f.dlg->showMinimized();
    QCoreApplication::processEvents();
    f.dlg->showNormal();
    f.dlg->hide();
    f.dlg->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Combo(1)->currentIndex(), 1);
    EXPECT_EQ(f.Child<QLabel>("answerLabel")->text(), QString("да"));

    Fixture adding(TaskWithInputs(2), ModeTraining);
    adding.Combo(2)->setCurrentIndex(2);
    adding.Child<QComboBox>("resultCombo")->setCurrentIndex(1);
    adding.dlg->showMinimized();
    QCoreApplication::processEvents();
    adding.dlg->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(adding.Combo(2)->currentIndex(), 2);
    EXPECT_EQ(adding.Child<QComboBox>("resultCombo")->currentIndex(), 1);
}

namespace {

// The switch above fed by a numeric parameter: exact values 20, 30, 40 on the
// scale 20..40; below the middle "нет" wins, above it "да". A second
// parameter has names only.
std::unique_ptr<NetTask> NumericSwitch() {
    auto task = TrainedSwitch();
    task->inputParams[0].variantValues[0] = 0.0;
    task->inputParams[0].variantNames[0] = "20";
    task->inputParams[0].variantValues[1] = 0.5;
    task->inputParams[0].variantNames[1] = "30";
    task->inputParams[0].variantValues[2] = 1.0;
    task->inputParams[0].variantNames[2] = "40";
    task->inputParams[0].variantCount = 3;
    task->inputParams[0].scale = {NumericScale::Kind::Exact, 20, 40, {}};
    task->weightsInputHidden[0][0] = 20.0;
    task->weightsInputHidden[2][0] = -10.0;  // hidden bias in row n = 2
    AddParam(*task, {"b", {{0, "x"}, {1, "y"}}});
    return task;
}

void Type(QComboBox* combo, const QString& text) {
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), text);
}

}  // namespace

TEST(ExampleDlg, CheckRoleTakesATypedNumberAndShowsTheValueUsed) {
    Fixture f(NumericSwitch(), ModeCheck);
    EXPECT_TRUE(f.Combo(1)->isEditable());
    EXPECT_FALSE(f.Combo(2)->isEditable()) << "names only";
    QLabel* answer = f.Child<QLabel>("answerLabel");
    QLabel* used = f.Child<QLabel>("usedLabel");

    Type(f.Combo(1), "25");
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("нет"));
    EXPECT_EQ(used->text(), QString("сигнал = 25 (между «20» и «30»)"));
    Type(f.Combo(1), "35");
    EXPECT_TRUE(answer->text().isEmpty()) << "the answer went with its input";
    EXPECT_TRUE(used->text().isEmpty());
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("да"));
    Type(f.Combo(1), "45");
    f.Click("resultButton");
    EXPECT_EQ(used->text(), QString("сигнал = 45; вне обученного диапазона 20 … 40"));
    Type(f.Combo(1), "1 000");  // grouped thousands, as tables write them
    f.Click("resultButton");
    EXPECT_EQ(used->text(), QString("сигнал = 1000; вне обученного диапазона 20 … 40"));
    f.Combo(2)->setCurrentIndex(1);  // any input, a list too
    EXPECT_TRUE(answer->text().isEmpty());

    f.Combo(1)->setCurrentIndex(0);  // names still work
    f.Click("resultButton");
    EXPECT_EQ(answer->text(), QString("нет"));
    EXPECT_TRUE(used->text().isEmpty());
    f.Combo(1)->setEditText(QString("много"));  // keyClicks cannot type Cyrillic
    f.Click("resultButton");
    EXPECT_TRUE(answer->text().isEmpty());
    ASSERT_EQ(f.user.messages.size(), 1u);
    EXPECT_EQ(f.user.messages[0],
              "Параметр «сигнал»: нет варианта «много». Выберите вариант из списка или введите "
              "число.");

    Fixture adding(NumericSwitch(), ModeTraining);
    EXPECT_FALSE(adding.Combo(1)->isEditable()) << "examples hold variants only";
}
