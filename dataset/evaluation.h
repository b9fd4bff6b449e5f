// Held-out evaluation: stratified K-fold cross-validation or a stratified
// hold-out, each fold trained as the train button trains, the held-out
// examples answered by the network's winning output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"
#include "network/trainingsettings.h"

struct EvaluationOptions {
    int folds = 10;
    double holdout = 0.0;  // above 0: one hold-out of this share instead of folds
    int repeat = 1;        // further splits, each with other fold assignments
    uint32_t seed = 0;     // every split and every fold's training seed derive from it
    std::string iterations = DefaultIterationsText;
    std::string coef = DefaultCoefText;
    int hidden = 0;   // 0: the task's own hidden-layer size
    int threads = 0;  // folds trained side by side; 0: one per core
};

struct EvaluationResult {
    std::vector<double> heldOutPercent;  // one per fold (or hold-out) and repeat, in order
    std::vector<double> trainPercent;    // training accuracy of the same runs
    double majorityPercent = 0.0;        // answering the most frequent class every time
    int majorityClass = 0;
    std::vector<std::vector<int>> confusion;  // [true class][answer], over every run
    int hidden = 0;
};

// False with a message (UTF-8) when the options or the task do not allow it,
// or when training refuses the settings.
bool EvaluateTask(const NetTask& task, const EvaluationOptions& options, EvaluationResult& result,
                  std::string& error);

// Which examples each run holds out: runs[r] lists example indexes. Stratified:
// each class is shuffled and dealt over the folds (or cut at the hold-out share).
std::vector<std::vector<int>> HeldOutSets(const NetTask& task, const EvaluationOptions& options);

double Mean(const std::vector<double>& values);
double StandardDeviation(const std::vector<double>& values);  // sample (n - 1)

// The printed report: accuracies, baseline and the confusion table (UTF-8).
std::string FormatEvaluation(const NetTask& task, const EvaluationOptions& options,
                             const EvaluationResult& result);
