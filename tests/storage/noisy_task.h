// Records whose every slot holds something recognisable, so that a test can
// see exactly which fields a load touched.
#pragma once

#include <memory>
#include <string>

#include "model/task.h"

// A record with 3 inputs of 5 variants, 4 outputs, 7 examples, and distinct
// contents in every slot beyond the counts and in the network and training fields.
std::unique_ptr<NetTask> MakeNoisyTask();

// Bytes of a file in examples/.
std::string SampleBytes(const std::string& name);

// Whether every count and index of the task lies inside the capacities.
bool InsideCapacities(const NetTask& task);
