// Builds task records for tests without going through the definition rules.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/task.h"

struct ParamSpec {
    std::string name;
    std::vector<std::pair<double, std::string>> variants;
};

// prefix followed by the number ("o" and 7: "o7"). Built by appending: GCC 12
// misreads "o" + std::to_string(7) as an overlapping copy in optimised builds.
std::string Numbered(const char* prefix, int number);

// A fresh record on the heap (it is too large for the stack).
std::unique_ptr<NetTask> MakeTask();

// Appends a parameter with its variants.
void AddParam(NetTask& task, const ParamSpec& definition);
void SetOutputs(NetTask& task, const std::vector<std::string>& names);
// Stores an example directly (one variant index per input, result index).
void PutExample(NetTask& task, const std::vector<int>& variants, int result);

// Every field that can differ between two records, compared in full
// (including slots beyond the counts). Returns a description of the first
// difference, or empty when they are the same.
std::string DescribeDifference(const NetTask& a, const NetTask& b);
// Copies every field of from into to (for before/after comparisons).
void CopyTask(const NetTask& from, NetTask& to);
