// The training layout: entering it, the train button on its worker thread
// with progress captions, refusals, the seed, and input while a run goes on.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <regex>

#include "network/network.h"
#include "tests/support/comma_locale.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/errorgraphdlg.h"
#include "ui/tasktext.h"

namespace {

// Records the train button's caption each time the button paints.
class CaptionRecorder : public QObject {
  public:
    explicit CaptionRecorder(QPushButton* button) : m_button(button) {
        button->installEventFilter(this);
    }
    std::vector<std::string> captions;
    std::function<void(const std::string&)> onCaption;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_button && event->type() == QEvent::Paint) {
            const std::string text = m_button->text().toUtf8().toStdString();
            if (captions.empty() || captions.back() != text) {
                captions.push_back(text);
                if (onCaption) onCaption(text);
            }
        }
        return false;
    }

  private:
    QPushButton* m_button;
};

std::string Progress(int percent) {
    return "C\xD0\xB5ть в процессе обучения... " + std::to_string(percent) + "%";
}

class TrainingPanelTest : public MainDialogTest {
  protected:
    void SetUp() override {
        AddParam(*task, {"x", {{0, "low"}, {1, "high"}}});
        SetOutputs(*task, {"A", "B"});
        PutExample(*task, {0}, 0);
        PutExample(*task, {1}, 1);
        task->hiddenCount = 3;
        MainDialogTest::SetUp();
        Click("trainingModeButton");
    }

    // Trains with the given edit texts; returns the closing message.
    std::string Train(const char* iterations, const char* coefficient = "0.2") {
        Edit("iterEdit")->setText(QString::fromLatin1(iterations));
        Edit("coefEdit")->setText(QString::fromLatin1(coefficient));
        const std::size_t before = driver.texts.size();
        Click("trainButton");
        EXPECT_EQ(driver.texts.size(), before + 1);
        return driver.texts.size() > before ? driver.texts.back() : std::string();
    }
};

TEST_F(TrainingPanelTest, EnteringShowsTheExamplesAndResetsTheSettings) {
    EXPECT_EQ(state.dialogMode, ModeTraining);
    EXPECT_TRUE(dlg->TrainingLayoutShowing());
    EXPECT_EQ(Find<QLabel>("panelTitleLabel")->text(), QStringLiteral("Примеры для обучения"));
    for (const char* shown :
         {"exampleGrid", "addExampleButton", "deleteExampleButton", "trainButton", "coefEdit",
          "coefLabel", "iterEdit", "iterLabel", "hiddenEdit", "hiddenLabel"})
        EXPECT_TRUE(Find<QWidget>(shown)->isVisible()) << shown;
    for (const char* hidden :
         {"inputGrid", "outputGrid", "addInputButton", "changeInputButton", "deleteInputButton",
          "editOutputButton", "deleteOutputButton", "outputLabel", "errorGraphButton"})
        EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_EQ(Edit("iterEdit")->text(), QStringLiteral("10000"));
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0.2"));
    EXPECT_EQ(task->learningCoef, 0.2);
    EXPECT_EQ(Rows(Grid("exampleGrid"), 0),
              (std::vector<QString>{QStringLiteral("x|Результат"), QStringLiteral("low|A"),
                                    QStringLiteral("high|B")}));

    Edit("iterEdit")->setText(QStringLiteral("5"));
    Edit("coefEdit")->setText(QStringLiteral("0.9"));
    task->learningCoef = 0.9;
    Click("setupModeButton");
    EXPECT_EQ(state.dialogMode, ModeSetup);
    EXPECT_FALSE(Grid("exampleGrid")->isVisible());
    EXPECT_TRUE(Grid("inputGrid")->isVisible());
    Click("trainingModeButton");
    EXPECT_EQ(Edit("iterEdit")->text(), QStringLiteral("10000"));
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0.2"));
    EXPECT_EQ(task->learningCoef, 0.2);
}

