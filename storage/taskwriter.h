// The bytes of a task file for a task, exactly as the reader reads them back,
// with the network section after the examples when the task has a usable network.
#pragma once

#include <optional>
#include <string>

#include "model/task.h"

// Empty when the task cannot be written so that it reads back the same: a count
// outside the capacities, a name holding LF or CR or longer than MaxNameBytes,
// or an example whose variant index names no variant or that has not exactly
// one result.
std::optional<std::string> FormatTaskFile(const NetTask& task);
