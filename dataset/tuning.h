// Settings found by cross-validation: for each fold and each pair of
// hidden-layer size and learning coefficient, one training run whose
// held-out accuracy is measured at a series of iteration counts.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/status.h"
#include "model/task.h"

// Iteration counts at which each run is measured (the count typed into the
// iteration edit; a run of N iterations makes N + 2 passes).
extern const int TuningCheckpoints[];
extern const int TuningCheckpointCount;

// Settings whose mean held-out accuracy is within this many points of the
// best count as equally good; among them the smaller hidden layer, then the
// fewer iterations win.
constexpr double TuningTolerance = 0.5;

struct TuningOptions {
    int folds = 10;
    uint32_t seed = 0;
    double budgetSeconds = 60.0;     // 0 or below: no limit
    int maxIterations = 10000;       // the largest checkpoint tried
    int threads = 0;                 // 0: one per core
    std::vector<int> hidden;         // empty: a few sizes around the task's
    std::vector<std::string> coefs;  // empty: 0.05, 0.1, 0.2, 0.4
};

// The grid the search covers.
struct TuningGrid {
    std::vector<int> hidden;
    std::vector<std::string> coefs;  // texts as typed into the coefficient edit
    std::vector<int> checkpoints;    // iteration counts, ascending
};

struct TuningSetting {
    int hidden = 0;
    std::string coef;
    int iterations = 0;
    std::vector<double> heldOutPercent;  // one per fold
    double mean = 0.0;
    double sd = 0.0;
};

struct TuningResult {
    TuningGrid grid;                      // what was tried
    std::vector<std::string> leftOut;     // what the budget left out (UTF-8)
    std::vector<TuningSetting> settings;  // every setting tried, best first
    TuningSetting choice;
    double majorityPercent = 0.0;
    double estimatedSeconds = 0.0;  // of the grid tried, from the first short run
    bool stopped = false;           // ended early: no choice
};

struct TuningControl {
    const std::atomic<bool>* stop = nullptr;  // once set, the search ends soon
    // Whole percentages of the search done; called from any worker thread,
    // one call at a time.
    std::function<void(int percent)> progress;
};

// The grid before the budget: hidden sizes about half, equal to and twice
// the task's (clamped), the default coefficients, and the checkpoints up to
// maxIterations.
TuningGrid FullTuningGrid(const NetTask& task, const TuningOptions& options);

// Trims the grid until its estimated time fits the budget, in this order:
// coefficient 0.05, the largest hidden size, coefficient 0.4, the smallest
// hidden size, then the largest checkpoint, one at a time down to 500. Each
// thing left out is named in leftOut. secondsPerUnit is the measured time of
// one unit of RunCost.
TuningGrid TrimTuningGrid(const NetTask& task, TuningGrid grid, int folds, int threads,
                          double secondsPerUnit, double budgetSeconds,
                          std::vector<std::string>& leftOut, double& estimatedSeconds);

// The cost of one run in units: passes times examples times the network's
// weights and neurons.
double RunCost(int examples, int inputs, int hidden, int outputs, int iterations);

// One run on the fold's training task (PrepareFold): fresh weights from
// seed, the coefficient, and the held-out accuracy (in percent, on the
// source task's examples heldOut) after each checkpoint's iteration count,
// exactly as a whole training run of that many iterations would leave it.
// Stops early (returning fewer values) when control's stop is set.
std::vector<double> CheckpointAccuracies(NetTask& fold, const NetTask& source,
                                         const std::vector<int>& heldOut, const std::string& coef,
                                         uint32_t seed, const std::vector<int>& checkpoints,
                                         const std::atomic<bool>* stop = nullptr,
                                         const std::function<void(long long passes)>& passed = {});

// The whole search. Refused with a message (UTF-8) when the task or the
// options do not allow it; Ok with result.stopped when stopped.
Status TuneTask(const NetTask& task, const TuningOptions& options, TuningResult& result,
                const TuningControl& control = {});

// The choice among the settings tried (see TuningTolerance).
TuningSetting ChooseSetting(const std::vector<TuningSetting>& settings);

// The printed report: the choice, the best few settings, what was left out.
std::string FormatTuning(const NetTask& task, const TuningOptions& options,
                         const TuningResult& result, int shown = 5);
