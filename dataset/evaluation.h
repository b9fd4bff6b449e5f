// Held-out evaluation: stratified K-fold cross-validation or a stratified
// hold-out, each fold trained as the train button trains, the held-out
// examples answered by the network's winning output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/tuning.h"
#include "model/status.h"
#include "model/task.h"
#include "network/network.h"

struct EvaluationOptions {
    int folds = 10;
    double holdout = 0.0;  // above 0: one hold-out of this share instead of folds
    int repeat = 1;        // further splits, each with other fold assignments
    uint32_t seed = 0;     // every split and every fold's training seed derive from it
    std::string iterations = DefaultIterationsText;
    std::string coef = DefaultCoefText;
    int hidden = 0;   // 0: the task's own hidden-layer size
    int threads = 0;  // folds trained side by side; 0: one per core
    // Instead of the settings above, settings found by TuneTask on each
    // fold's training examples alone (nested cross-validation).
    bool tune = false;
    TuningOptions tuning;
};

struct EvaluationResult {
    std::vector<double> heldOutPercent;  // one per fold (or hold-out) and repeat, in order
    std::vector<double> trainPercent;    // training accuracy of the same runs
    double majorityPercent = 0.0;        // answering the most frequent class every time
    int majorityClass = 0;
    std::vector<std::vector<int>> confusion;  // [true class][answer], over every run
    int hidden = 0;
    bool stopped = false;               // ended early by control's stop: no figures
    std::vector<TuningSetting> chosen;  // with tune: each run's choice, in run order
};

// Refused with a message (UTF-8) when the options or the task do not allow
// it, or when training refuses the settings; Ok with result.stopped when
// stopped. control (optional) stops the runs and receives whole percentages
// of the work done.
Status EvaluateTask(const NetTask& task, const EvaluationOptions& options, EvaluationResult& result,
                    const TuningControl& control = {});

// Which examples each run holds out: runs[r] lists example indexes. Stratified:
// each class is shuffled and dealt over the folds (or cut at the hold-out share).
std::vector<std::vector<int>> HeldOutSets(const NetTask& task, const EvaluationOptions& options);

// A fold's task: the definition of the whole task with only the training
// examples listed, and the given hidden-layer size.
void PrepareFold(const NetTask& source, const std::vector<int>& training, int hidden,
                 NetTask& fold);
// The examples of the task that are not in heldOut (which is sorted).
std::vector<int> TrainingSet(const NetTask& task, const std::vector<int>& heldOut);
// A seed for one purpose and one run, derived from the user's seed.
uint64_t DerivedSeed(uint32_t seed, uint64_t purpose, uint64_t a, uint64_t b = 0);

double Mean(const std::vector<double>& values);
double StandardDeviation(const std::vector<double>& values);  // sample (n - 1)

// The printed report: accuracies, baseline and the confusion table (UTF-8).
std::string FormatEvaluation(const NetTask& task, const EvaluationOptions& options,
                             const EvaluationResult& result);

// One plain sentence on what the figures mean: worse than always giving the
// most frequent class, learning the training examples by heart (training
// accuracy more than 10 points above the held-out one), or better than the
// most frequent class.
std::string EvaluationVerdict(const NetTask& task, const EvaluationResult& result);
