// Loading a task file for a command: reports a failure on stderr and says
// which exit code it calls for.
#pragma once

#include <string>

#include "model/task.h"

// ExitOk when loaded (a damaged network section is reported, the task still
// loads); otherwise the message is printed and the code returned.
int LoadTaskForCommand(NetTask& task, const std::string& path);

// Says on stderr that the file at path could not be opened or read, and
// answers ExitCannotOpen.
int ReportCannotOpen(const std::string& path);
