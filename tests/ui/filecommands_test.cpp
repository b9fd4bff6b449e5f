// Saving and loading from the main dialog, with the file chooser replaced.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "storage/recoverycopy.h"
#include "storage/taskfile.h"
#include "tests/ui/main_dialog_fixture.h"

namespace {

class FileCommandsTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        dlg->SetFileChooser([this](QWidget*, CZarnDlg::FileDialogKind kind) {
            kinds.push_back(kind);
            return chosen;
        });
    }

    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    static QByteArray Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const std::string& path, const QByteArray& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void Define() {
        AddParam(*task, {"x", {{0, "low"}, {1, "high"}}});
        SetOutputs(*task, {"A", "B"});
    }

    QTemporaryDir dir;
    QString chosen;
    std::vector<CZarnDlg::FileDialogKind> kinds;
};

TEST_F(FileCommandsTest, SavingNeedsInputsAndOutputs) {
    Click("saveButton");
    AddParam(*task, {"x", {{0, "low"}}});
    Click("saveButton");
    EXPECT_EQ(driver.texts, (std::vector<std::string>{"Не достаточно информации для сохранения",
                                                      "Не достаточно информации для сохранения"}));
    EXPECT_TRUE(kinds.empty()) << "no file dialog without a definition";
}

TEST_F(FileCommandsTest, CancelledChoicesDoNothing) {
    Define();
    Click("saveButton");
    Click("loadButton");
    EXPECT_EQ(kinds, (std::vector{CZarnDlg::FileDialogKind::Save, CZarnDlg::FileDialogKind::Open}));
    EXPECT_TRUE(driver.texts.empty());
    EXPECT_EQ(task->inputCount, 1);
}

TEST_F(FileCommandsTest, SavesATaskWithoutExamples) {
    Define();
    chosen = QString::fromStdString(Path("plain.task"));
    Click("saveButton");
    EXPECT_EQ(driver.texts,
              std::vector<std::string>{"Настройка НС и примеры к ней успешно сохранены!"});
    auto expected = MakeTask();
    CopyTask(*task, *expected);
    ASSERT_EQ(SaveToFile(*expected, Path("expected.task")), 1);
    EXPECT_EQ(Bytes(Path("plain.task")), Bytes(Path("expected.task")));
}

TEST_F(FileCommandsTest, UnwritablePlaceIsReported) {
    Define();
    chosen = QString::fromStdString(Path("missing-folder/task.task"));
    Click("saveButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Не сохранено..."});
}

TEST_F(FileCommandsTest, FileThatDoesNotOpenLeavesTheTask) {
    Define();
    auto before = MakeTask();
    CopyTask(*task, *before);
    chosen = QString::fromStdString(Path("none.task"));
    Click("loadButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Файл не открылся."});
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST_F(FileCommandsTest, NamedPipeDoesNotOpenAndNothingWaits) {
    Define();
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    chosen = QString::fromStdString(Path("pipe"));
    Click("loadButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Файл не открылся."});
    EXPECT_EQ(task->inputCount, 1);
}

TEST_F(FileCommandsTest, RefusedFileIsReportedWithTheReadersMessage) {
    Define();
    auto before = MakeTask();
    CopyTask(*task, *before);
    Write(Path("bad.task"), "13\n1\n1\n0\n");
    auto scratch = MakeTask();
    const LoadResult expected = LoadFromFile(*scratch, Path("bad.task"));
    ASSERT_EQ(expected.status.kind, StatusKind::Refused);
    chosen = QString::fromStdString(Path("bad.task"));
    Click("loadButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{expected.status.message});
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST_F(FileCommandsTest, DamagedFileNamesTheCopyOfItsPreviousVersion) {
    Define();
    Write(Path("bad.task"), "13\n1\n1\n0\n");  // what a killed save might leave
    struct stat file = {};
    ASSERT_EQ(::stat(Path("bad.task").c_str(), &file), 0);
    const std::string folder = Path("bad.task").substr(0, Path("bad.task").rfind('/') + 1);
    const std::string copy = RecoveryCopyPaths(folder, file).front();
    ASSERT_EQ(SaveToFile(*task, copy), 1);
    auto scratch = MakeTask();
    const LoadResult expected = LoadFromFile(*scratch, Path("bad.task"));
    chosen = QString::fromStdString(Path("bad.task"));
    Click("loadButton");
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{expected.status.message, RecoveryCopyMessage + copy}));
}

