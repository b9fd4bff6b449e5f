// The start of a training run, shared with the pass loop's tests and the
// benchmark. Internal to network/.
#pragma once

#include "model/task.h"
#include "network/network.h"
#include "network/rng.h"

// Used parts of both weight tables (bias rows included) from r / 32767.0 - 0.5.
void InitWeights(NetTask& task, ClassicRng& rng);