TEST_F(TrainingPanelTest, BadSettingsAreRefusedAndChangeNothing) {
    auto before = MakeTask();
    CopyTask(*task, *before);
    EXPECT_EQ(Train("0"), IterationsMessage);
    EXPECT_EQ(Train("10000001"), IterationsMessage);
    EXPECT_EQ(Train("100", "1.5"), CoefficientMessage);
    EXPECT_EQ(Train("100", "abc"), CoefficientMessage);
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("abc")) << "refused texts stay";
    EXPECT_EQ(Button("trainButton")->text(), QStringLiteral("Обучить!"));
    EXPECT_EQ(DescribeDifference(*task, *before), "");
    EXPECT_FALSE(Button("errorGraphButton")->isVisible());

    task->ResetExamples();
    Click("setupModeButton");
    Click("trainingModeButton");
    EXPECT_EQ(Train("100"), NoExamplesMessage);
    EXPECT_EQ(task->errorCount, 0);
}

TEST_F(TrainingPanelTest, DecimalCommaInTheCoefficientTrainsLikeThePoint) {
    const CommaLocale locale;
    EXPECT_EQ(Train("7", "0,3").rfind("Network is ", 0), 0u);
    EXPECT_EQ(task->learningCoef, 0.3);
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0.3000"));
    // Still refused outside the range, and the typed text stays.
    EXPECT_EQ(Train("7", "1,5"), CoefficientMessage);
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("1,5"));
    EXPECT_EQ(task->learningCoef, 0.3);
}

TEST_F(TrainingPanelTest, ProgressCaptionsForOneAndSevenIterations) {
    CaptionRecorder recorder(Button("trainButton"));
    EXPECT_EQ(Train("1"), "Network is " +
                              std::string(task->accuracyPercent == 100.0 ? "100.00" : "50.00") +
                              "% correct\n");
    EXPECT_EQ(recorder.captions,
              (std::vector<std::string>{"Обучить!", Progress(100), Progress(200), "Обучить!"}));
    EXPECT_EQ(task->errorCount, 3);

    recorder.captions.clear();
    Train("7");
    EXPECT_EQ(recorder.captions, (std::vector<std::string>{"Обучить!", Progress(100), "Обучить!"}));
    EXPECT_EQ(task->errorCount, 9);
    // The edits show what the run used.
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0.2000"));
    EXPECT_EQ(Edit("iterEdit")->text(), QStringLiteral("7"));
    // The closing message's refresh shows the graph button.
    EXPECT_TRUE(Button("errorGraphButton")->isVisible());
}

TEST_F(TrainingPanelTest, SeparableTaskIsLearnedWithTheInjectedSeed) {
    int seeds = 0;
    dlg->SetSeedProvider([&seeds] {
        ++seeds;
        return 7u;
    });
    EXPECT_EQ(Train("10000"), "Network is 100.00% correct\n");
    EXPECT_EQ(seeds, 1);
    EXPECT_EQ(task->errorCount, 10002);
    EXPECT_TRUE(Button("checkButton")->isEnabled());
    EXPECT_TRUE(Button("errorGraphButton")->isVisible());
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0.2000"));
    EXPECT_EQ(Edit("iterEdit")->text(), QStringLiteral("10000"));

    // The same seed gives the same network.
    auto first = MakeTask();
    CopyTask(*task, *first);
    Train("10000");
    EXPECT_EQ(DescribeDifference(*task, *first), "");
    dlg->SetSeedProvider([] { return 8u; });
    Train("10000");
    EXPECT_NE(DescribeDifference(*task, *first), "");
}

TEST_F(TrainingPanelTest, TheWindowTakesNoInputWhileARunGoesOn) {
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    CaptionRecorder recorder(Button("trainButton"));
    bool triedDuringRun = false;
    recorder.onCaption = [&](const std::string& caption) {
        if (caption != Progress(1)) return;
        // Runs from the event loop while the worker trains.
        QTimer::singleShot(0, dlg.get(), [&] {
            triedDuringRun = dlg->TrainingRunning();
            QTest::mouseClick(Button("addExampleButton"), Qt::LeftButton);
            QTest::mouseClick(Button("setupModeButton"), Qt::LeftButton);
            QTest::keyClicks(Edit("hiddenEdit"), "5");
            QTest::keyClick(dlg.get(), Qt::Key_F1);
            dlg->close();
            QTest::mouseClick(Button("exitButton"), Qt::LeftButton);
        });
    };
    Train("1000000");
    EXPECT_TRUE(triedDuringRun) << "the run ended before the input was tried";
    EXPECT_EQ(driver.unexpectedDialogs, 0);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("3"));
    EXPECT_EQ(task->hiddenCount, 3);
    EXPECT_EQ(state.dialogMode, ModeTraining);
    EXPECT_EQ(task->errorCount, 1000002);
    // The caption went through every percent while the window kept painting.
    EXPECT_EQ(recorder.captions.size(), 102u);
    EXPECT_EQ(recorder.captions[100], Progress(100));
}