TEST_F(FileCommandsTest, FileAnotherProgramIsWritingIsNotSavedAndTheReasonIsShown) {
    Define();
    Write(Path("busy.task"), "old");
    const int held = ::open(Path("busy.task").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    chosen = QString::fromStdString(Path("busy.task"));
    Click("saveButton");  // waits for the other writer a few seconds
    ::close(held);
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{
                  "Не сохранено...",
                  "Файл сейчас записывает другая программа; повторите сохранение позже."}));
    EXPECT_EQ(Bytes(Path("busy.task")), QByteArray("old"));
}

TEST_F(FileCommandsTest, LoadShowsTheTaskAndItsHiddenSize) {
    auto source = MakeTask();
    AddParam(*source, {"colour", {{1, "red"}, {2, "green"}}});
    SetOutputs(*source, {"apple", "pear"});
    PutExample(*source, {1}, 0);
    source->hiddenCount = 5;
    ASSERT_EQ(SaveToFile(*source, Path("fruit.task")), 1);
    chosen = QString::fromStdString(Path("fruit.task"));
    Click("loadButton");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Загружено успешно!"});
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(task->hiddenCount, 5);
    EXPECT_EQ(Rows(Grid("inputGrid"), 1),
              std::vector<QString>{QStringLiteral("colour|1 - red; 2 - green; ")});
    EXPECT_EQ(Rows(Grid("outputGrid"), 0),
              (std::vector<QString>{QStringLiteral("apple"), QStringLiteral("pear")}));
    EXPECT_TRUE(Button("trainingModeButton")->isEnabled());

    // A stored size of 0 goes through the hidden-layer rule and becomes 1.
    source->hiddenCount = 0;
    ASSERT_EQ(SaveToFile(*source, Path("zero.task")), 1);
    Edit("hiddenEdit")->setText(QStringLiteral("9"));
    chosen = QString::fromStdString(Path("zero.task"));
    driver.Answer({QMessageBox::No});  // the size typed is a change: do not save it
    Click("loadButton");
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(task->hiddenCount, 1);
}

TEST_F(FileCommandsTest, LoadInTheTrainingLayoutFillsTheExampleTable) {
    Define();
    dlg->RefreshTables();
    Click("trainingModeButton");
    auto source = MakeTask();
    AddParam(*source, {"y", {{1, "one"}, {2, "two"}}});
    SetOutputs(*source, {"P", "Q"});
    PutExample(*source, {1}, 1);
    source->hiddenCount = 2;
    ASSERT_EQ(SaveToFile(*source, Path("y.task")), 1);
    chosen = QString::fromStdString(Path("y.task"));
    Click("loadButton");
    EXPECT_EQ(Rows(Grid("exampleGrid"), 0),
              (std::vector<QString>{QStringLiteral("y|Результат"), QStringLiteral("two|Q")}));
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("2"));

    // Back in the setup layout the tables show the loaded definition, so a
    // delete acts on the parameter that is on screen.
    Click("setupModeButton");
    EXPECT_EQ(Rows(Grid("inputGrid"), 1),
              std::vector<QString>{QStringLiteral("y|1 - one; 2 - two; ")});
    EXPECT_EQ(Rows(Grid("outputGrid"), 0),
              (std::vector<QString>{QStringLiteral("P"), QStringLiteral("Q")}));
}

