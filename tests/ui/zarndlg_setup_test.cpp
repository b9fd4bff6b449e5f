// The main dialog's setup layout: tables, setup buttons, questions, the
// hidden-layer rule, closing rules and the about box.
#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "model/cp1251.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/aboutdlg.h"
#include "ui/paramdlg.h"

namespace {

std::string Cp(const char* utf8) {
    return *Utf8ToCp1251(utf8);
}

const char* const AddQuestion =
    "Добавление новых параметров возможно только с удалением всех примеров.\nХотите всё равно "
    "Продолжить?";
const char* const ChangeQuestion =
    "Изменение параметров возможно только с удалением всех примеров.\nХотите всё равно "
    "Продолжить?";
const char* const DeleteQuestion =
    "Удаление этого параметра возможно только с удалением всех примеров.\nХотите всё равно "
    "Продолжить?";

using SetupTest = MainDialogTest;

TEST_F(SetupTest, OpensInTheSetupLayoutFromTheEmptyTask) {
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("НС"));
    EXPECT_EQ(state.dialogMode, ModeSetup);
    EXPECT_EQ(Find<QLabel>("panelTitleLabel")->text(), QStringLiteral("Входные данные"));
    for (const char* shown :
         {"inputGrid", "outputGrid", "addInputButton", "changeInputButton", "deleteInputButton",
          "editOutputButton", "deleteOutputButton", "outputLabel", "hiddenEdit", "hiddenLabel",
          "setupModeButton", "trainingModeButton", "checkButton", "loadButton", "saveButton",
          "exitButton"})
        EXPECT_TRUE(Find<QWidget>(shown)->isVisible()) << shown;
    for (const char* hidden :
         {"exampleGrid", "addExampleButton", "deleteExampleButton", "trainButton", "coefEdit",
          "coefLabel", "iterEdit", "iterLabel", "errorGraphButton"})
        EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(Button("trainingModeButton")->isEnabled());
    EXPECT_FALSE(Button("checkButton")->isEnabled());
    EXPECT_EQ(dlg->focusWidget(), Grid("inputGrid")) << "a stray key must not hit the exit button";

    CMSFlexGrid* inputs = Grid("inputGrid");
    EXPECT_EQ(inputs->GetRows(), 1) << "heading only";
    EXPECT_EQ(inputs->GetTextMatrix(0, 0), QStringLiteral("Параметр"));
    EXPECT_EQ(inputs->GetTextMatrix(0, 1), QStringLiteral("Варианты"));
    EXPECT_EQ(inputs->columnWidth(1), 4750 * inputs->logicalDpiX() / 1440);
    CMSFlexGrid* outputs = Grid("outputGrid");
    EXPECT_EQ(Rows(outputs, 0), std::vector<QString>{QString()}) << "one empty row, no heading";
    // The hidden-layer rule turns the task's 0 into 1 at the first refresh.
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(task->hiddenCount, 1);
}

