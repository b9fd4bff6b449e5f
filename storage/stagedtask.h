// A task file's contents after reading and checking, before they reach the
// record. Sizes follow the counts of the file, which are already checked
// against the capacities when the vectors are filled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"

struct StagedParam {
    std::string name;
    std::vector<double> values;      // one per variant
    std::vector<std::string> names;  // one per variant
    NumericScale scale;              // an imported numeric column's; a task file's comes later
};

struct StagedExample {
    int32_t variants[MaxInputs] = {};  // 0-based variant of each input parameter
    int32_t result = 0;                // 0-based output variant
};

struct StagedTask {
    int32_t inputCount = 0;
    int32_t hiddenCount = 0;
    int32_t outputCount = 0;
    int32_t exampleCount = 0;
    std::vector<StagedParam> params;  // inputCount entries
    std::vector<std::string> outputNames;
    std::vector<StagedExample> examples;
};

// Copies exactly what a task file sets into the record: the four counts, the
// parameters, variants and output names below the counts, and the used part of
// each example row. Everything else, slots beyond the counts included, stays.
void ApplyStagedTask(const StagedTask& staged, NetTask& task);