TEST_F(FileCommandsTest, LoadWithMoreInputsKeepsTheResultHeadingOnTheLastColumn) {
    Define();
    dlg->RefreshTables();
    Click("trainingModeButton");
    auto source = MakeTask();
    AddParam(*source, {"u", {{1, "u1"}}});
    AddParam(*source, {"v", {{1, "v1"}, {2, "v2"}}});
    SetOutputs(*source, {"P"});
    PutExample(*source, {0, 1}, 0);
    ASSERT_EQ(SaveToFile(*source, Path("uv.task")), 1);
    chosen = QString::fromStdString(Path("uv.task"));
    Click("loadButton");
    EXPECT_EQ(Rows(Grid("exampleGrid"), 0),
              (std::vector<QString>{QStringLiteral("u|v|Результат"), QStringLiteral("u1|v2|P")}));
}

TEST_F(FileCommandsTest, CheckIsOfferedOnlyForTheNetworkOfTheTaskShowing) {
    const auto load = [this](const std::string& path) {
        chosen = QString::fromStdString(path);
        driver.texts.clear();
        Click("loadButton");
    };
    const std::string sample = ZARN_EXAMPLES_DIR "/";
    QByteArray damaged = Bytes(sample + "fruit-trained.task");
    damaged.replace("#zarn-network 1", "#zarn-network 9");
    Write(Path("damaged.task"), damaged);
    load(Path("damaged.task"));
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{"Загружено успешно!", NetworkDamagedMessage}));
    EXPECT_EQ(task->exampleCount, 6) << "the task loads without its network";
    EXPECT_FALSE(Button("checkButton")->isEnabled());

    load(sample + "fruit-trained.task");
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Загружено успешно!"});
    EXPECT_TRUE(Button("checkButton")->isEnabled());

    QLineEdit* hidden = Edit("hiddenEdit");
    hidden->setText(QStringLiteral("5"));
    EXPECT_FALSE(Button("checkButton")->isEnabled()) << "trained with 4 hidden neurons";
    hidden->setText(QStringLiteral("4"));
    EXPECT_TRUE(Button("checkButton")->isEnabled());

    load(sample + "fruit.task");  // same shape, no network of its own: keeps this one
    EXPECT_TRUE(Button("checkButton")->isEnabled());
    load(sample + "weather-ru.task");  // another shape: never asks fruit's network
    EXPECT_FALSE(Button("checkButton")->isEnabled());
}

TEST_F(FileCommandsTest, AnswerTableWritesTheAnswersAndTellsTheCounts) {
    EXPECT_FALSE(Button("answerTableButton")->isEnabled()) << "no network yet";
    chosen = ZARN_EXAMPLES_DIR "/fruit-trained.task";
    Click("loadButton");
    ASSERT_TRUE(Button("answerTableButton")->isEnabled());
    Write(Path("new.csv"), "size,colour,fruit\nsmall,red,apple\nlarge,blue,pear\n");
    std::vector<QString> answers{QString::fromStdString(Path("new.csv")), QString()};
    dlg->SetFileChooser([&](QWidget*, CZarnDlg::FileDialogKind kind) {
        kinds.push_back(kind);
        const QString next = answers.front();
        answers.erase(answers.begin());
        return next;
    });
    kinds.clear();
    driver.texts.clear();
    Click("answerTableButton");  // where to save: cancelled
    EXPECT_EQ(kinds, (std::vector{CZarnDlg::FileDialogKind::OpenData,
                                  CZarnDlg::FileDialogKind::SaveAnswers}));
    EXPECT_TRUE(driver.texts.empty());

    answers = {QString::fromStdString(Path("new.csv")), QString::fromStdString(Path("out.csv"))};
    Click("answerTableButton");
    EXPECT_EQ(Bytes(Path("out.csv")),
              QByteArray("size,colour,fruit,Ответ,Сигнал,Причина\n"
                         "small,red,apple,apple,0.989,\n"
                         "large,blue,pear,,,«colour»: нет варианта «blue»\n"));
    EXPECT_EQ(driver.texts,
              std::vector<std::string>{"Отвечено строк: 1 из 2. Без ответа: 1 (причина в столбце "
                                       "«Причина»). Верно: 1 из 2 (50.00%) по столбцу «fruit»."});
    EXPECT_FALSE(dlg->TaskChanged()) << "answering changes no task";
}

}  // namespace
