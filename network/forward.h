// The network's forward pass and its answer. n = inputCount, m = hiddenCount,
// k = outputCount, read afresh from the record on every call.
#pragma once

#include "model/task.h"

// inputSignals from the chosen variants of example e, targetSignals from its targets.
void LoadExampleSignals(NetTask& task, int e);

// hiddenSignals[0..m-1], then outputSignals[0..k-1], from inputSignals.
void ForwardPass(NetTask& task);

// Index of the largest of values[0..k-1]; ties go to the lowest index.
int WinningOutput(const double* values, int k);

// Whether the network's shape fits its storage (1 <= n <= 12, 1 <= m <= 499,
// 1 <= k <= 500); nothing is evaluated or trained otherwise.
bool NetworkShapeValid(const NetTask& task);

// The output variant the network chooses for one variant index per input, or
// -1 when the shape or an index is outside the task (nothing is evaluated then).
int CheckAnswer(NetTask& task, const int* variantIndex);

// The same for one input signal per input (a variant's value, or a number's
// place on its parameter's scale); -1 when the shape is invalid or a signal
// is not finite.
int AnswerForSignals(NetTask& task, const double* inputSignals);
