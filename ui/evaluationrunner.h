// Held-out evaluation and the settings search of the training panel. Each
// runs on a worker thread while the window goes on painting with a wait
// cursor and takes no input but a stop (Escape, or a click on the button
// that started it, whose caption counts the progress).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "dataset/evaluation.h"
#include "dataset/tuning.h"
#include "model/task.h"

class QPushButton;
class QWidget;

struct PanelRunOutcome {
    bool stopped = false;
    std::string message;                  // what to tell the user (UTF-8); empty when stopped
    std::optional<TuningSetting> choice;  // the search's choice
};

// The caption a button shows while its run has done `percent`.
QString RunCaption(const QString& what, int percent);

// 10-fold cross-validation of the task with the panel's settings.
PanelRunOutcome EvaluateFromPanel(QWidget* window, QPushButton* button, const NetTask& task,
                                  const std::string& coefText, const std::string& iterText,
                                  uint32_t seed);

// The search of zarn-cli tune with its defaults, around the task's hidden size.
PanelRunOutcome TuneFromPanel(QWidget* window, QPushButton* button, const NetTask& task,
                              uint32_t seed);

// The evaluation report for the panel: figures, the table of answers and
// one plain sentence that says what they mean.
std::string PanelEvaluationReport(const NetTask& task, const EvaluationOptions& options,
                                  const EvaluationResult& result);
