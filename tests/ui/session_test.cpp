// A whole session through the real widgets: define a task, enter examples,
// train, look at the graph, ask the network, delete examples, save, and load
// into a fresh program.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "model/examples.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/errorgraphdlg.h"
#include "ui/exampledlg.h"

namespace {

class SessionTest : public MainDialogTest {
  protected:
    // Adds one example through the example dialog (variant indexes, result index).
    void EnterExample(int weather, int wind, int result) {
        driver.OnDialog([=](QDialog* dialog) {
            EXPECT_NE(qobject_cast<CExampleDlg*>(dialog), nullptr);
            dialog->findChild<QComboBox*>("inputCombo1")->setCurrentIndex(weather);
            dialog->findChild<QComboBox*>("inputCombo2")->setCurrentIndex(wind);
            dialog->findChild<QComboBox*>("resultCombo")->setCurrentIndex(result);
            QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
        Click("addExampleButton");
    }

    // Asks the network in the check dialog; the answers shown for each weather.
    std::vector<QString> Ask(const std::vector<int>& weathers) {
        std::vector<QString> answers;
        driver.OnDialog([&answers, weathers](QDialog* dialog) {
            auto* weather = dialog->findChild<QComboBox*>("inputCombo1");
            auto* result = dialog->findChild<QPushButton*>("resultButton");
            auto* answer = dialog->findChild<QLabel*>("answerLabel");
            EXPECT_FALSE(dialog->findChild<QComboBox*>("resultCombo")->isVisible());
            for (int w : weathers) {
                weather->setCurrentIndex(w);
                QTest::mouseClick(result, Qt::LeftButton);
                answers.push_back(answer->text());
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
        Click("checkButton");
        return answers;
    }

    void DefineWeatherTask() {
        DefineInput(QStringLiteral("Погода"),
                    {{0, QStringLiteral("ясно")}, {1, QStringLiteral("дождь")}});
        DefineInput(QStringLiteral("Ветер"),
                    {{0, QStringLiteral("нет")}, {1, QStringLiteral("есть")}});
        DefineOutputs({QStringLiteral("гулять"), QStringLiteral("дома")});
        QLineEdit* hidden = Edit("hiddenEdit");
        hidden->selectAll();
        QTest::keyClicks(hidden, "4");
        ASSERT_EQ(task->hiddenCount, 4);
    }

    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(SessionTest, DefineTrainAskDeleteSaveAndLoad) {
    DefineWeatherTask();
    Click("trainingModeButton");
    EnterExample(0, 0, 0);
    EnterExample(0, 1, 0);
    EnterExample(1, 0, 1);
    EnterExample(1, 1, 1);
    EXPECT_EQ(Rows(Grid("exampleGrid"), 0),
              (std::vector<QString>{
                  QStringLiteral("Погода|Ветер|Результат"), QStringLiteral("ясно|нет|гулять"),
                  QStringLiteral("ясно|есть|гулять"), QStringLiteral("дождь|нет|дома"),
                  QStringLiteral("дождь|есть|дома")}));
    EXPECT_FALSE(Button("checkButton")->isEnabled()) << "no network yet";

    Click("trainButton");
    ASSERT_FALSE(driver.texts.empty());
    EXPECT_EQ(driver.texts.back(), "Network is 100.00% correct\n");
    EXPECT_TRUE(Button("checkButton")->isEnabled());

    bool graphShown = false;
    driver.OnDialog([&graphShown](QDialog* graph) {
        graphShown = qobject_cast<CErrorGraphDlg*>(graph) != nullptr &&
                     graph->findChild<QWidget*>("errorGraphArea") != nullptr;
        graph->accept();
    });
    Click("errorGraphButton");
    EXPECT_TRUE(graphShown);

    EXPECT_EQ(Ask({1, 0}),
              (std::vector<QString>{QStringLiteral("дома"), QStringLiteral("гулять")}));
    EXPECT_EQ(state.dialogMode, ModeTraining) << "back to the mode of the layout showing";
    EXPECT_EQ(task->exampleCount, 4) << "the check stores nothing";

    // Delete the first example.
    SelectRow("exampleGrid", 1);
    Click("deleteExampleButton");
    EXPECT_EQ(driver.texts.back(), "Удалено!");
    EXPECT_EQ(
        Rows(Grid("exampleGrid"), 1),
        (std::vector<QString>{QStringLiteral("ясно|есть|гулять"), QStringLiteral("дождь|нет|дома"),
                              QStringLiteral("дождь|есть|дома")}));

    // Save, load into a fresh program, and save again: the bytes agree.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath("session.task");
    const QString second = dir.filePath("again.task");
    dlg->SetFileChooser([&first](QWidget*, CZarnDlg::FileDialogKind) { return first; });
    Click("saveButton");
    EXPECT_EQ(driver.texts.back(), "Настройка НС и примеры к ней успешно сохранены!");

    auto freshTask = MakeTask();
    DialogState freshState;
    CZarnDlg fresh(*freshTask, freshState);
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    fresh.SetFileChooser([&](QWidget*, CZarnDlg::FileDialogKind kind) {
        return kind == CZarnDlg::FileDialogKind::Open ? first : second;
    });
    QTest::mouseClick(fresh.findChild<QPushButton*>("loadButton"), Qt::LeftButton);
    EXPECT_EQ(driver.texts.back(), "Загружено успешно!");
    EXPECT_EQ(fresh.findChild<QLineEdit*>("hiddenEdit")->text(), QStringLiteral("4"));
    EXPECT_EQ(Rows(fresh.findChild<CMSFlexGrid*>("inputGrid"), 1),
              (std::vector<QString>{QStringLiteral("Погода|0 - ясно; 1 - дождь; "),
                                    QStringLiteral("Ветер|0 - нет; 1 - есть; ")}));
    QTest::mouseClick(fresh.findChild<QPushButton*>("saveButton"), Qt::LeftButton);
    EXPECT_EQ(driver.texts.back(), "Настройка НС и примеры к ней успешно сохранены!");
    const QByteArray saved = Bytes(first);
    EXPECT_FALSE(saved.isEmpty());
    EXPECT_EQ(saved, Bytes(second));
    EXPECT_TRUE(saved.contains("\xcf\xee\xe3\xee\xe4\xe0")) << "names are stored as Windows-1251";
}

TEST_F(SessionTest, CheckFromTheSetupLayoutReturnsToSetupMode) {
    DefineWeatherTask();
    Click("trainingModeButton");
    EnterExample(0, 0, 0);
    EnterExample(1, 0, 1);
    Click("trainButton");
    Click("setupModeButton");
    ASSERT_TRUE(Button("checkButton")->isEnabled());
    Ask({0});
    EXPECT_EQ(state.dialogMode, ModeSetup);

    // A deletion in the setup layout shows at once in its table.
    driver.Answer({QMessageBox::Ok});
    SelectRow("inputGrid", 2);
    Click("deleteInputButton");
    EXPECT_EQ(Rows(Grid("inputGrid"), 1),
              std::vector<QString>{QStringLiteral("Погода|0 - ясно; 1 - дождь; ")});
    EXPECT_FALSE(Button("checkButton")->isEnabled()) << "the examples went with the definition";
}

TEST_F(SessionTest, AddExampleRefusesAFullSet) {
    AddParam(*task, {"x", {{0, "a"}}});
    SetOutputs(*task, {"A"});
    task->hiddenCount = 1;
    for (int e = 0; e < MaxExamples; ++e) PutExample(*task, {0}, 0);
    Reopen();
    Click("trainingModeButton");
    Click("addExampleButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{ExamplesFullMessage});
    EXPECT_EQ(task->exampleCount, MaxExamples);
    EXPECT_EQ(driver.unexpectedDialogs, 0) << "the example dialog does not open";
}

TEST_F(SessionTest, DeleteExampleWithOnlyTheHeadingDoesNothing) {
    AddParam(*task, {"x", {{0, "a"}}});
    SetOutputs(*task, {"A"});
    PutExample(*task, {0}, 0);
    Reopen();
    Click("trainingModeButton");
    Click("deleteExampleButton");  // the first example row is selected before any click
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(Grid("exampleGrid")->GetRows(), 1);
    Click("deleteExampleButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Удалено!"});
}

}  // namespace
