#include "ui/evaluationrunner.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <functional>

#include "ui/inputblocker.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"

namespace {

// Ten folds, or one example per fold for fewer than ten examples (the
// evaluation itself refuses fewer than two).
int PanelFolds(const NetTask& task) {
    return std::clamp(task.exampleCount, 2, 10);
}

using Job = std::function<void(const std::atomic<bool>& stop,
                               const std::function<void(int percent)>& progress)>;

// Runs job on a worker thread and waits for it in a local event loop; the
// button's caption returns to what it was. True when stopped.
bool RunWithStop(QWidget* window, QPushButton* button, const QString& what, const Job& job) {
    std::atomic<bool> stop{false};
    const QString idle = button->text();
    QPointer<QPushButton> target = button;
    const auto progress = [target, what](int percent) {
        QMetaObject::invokeMethod(
            target,
            [target, text = RunCaption(what, percent)] {
                if (!target) return;
                target->setText(text);
                target->repaint();
            },
            Qt::QueuedConnection);
    };
    {
        InputBlocker blocker(window);
        blocker.SetStopRequest(button, [&stop] { stop = true; });
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        QEventLoop loop;
        QFutureWatcher<void> watcher;
        QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(QtConcurrent::run([&] { job(stop, progress); }));
        loop.exec();
    }
    button->setText(idle);
    button->repaint();
    return stop.load();
}

}  // namespace

QString RunCaption(const QString& what, int percent) {
    return what + QStringLiteral("... ") + QString::number(percent) + QStringLiteral("%");
}

std::string PanelEvaluationReport(const NetTask& task, const EvaluationOptions& options,
                                  const EvaluationResult& result) {
    return FormatEvaluation(task, options, result) + "\n" + EvaluationVerdict(task, result);
}

PanelRunOutcome EvaluateFromPanel(QWidget* window, QPushButton* button, const NetTask& task,
                                  const std::string& coefText, const std::string& iterText,
                                  uint32_t seed) {
    EvaluationOptions options;
    options.folds = PanelFolds(task);
    options.seed = seed;
    options.coef = coefText;
    options.iterations = iterText;
    options.hidden = task.hiddenCount;
    EvaluationResult result;
    Status evaluated;
    PanelRunOutcome outcome;
    outcome.stopped = RunWithStop(
        window, button, UiTexts::EvaluationCaption(), [&](const auto& stop, const auto& progress) {
            evaluated = EvaluateTask(task, options, result, TuningControl{&stop, progress});
        });
    if (outcome.stopped) return outcome;
    outcome.message =
        evaluated.ok() ? PanelEvaluationReport(task, options, result) : evaluated.message;
    return outcome;
}

PanelRunOutcome TuneFromPanel(QWidget* window, QPushButton* button, const NetTask& task,
                              uint32_t seed) {
    TuningOptions options;
    options.folds = PanelFolds(task);
    options.seed = seed;
    TuningResult result;
    Status tuned;
    PanelRunOutcome outcome;
    outcome.stopped = RunWithStop(
        window, button, UiTexts::TuningCaption(), [&](const auto& stop, const auto& progress) {
            tuned = TuneTask(task, options, result, TuningControl{&stop, progress});
        });
    if (outcome.stopped || (tuned.ok() && result.stopped)) {
        outcome.stopped = true;
        return outcome;
    }
    if (!tuned.ok()) {
        outcome.message = tuned.message;
        return outcome;
    }
    outcome.choice = result.choice;
    outcome.message =
        FormatTuning(task, options, result) + "\n" + ToUtf8(UiTexts::TunedSettingsHint());
    return outcome;
}
