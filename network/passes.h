// The pass loop of a training run, separated so that it can be made fast
// without touching validation and reporting.
#pragma once

#include "model/task.h"
#include "network/training.h"

// Runs N + 2 passes over the examples on the current weights and records one
// error per pass into errorHistory (sized for N + 2 by the caller), updating
// errorCount, errorMax and errorMin. The caller has set errorCount = 0,
// errorMax = -1.0 and errorMin = 1.0.
void RunTrainingPasses(NetTask& task, int iterations, const ProgressCallback& progress);
