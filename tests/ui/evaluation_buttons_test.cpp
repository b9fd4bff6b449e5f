// The evaluate and tune buttons of the training layout: they reach the
// evaluation and the search, the edits receive the choice, and a stop
// leaves the task, its network and the edits as they were.
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "dataset/evaluation.h"
#include "dataset/tuning.h"
#include "tests/support/status_check.h"
#include "tests/ui/main_dialog_fixture.h"

namespace {

constexpr uint32_t Seed = 3;

class EvaluationButtonsTest : public MainDialogTest {
  protected:
    void SetUp() override {
        AddParam(*task, {"x", {{0, "low"}, {0.5, "mid"}, {1, "high"}}});
        SetOutputs(*task, {"A", "B"});
        for (int e = 0; e < 12; ++e) PutExample(*task, {e % 3}, e % 3 == 2 ? 1 : 0);
        task->hiddenCount = 2;
        MainDialogTest::SetUp();
        dlg->SetSeedProvider([] { return Seed; });
        Click("trainingModeButton");
    }

    std::vector<QString> Edits() const {
        return {Edit("hiddenEdit")->text(), Edit("coefEdit")->text(), Edit("iterEdit")->text()};
    }

    // The one message shown begins with the evaluation of 100 iterations at
    // this coefficient (the default one when empty).
    void ExpectEvaluationShown(const std::string& coef = {}) {
        ASSERT_EQ(driver.texts.size(), 1u);
        EvaluationOptions options;
        options.seed = Seed;
        if (!coef.empty()) options.coef = coef;
        options.iterations = "100";
        options.hidden = 2;
        EvaluationResult expected;
        ASSERT_TRUE(IsOk(EvaluateTask(*task, options, expected)));
        EXPECT_EQ(driver.texts[0].rfind(FormatEvaluation(*task, options, expected), 0), 0u)
            << driver.texts[0];
    }
};

TEST_F(EvaluationButtonsTest, EvaluateShowsTheCrossValidationOfTheCurrentSettings) {
    Edit("iterEdit")->setText(QStringLiteral("100"));
    const std::vector<QString> edits = Edits();
    const bool checkEnabled = Button("checkButton")->isEnabled();
    Click("evaluateButton");
    ExpectEvaluationShown();
    EXPECT_EQ(Edits(), edits);
    EXPECT_EQ(Button("checkButton")->isEnabled(), checkEnabled);
    EXPECT_FALSE(Button("errorGraphButton")->isVisible());
    EXPECT_EQ(Button("evaluateButton")->text(), QStringLiteral("Оценить"));
}

TEST_F(EvaluationButtonsTest, EvaluateReadsADecimalCommaAsTrainingDoes) {
    Edit("coefEdit")->setText(QStringLiteral("0,3"));
    Edit("iterEdit")->setText(QStringLiteral("100"));
    Click("evaluateButton");
    ExpectEvaluationShown("0.3");
    EXPECT_EQ(Edit("coefEdit")->text(), QStringLiteral("0,3"));
}

TEST_F(EvaluationButtonsTest, TunePutsTheChoiceIntoTheThreeEdits) {
    Click("tuneButton");
    ASSERT_EQ(driver.texts.size(), 1u);
    TuningOptions options;
    options.seed = Seed;
    TuningResult expected;
    ASSERT_TRUE(IsOk(TuneTask(*task, options, expected)));
    const TuningSetting& choice = expected.choice;
    EXPECT_EQ(Edits(), (std::vector<QString>{QString::number(choice.hidden),
                                             QString::fromStdString(choice.coef),
                                             QString::number(choice.iterations)}));
    EXPECT_EQ(task->hiddenCount, choice.hidden);
    EXPECT_NE(driver.texts[0].find("Выбрано: скрытый слой"), std::string::npos);
    EXPECT_EQ(Button("tuneButton")->text(), QStringLiteral("Подобрать"));
}

TEST_F(EvaluationButtonsTest, StoppedRunsLeaveTheTaskTheNetworkAndTheEditsAsTheyWere) {
    for (int e = 0; e < 150; ++e) PutExample(*task, {e % 3}, e % 7 == 0 ? 1 : 0);
    Edit("hiddenEdit")->setText(QStringLiteral("40"));  // a search that takes a while
    Edit("iterEdit")->setText(QStringLiteral("100"));
    Click("trainButton");                                 // a network to keep
    Edit("iterEdit")->setText(QStringLiteral("300000"));  // long, with early percentages
    const std::vector<QString> edits = Edits();
    const auto weights = std::make_unique<double[]>(sizeof task->weightsInputHidden);
    std::memcpy(weights.get(), task->weightsInputHidden, sizeof task->weightsInputHidden);
    const double accuracy = task->accuracyPercent;
    const std::size_t messages = driver.texts.size();
    for (const char* name : {"evaluateButton", "tuneButton"}) {
        SCOPED_TRACE(name);
        QPushButton* button = Button(name);
        const QString idle = button->text();
        Qt::CursorShape cursor = Qt::ArrowCursor;
        bool stopped = false;
        // At the first progress caption: Escape.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (stopped || button->text() == idle) return;
            if (const QCursor* shown = QGuiApplication::overrideCursor()) cursor = shown->shape();
            stopped = true;
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        });
        poll.start(5);
        Click(name);
        EXPECT_TRUE(stopped) << "the run ended before the stop";
        EXPECT_EQ(cursor, Qt::WaitCursor);
        EXPECT_EQ(button->text(), idle);
        EXPECT_EQ(driver.texts.size(), messages);
        EXPECT_EQ(Edits(), edits);
        EXPECT_EQ(task->hiddenCount, 40);
        EXPECT_EQ(task->accuracyPercent, accuracy);
        EXPECT_EQ(
            std::memcmp(weights.get(), task->weightsInputHidden, sizeof task->weightsInputHidden),
            0);
        EXPECT_TRUE(Button("checkButton")->isEnabled());
    }
}

}  // namespace