TEST_F(TrainingPanelTest, ClickOrEscapeStopsALongRunAfterThePassInProgress) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "click");
        CaptionRecorder recorder(Button("trainButton"));
        QElapsedTimer sinceStop;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        recorder.onCaption = [&](const std::string& caption) {
            if (caption != Progress(1)) return;
            QTimer::singleShot(0, dlg.get(), [&] {
                if (const QCursor* shown = QGuiApplication::overrideCursor())
                    cursor = shown->shape();
                sinceStop.start();
                if (escape)
                    QTest::keyClick(dlg.get(), Qt::Key_Escape);
                else
                    QTest::mouseClick(Button("trainButton"), Qt::LeftButton);
            });
        };
        const std::string message = Train("10000000");
        ASSERT_TRUE(sinceStop.isValid()) << "the run ended before the stop";
        EXPECT_LT(sinceStop.elapsed(), 5000) << "generous: a pass takes microseconds";
        EXPECT_EQ(cursor, Qt::WaitCursor);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        std::smatch stopped;
        ASSERT_TRUE(std::regex_match(message, stopped,
                                     std::regex("Network is [0-9.]+% correct\nОбучение "
                                                "остановлено после прохода ([0-9]+) из "
                                                "10000002\\.")))
            << message;
        const long long passes = std::stoll(stopped[1]);
        EXPECT_GE(passes, 100000);  // the click may come before pass 100000 has ended
        EXPECT_LT(passes, 10000002);
        EXPECT_EQ(task->errorCount, passes) << "the graph shows the passes done";
        EXPECT_TRUE(Button("errorGraphButton")->isVisible());
        EXPECT_EQ(Button("trainButton")->text(), CZarnDlg::TrainCaption());
    }
}

TEST_F(TrainingPanelTest, GraphButtonOpensTheErrorGraph) {
    Train("100");
    bool sawArea = false;
    driver.OnDialog([&sawArea](QDialog* graph) {
        EXPECT_NE(qobject_cast<CErrorGraphDlg*>(graph), nullptr);
        sawArea = graph->findChild<QWidget*>("errorGraphArea") != nullptr;
        graph->accept();
    });
    Click("errorGraphButton");
    EXPECT_TRUE(sawArea);
    // Leaving the layout hides the button; the next refresh shows it again.
    Click("setupModeButton");
    EXPECT_FALSE(Button("errorGraphButton")->isVisible());
    dlg->RefreshTables();
    EXPECT_TRUE(Button("errorGraphButton")->isVisible());
}

class ExampleTableTest : public MainDialogTest {};

TEST_F(ExampleTableTest, RowsAreNumberedAndColumnsFitTheirTexts) {
    const QString heading = QStringLiteral("Доход, тыс. руб.");
    const std::string longName(120, 'w');
    AddParam(*task, {*ToTask(heading), {{0, "low"}, {1, longName}}});
    AddParam(*task, {"y", {{0, "a"}}});
    SetOutputs(*task, {"A", "B"});
    for (int e = 0; e < 3; ++e) PutExample(*task, {e % 2, 0}, e % 2);
    task->hiddenCount = 2;
    Reopen();
    Click("trainingModeButton");

    CMSFlexGrid* grid = Grid("exampleGrid");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    for (int row = 0; row < 3; ++row)  // example numbers as the data checks give them
        EXPECT_EQ(grid->model()->headerData(row, Qt::Vertical).toInt(), row + 1) << row;

    const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
    EXPECT_GE(grid->columnWidth(0), metrics.horizontalAdvance(heading));  // not cut off
    // The long variant name widens its column only up to the limit.
    EXPECT_LT(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(FromTask(longName)));
    EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().averageCharWidth() * 20);
    EXPECT_LT(grid->columnWidth(1), grid->columnWidth(0));
}

}  // namespace
