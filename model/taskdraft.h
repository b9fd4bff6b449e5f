// A task's contents before they reach the record: what the task file reader
// read and checked, or what an import built from a data table. Sizes follow
// the counts, which are already checked against the capacities when the
// vectors are filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"

// Longest name a task may hold: the longest text the name edits accept.
constexpr std::size_t MaxNameBytes = 32767;

struct DraftParam {
    std::string name;
    std::vector<double> values;      // one per variant
    std::vector<std::string> names;  // one per variant
    NumericScale scale;              // an imported numeric column's; a task file's comes later
};

struct DraftExample {
    int32_t variants[MaxInputs] = {};  // 0-based variant of each input parameter
    int32_t result = 0;                // 0-based output variant
};

struct TaskDraft {
    int32_t inputCount = 0;
    int32_t hiddenCount = 0;
    int32_t outputCount = 0;
    int32_t exampleCount = 0;
    std::vector<DraftParam> params;  // inputCount entries
    std::vector<std::string> outputNames;
    std::vector<DraftExample> examples;
};

// Copies exactly what a draft sets into the record: the four counts, the
// parameters, variants and output names below the counts, and the used part of
// each example row. Everything else, slots beyond the counts included, stays.
void ApplyTaskDraft(const TaskDraft& staged, NetTask& task);
