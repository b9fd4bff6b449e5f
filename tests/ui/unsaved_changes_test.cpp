// Work is never lost without a question: the task-changed state and the save
// question before the program ends or a load replaces the task.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "storage/taskfile.h"
#include "tests/ui/main_dialog_fixture.h"

namespace {

const std::string SaveQuestion = "Задача изменена. Сохранить изменения?";

class UnsavedChangesTest : public MainDialogTest {
  protected:
    void SetUp() override {
        // A task as if loaded: present when the dialog starts, so unchanged.
        AddParam(*task, {"x", {{0, "low"}, {1, "high"}}});
        SetOutputs(*task, {"A", "B"});
        PutExample(*task, {0}, 0);
        PutExample(*task, {1}, 1);
        task->hiddenCount = 3;
        MainDialogTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        dlg->SetFileChooser([this](QWidget*, CZarnDlg::FileDialogKind kind) {
            kinds.push_back(kind);
            return chosen;
        });
    }

    void ChangeHiddenSize() {
        Edit("hiddenEdit")->setText(QString::number(task->hiddenCount + 2));
        ASSERT_TRUE(dlg->TaskChanged());
    }

    QTemporaryDir dir;
    QString chosen;  // what the file dialog answers (empty: cancelled)
    std::vector<CZarnDlg::FileDialogKind> kinds;
};

TEST_F(UnsavedChangesTest, TheTitleFollowsLoadSaveAndEdit) {
    const auto title = [this] { return dlg->windowTitle(); };
    EXPECT_EQ(title(), QStringLiteral("НС"));
    ChangeHiddenSize();
    EXPECT_EQ(title(), QStringLiteral("НС*"));

    chosen = dir.filePath(QStringLiteral("тарифы.task"));
    Click("saveButton");
    EXPECT_EQ(title(), QStringLiteral("НС — тарифы.task"));
    ChangeHiddenSize();
    EXPECT_EQ(title(), QStringLiteral("НС — тарифы.task*"));
    Edit("hiddenEdit")->setText(QStringLiteral("5"));  // back to what was saved
    EXPECT_EQ(title(), QStringLiteral("НС — тарифы.task"));

    // A deleted example, then a load of another file.
    Click("trainingModeButton");
    SelectRow("exampleGrid", 1);
    Click("deleteExampleButton");
    EXPECT_EQ(title(), QStringLiteral("НС — тарифы.task*"));
    auto other = MakeTask();
    AddParam(*other, {"z", {{0, "on"}}});
    SetOutputs(*other, {"C"});
    const QString path = dir.filePath(QStringLiteral("other.task"));
    ASSERT_EQ(SaveToFile(*other, path.toStdString()), 1);
    chosen = path;
    driver.Answer({QMessageBox::No});  // the changes are not wanted
    Click("loadButton");
    EXPECT_EQ(title(), QStringLiteral("НС — other.task"));
}

TEST_F(UnsavedChangesTest, EndingWithoutChangesAsksNothing) {
    EXPECT_FALSE(dlg->TaskChanged());
    ChangeHiddenSize();
    Edit("hiddenEdit")->setText(QStringLiteral("3"));
    EXPECT_FALSE(dlg->TaskChanged()) << "an edit undone is no change";
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    Click("exitButton");
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(driver.texts.empty());
}

TEST_F(UnsavedChangesTest, EachAnswerToTheQuestionOnEndingDoesWhatItSays) {
    enum class Way { ExitButton, CloseBox };
    const struct {
        Way way;
        QMessageBox::StandardButton answer;
        const char* file;  // chosen in the save dialog ("" cancels it)
        bool ends;
    } cases[] = {
        {Way::ExitButton, QMessageBox::No, "", true},
        {Way::CloseBox, QMessageBox::Cancel, "", false},
        {Way::ExitButton, QMessageBox::Yes, "", false},
        {Way::ExitButton, QMessageBox::Yes, "missing-folder/t.task", false},
        {Way::CloseBox, QMessageBox::Yes, "saved.task", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.way)) + " " + std::to_string(c.answer) +
                     " " + c.file);
        Reopen();
        dlg->SetFileChooser([this](QWidget*, CZarnDlg::FileDialogKind kind) {
            kinds.push_back(kind);
            return chosen;
        });
        ChangeHiddenSize();
        chosen = *c.file ? dir.filePath(QString::fromLatin1(c.file)) : QString();
        driver.texts.clear();
        driver.offered.clear();
        QSignalSpy finished(dlg.get(), &QDialog::finished);
        driver.Answer({c.answer});
        if (c.way == Way::ExitButton)
            Click("exitButton");
        else
            EXPECT_EQ(dlg->close(), c.ends);
        EXPECT_EQ(finished.count(), c.ends ? 1 : 0);
        EXPECT_EQ(dlg->isVisible(), !c.ends);
        ASSERT_FALSE(driver.texts.empty());
        EXPECT_EQ(driver.texts.front(), SaveQuestion);
        EXPECT_EQ(driver.offered.front(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(QFile::exists(chosen), c.answer == QMessageBox::Yes && c.ends);
    }
    EXPECT_EQ(driver.unscriptedBoxes, 2) << "only the two save messages";
}

TEST_F(UnsavedChangesTest, LoadOverChangesAsksFirst) {
    ASSERT_EQ(SaveToFile(*task, dir.filePath("other.task").toStdString()), 1);
    ChangeHiddenSize();
    driver.Answer({QMessageBox::Cancel});
    Click("loadButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{SaveQuestion});
    EXPECT_TRUE(kinds.empty()) << "Отмена: no file dialog";
    EXPECT_EQ(task->hiddenCount, 5);  // as changed

    chosen = dir.filePath("other.task");
    driver.Answer({QMessageBox::No});
    Click("loadButton");
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{SaveQuestion, SaveQuestion, "Загружено успешно!"}));
    EXPECT_EQ(task->hiddenCount, 3);
    EXPECT_FALSE(dlg->TaskChanged()) << "a load starts afresh";
    Click("loadButton");
    EXPECT_EQ(driver.texts.size(), 4u) << "nothing to ask after the load";
}

TEST_F(UnsavedChangesTest, UserEditsMarkTheTaskChangedAndASaveClearsIt) {
    chosen = dir.filePath("saved.task");
    Click("trainingModeButton");
    Edit("iterEdit")->setText(QStringLiteral("2000"));
    Click("trainButton");
    ASSERT_GT(task->accuracyPercent, 0.0);
    EXPECT_TRUE(dlg->TaskChanged()) << "a trained network is saved with the task";
    Click("saveButton");
    EXPECT_FALSE(dlg->TaskChanged());

    SelectRow("exampleGrid", 1);
    Click("deleteExampleButton");
    EXPECT_TRUE(dlg->TaskChanged()) << "deleted example";
    Click("saveButton");

    Click("setupModeButton");
    driver.Answer({QMessageBox::Cancel});  // keep the examples: no editor
    Click("addInputButton");
    EXPECT_FALSE(dlg->TaskChanged()) << "a refused question changes nothing";
    driver.Answer({QMessageBox::Ok});
    DefineInput(QStringLiteral("y"), {{0, QStringLiteral("a")}});
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_TRUE(dlg->TaskChanged()) << "added parameter";
}

}  // namespace
