// Checks of a task's data that training does not make: contradicting and
// repeated examples, classes without examples, unused variants and variant
// values that saturate the sigmoid.
#pragma once

#include <string>
#include <vector>

#include "model/task.h"

// Values beyond this distance from 0 drive a sigmoid input into saturation.
constexpr double SaturationLimit = 3.0;

// One line (UTF-8) per kind of finding, each naming the examples involved
// (numbered from 1, as the example table shows them). Empty: nothing found.
std::vector<std::string> CheckTaskData(const NetTask& task);

// The findings as one text, or a line saying there are none.
std::string FormatCheckReport(const std::vector<std::string>& findings);