TEST_F(SetupTest, DefinesChangesAndDeletesThroughTheEditor) {
    DefineInput(QStringLiteral("Цвет"), {{1, "low"}, {2.5, "high"}});
    EXPECT_FALSE(Button("trainingModeButton")->isEnabled()) << "no outputs yet";
    DefineInput(QStringLiteral("Вес"), {{0.1234567, QStringLiteral("лёгкий")}});
    DefineOutputs({QStringLiteral("да"), QStringLiteral("нет"), QStringLiteral("может быть")});
    EXPECT_TRUE(driver.texts.empty());

    EXPECT_EQ(Rows(Grid("inputGrid"), 1),
              (std::vector<QString>{QStringLiteral("Цвет|1 - low; 2.5 - high; "),
                                    QStringLiteral("Вес|0.12346 - лёгкий; ")}));
    EXPECT_EQ(Rows(Grid("outputGrid"), 0),
              (std::vector<QString>{QStringLiteral("да"), QStringLiteral("нет"),
                                    QStringLiteral("может быть")}));
    EXPECT_EQ(task->inputNames[0], Cp("Цвет"));
    EXPECT_EQ(task->outputNames[2], Cp("может быть"));
    EXPECT_TRUE(Button("trainingModeButton")->isEnabled());

    // Change the second parameter: the editor opens on its rows.
    SelectRow("inputGrid", 2);
    QString shownName;
    driver.OnDialog([&shownName](QDialog* editor) {
        auto* name = editor->findChild<QLineEdit*>("paramNameEdit");
        shownName = name->text();
        name->setText(QStringLiteral("Масса"));
        QTest::mouseClick(editor->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Click("changeInputButton");
    EXPECT_EQ(shownName, QStringLiteral("Вес"));
    EXPECT_EQ(state.dialogMode, ModeEditInput);
    EXPECT_EQ(state.editIndex, 1);
    EXPECT_EQ(Grid("inputGrid")->GetTextMatrix(2, 0), QStringLiteral("Масса"));

    // Delete the first parameter and the first output variant.
    SelectRow("inputGrid", 1);
    Click("deleteInputButton");
    EXPECT_EQ(Rows(Grid("inputGrid"), 1),
              std::vector<QString>{QStringLiteral("Масса|0.12346 - лёгкий; ")});
    SelectRow("outputGrid", 0);
    Click("deleteOutputButton");
    EXPECT_EQ(Rows(Grid("outputGrid"), 0),
              (std::vector<QString>{QStringLiteral("нет"), QStringLiteral("может быть")}));
    EXPECT_EQ(driver.texts, (std::vector<std::string>{"Удалено!", "Удалено!"}));

    // Deleting every output leaves one empty row and closes the way to training.
    Click("deleteOutputButton");
    Click("deleteOutputButton");
    EXPECT_EQ(task->outputCount, 0);
    EXPECT_EQ(Rows(Grid("outputGrid"), 0), std::vector<QString>{QString()});
    EXPECT_FALSE(Button("trainingModeButton")->isEnabled());
    Click("deleteOutputButton");  // nothing left: no message
    EXPECT_EQ(driver.texts.size(), 4u);
}

TEST_F(SetupTest, TwelveParametersAreTheLimit) {
    for (int i = 0; i < MaxInputs; ++i) AddParam(*task, {Numbered("p", i), {{1, "a"}}});
    SetOutputs(*task, {"A"});
    PutExample(*task, std::vector<int>(MaxInputs, 0), 0);
    Reopen();
    EXPECT_EQ(Grid("inputGrid")->GetRows(), 13);
    Click("addInputButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Извините, в это версии программы кол-во "
                                                     "входных нейронов ограничено числом 12."});
    EXPECT_EQ(driver.offered[0], QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(task->exampleCount, 1) << "nothing asked, nothing discarded";
    EXPECT_EQ(task->inputCount, MaxInputs);
}

TEST_F(SetupTest, QuestionsGuardTheExamples) {
    AddParam(*task, {"x", {{0, "a"}, {1, "b"}}});
    AddParam(*task, {"y", {{0, "c"}}});
    SetOutputs(*task, {"A", "B"});
    PutExample(*task, {1, 0}, 1);
    task->accuracyPercent = 100.0;
    Reopen();

    // Cancel keeps everything: no editor, no deletion.
    driver.Answer({QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel,
                   QMessageBox::Cancel, QMessageBox::Cancel});
    Click("addInputButton");
    Click("changeInputButton");
    Click("deleteInputButton");
    Click("editOutputButton");
    Click("deleteOutputButton");
    EXPECT_EQ(driver.texts, (std::vector<std::string>{AddQuestion, ChangeQuestion, DeleteQuestion,
                                                      ChangeQuestion, ChangeQuestion}));
    for (const auto& buttons : driver.offered)
        EXPECT_EQ(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(task->exampleCount, 1);
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_EQ(task->outputCount, 2);

    // OK discards the examples; cancelling the editor afterwards keeps the definition.
    driver.Answer({QMessageBox::Ok});
    driver.OnDialog([](QDialog* editor) { editor->reject(); });
    Click("addInputButton");
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(task->accuracyPercent, 0.0);
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_FALSE(Button("checkButton")->isEnabled());
    // Without examples nothing is asked any more.
    SelectRow("inputGrid", 2);
    Click("deleteInputButton");
    EXPECT_EQ(driver.texts.back(), "Удалено!");
    EXPECT_EQ(task->inputCount, 1);
    EXPECT_EQ(task->inputNames[0], "x");
}

TEST_F(SetupTest, HiddenLayerSizeStaysBetweenOneAnd499) {
    QLineEdit* hidden = Edit("hiddenEdit");
    hidden->setText(QStringLiteral("007"));
    EXPECT_EQ(hidden->text(), QStringLiteral("7"));
    EXPECT_EQ(task->hiddenCount, 7);
    hidden->setText(QStringLiteral("1000"));
    EXPECT_EQ(hidden->text(), QStringLiteral("499"));
    EXPECT_EQ(task->hiddenCount, 499);
    hidden->setText(QStringLiteral(" +12abc"));
    EXPECT_EQ(hidden->text(), QStringLiteral("12"));
    EXPECT_EQ(task->hiddenCount, 12);
    hidden->clear();
    EXPECT_EQ(hidden->text(), QStringLiteral("1"));
    EXPECT_EQ(task->hiddenCount, 1);
    hidden->setText(QStringLiteral("-3"));
    EXPECT_EQ(hidden->text(), QStringLiteral("1"));

    // Typed key by key: the first 0 already becomes 1.
    hidden->selectAll();
    QTest::keyClick(hidden, Qt::Key_Backspace);
    EXPECT_EQ(hidden->text(), QStringLiteral("1"));
    hidden->selectAll();
    QTest::keyClicks(hidden, "07");
    EXPECT_EQ(hidden->text(), QStringLiteral("17"));
    EXPECT_EQ(task->hiddenCount, 17);
}

TEST_F(SetupTest, TrainingModeNeedsInputsOutputsAndAHiddenSize) {
    AddParam(*task, {"x", {{0, "a"}}});
    Reopen();
    EXPECT_FALSE(Button("trainingModeButton")->isEnabled());
    DefineOutputs({QStringLiteral("A")});
    EXPECT_TRUE(Button("trainingModeButton")->isEnabled());
    SelectRow("inputGrid", 1);
    Click("deleteInputButton");
    EXPECT_FALSE(Button("trainingModeButton")->isEnabled());
}

TEST_F(SetupTest, TablesRefreshWheneverAModalWindowCloses) {
    AddParam(*task, {"late", {{3, "v"}}});  // changed behind the dialog's back
    EXPECT_EQ(Grid("inputGrid")->GetRows(), 1);
    Click("saveButton");  // refused with a message: no outputs
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Не достаточно информации для сохранения"});
    EXPECT_EQ(Rows(Grid("inputGrid"), 1), std::vector<QString>{QStringLiteral("late|3 - v; ")});
}

TEST_F(SetupTest, EnterAndEscapeNeverEndTheProgram) {
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    QTest::keyClick(Edit("hiddenEdit"), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(Edit("hiddenEdit"), Qt::Key_Escape);
    Button("addInputButton")->setFocus();
    QTest::keyClick(Button("addInputButton"), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(driver.unexpectedDialogs, 0) << "Enter on a button does not press it";

    Click("exitButton");
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(SetupTest, CloseBoxEndsTheDialog) {
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    EXPECT_TRUE(dlg->MayClose());
    EXPECT_TRUE(dlg->close());
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(SetupTest, AboutBoxOpensFromF1AndTheContextMenu) {
    QStringList seen;
    auto look = [&seen](QDialog* about) {
        EXPECT_NE(qobject_cast<CAboutDlg*>(about), nullptr);
        seen << about->windowTitle();
        for (const char* name :
             {"creditsLabel", "nameLabel1", "nameLabel2", "nameLabel3", "nameLabel4"}) {
            auto* label = about->findChild<QLabel*>(name);
            EXPECT_TRUE(label && !label->text().isEmpty()) << name;
        }
        QTest::mouseClick(about->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    };
    driver.OnDialog(look);
    QTest::keyClick(dlg.get(), Qt::Key_F1);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_FALSE(seen[0].isEmpty());

    EXPECT_EQ(dlg->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(dlg->actions().size(), 1);
    driver.OnDialog(look);
    dlg->actions()[0]->trigger();
    EXPECT_EQ(seen.size(), 2);
    EXPECT_EQ(task->inputCount, 0);
}

}  // namespace
