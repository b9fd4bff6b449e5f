// The examples of a task as a CSV table (UTF-8, comma, LF line ends):
// the parameter names and ResultHeading as the header, variant names as cells.
#pragma once

#include <string>

#include "model/task.h"

// The result column's heading, as in the example table.

std::string FormatExamplesCsv(const NetTask& task);

// A cell quoted as RFC 4180 asks when it holds a comma, a semicolon, a tab,
// a quote or a line break, and also when blanks open or close it (readers
// trim those) or it is empty (read unquoted, that is missing). A class
// named "?" is written quoted as well.
std::string CsvCell(const std::string& text);
