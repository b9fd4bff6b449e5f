// The files a command writes: checked before its work starts, written carefully after.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/status.h"

// Whether every non-empty path could be written now; each one that could not
// is named on stderr (CannotWriteMessage). Called before long work,
// so a result that cannot be kept is refused at once.
bool OutputsWritable(std::initializer_list<std::string_view> paths);

// Whether no non-empty output names the same file as an input or as an
// earlier output (links followed); each clash is named on stderr
// (SameFileMessage), so that a slip of the
// keyboard never writes one file over another the command still reads or writes.
bool OutputsApart(std::initializer_list<std::string_view> inputs,
                  std::initializer_list<std::string_view> outputs);

// Writes one output carefully; false, with the failure named on stderr
// (ReportWriteFailure), when it is not written.
bool WriteOutput(const std::string& path, std::string_view bytes);

// Says on stderr that the file at path was not written and why
// (WriteFailedMessage), and answers the exit code for it. Every command says
// a failed write this way.
int ReportWriteFailure(const std::string& path, const Status& status);
