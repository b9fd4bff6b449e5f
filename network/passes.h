// The pass loop of a training run, separated from validation and reporting.
// It runs on vector kernels (chosen for the processor at run time) and, for
// large networks, on two threads; every path gives bit for bit the results of
// the plain loops.
#pragma once

#include <memory>

#include "model/task.h"
#include "network/network.h"

struct PassOptions {
    PassPath path = PassPath::Generic;
    int threads = 1;  // 1 or 2
};

// The path ZARN_KERNEL forces, else the fastest path for this processor (an
// unavailable path falls back to the generic one when run), and one or two
// threads by the size of the task's network.
PassOptions DefaultPassOptions(const NetTask& task);

struct PassWorkspace;

// The memory a training run needs beyond the record, taken before the run
// changes anything: std::bad_alloc from the constructor leaves the record as
// it was. Sized for the task's shape when constructed.
class TrainingMemory {
  public:
    TrainingMemory(const NetTask& task, const PassOptions& options);
    ~TrainingMemory();
    TrainingMemory(const TrainingMemory&) = delete;
    TrainingMemory& operator=(const TrainingMemory&) = delete;

  private:
    friend long long RunTrainingPasses(NetTask&, int, const ProgressCallback&, TrainingMemory&,
                                       const TrainingControl&);
    friend double MeasureAccuracyFast(NetTask&, TrainingMemory&);
    PassOptions options_;
    bool twoThreads_ = false;
    std::unique_ptr<PassWorkspace> passes_;
    std::unique_ptr<PassWorkspace> accuracy_;
};

// Runs N + 2 passes over the examples on the current weights, in memory taken
// beforehand for this task's shape, and records one error per pass into
// errorHistory (which must already hold errorCount + N + 2 values), updating
// errorCount, errorMax and errorMin. The caller has set errorCount = 0,
// errorMax = -1.0 and errorMin = 1.0. progress is called on the calling
// thread after pass q whenever q * 100 is a multiple of N (q = 1 .. N + 1).
// Afterwards the weights, error terms and signals are those the last example
// left. Nothing runs unless the network's shape fits its storage. A stop
// (control) ends the loop after the pass in progress, leaving everything as a
// run of that many passes would. Returns the passes run.
long long RunTrainingPasses(NetTask& task, int iterations, const ProgressCallback& progress,
                            TrainingMemory& memory, const TrainingControl& control = {});

// The same on a chosen path and thread count (an unavailable path falls back
// to the generic one) in memory of its own; errorHistory grows to hold the
// passes if needed. For tests and the benchmark.
long long RunTrainingPassesWith(NetTask& task, int iterations, const ProgressCallback& progress,
                                const PassOptions& options, const TrainingControl& control = {});

// The closing accuracy pass of a training run on the vector kernels: the
// percentage of examples whose winning output matches the winning target,
// leaving the signals of the last example in the record; weights and error
// terms are not touched. 0.0 without evaluating anything when the shape does
// not fit the storage.
double MeasureAccuracyFast(NetTask& task, TrainingMemory& memory);
// The same on a chosen path in memory of its own. For tests.
double MeasureAccuracyWith(NetTask& task, PassPath path);
