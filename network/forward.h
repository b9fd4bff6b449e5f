// The network's forward pass. n = inputCount, m = hiddenCount,
// k = outputCount, read afresh from the record on every call. Internal to
// network/; the answer itself (CheckAnswer) is in network/network.h.
#pragma once

#include "model/task.h"
#include "network/network.h"

// hiddenSignals[0..m-1], then outputSignals[0..k-1], from inputSignals.
void ForwardPass(NetTask& task);

// Index of the largest of values[0..k-1]; ties go to the lowest index.
int WinningOutput(const double* values, int k);
