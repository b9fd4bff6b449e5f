// The training passes written plainly, loop for loop, as the yardstick the
// optimised pass loop must match bit for bit. Test code only.
#pragma once

#include "model/task.h"
#include "network/network.h"

// inputSignals from the chosen variants of example e, targetSignals from its targets.
void ReferenceLoadExample(NetTask& task, int e);

// N + 2 passes with the error record and the progress captions, on the
// task's current weights (errorHistory must already hold N + 2 values).
void ReferenceTrainingPasses(NetTask& task, int iterations, const ProgressCallback& progress);

// Error terms and weight update for the example whose signals are in the
// record (after a forward pass).
void ReferenceBackPropagate(NetTask& task);

// Percentage of examples whose largest output matches the largest target.
double ReferenceAccuracy(NetTask& task);
