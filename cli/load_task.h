// Loading a task file for a command: reports a failure on stderr and says
// which exit code it calls for.
#pragma once

#include <string>

#include "dataset/datafile.h"
#include "model/task.h"

// ExitOk when loaded (a damaged network section is reported, the task still
// loads); otherwise the message is printed and the code returned.
int LoadTaskForCommand(NetTask& task, const std::string& path);

// Says on stderr that the file at path could not be opened or read, and
// answers ExitCannotOpen.
int ReportCannotOpen(const std::string& path);

// Reads a CSV or ARFF file for a command: ExitOk when read; otherwise says on
// stderr why not (a file that is neither, a refusal with its reason, a file
// that cannot be opened) and answers the exit code that calls for.
int ReadDataForCommand(const std::string& path, DataTable& table,
                       const DataReadOptions& options = {});
