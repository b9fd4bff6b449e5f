// Training by online back-propagation: validation, random weights, N + 2
// passes with an error record and progress captions, and the accuracy pass.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/task.h"
#include "network/rng.h"

// Receives each progress caption of the train button as it changes (UTF-8).
using ProgressCallback = std::function<void(const std::string& caption)>;

// How another thread follows a run and ends it early. Both are optional.
struct TrainingControl {
    // Once set, the run ends after the pass in progress.
    const std::atomic<bool>* stop = nullptr;
    // Passes completed so far, updated after every pass.
    std::atomic<long long>* passesDone = nullptr;
};

struct TrainingOutcome {
    bool trained = false;         // false: refused, and nothing in the task changed
    std::string message;          // the refusal or the closing message (UTF-8)
    std::string coefText;         // what the two edits read afterwards
    std::string iterText;         //   (unchanged texts when refused)
    long long passes = 0;         // passes run (N + 2 for a whole run)
    long long plannedPasses = 0;  // N + 2
    bool stopped = false;         // ended early: fewer passes than planned
};

extern const char* const IterationsMessage;
extern const char* const CoefficientMessage;
extern const char* const NoExamplesMessage;
// The memory for the run could not be had; nothing changed.
extern const char* const OutOfMemoryMessage;
extern const char* const TrainButtonCaption;  // "Обучить!"

// The caption shown after a whole percentage of the run.
std::string ProgressCaption(long long percent);
// The line added to the closing message of a run that was stopped.
std::string StoppedLine(long long passes, long long plannedPasses);

// The whole run, with the edit texts as typed. seed stands for the time seed
// (pass TimeSeed() for the program's behaviour). A run stopped after K passes
// leaves the task as a whole run of K - 2 iterations would (error history
// included) and measures the accuracy as usual.
TrainingOutcome TrainNetwork(NetTask& task, std::string_view coefText, std::string_view iterText,
                             uint32_t seed, const ProgressCallback& progress,
                             const TrainingControl& control = {});

// Used parts of both weight tables (bias rows included) from r / 32767.0 - 0.5.
void InitWeights(NetTask& task, ClassicRng& rng);

// Error terms and weight update for the example just run through ForwardPass.
void BackPropagate(NetTask& task);

// Percentage of examples whose winning output matches the winning target.
double MeasureAccuracy(NetTask& task);
