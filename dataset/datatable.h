// A table of data read from a CSV or ARFF file, before it becomes a task.
// Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "storage/csvreader.h"

struct DataColumn {
    enum class Kind {
        Free,     // any text (a CSV column, an ARFF string)
        Nominal,  // one of the declared values
        Numeric,  // a number
    };
    std::string name;
    Kind kind = Kind::Free;
    std::vector<std::string> declared;  // Nominal: the declared values, in order
};

// A missing value has no text.
using DataCell = std::optional<std::string>;

struct DataTable {
    std::vector<DataColumn> columns;
    std::vector<std::vector<DataCell>> rows;  // as many cells as columns
};

// Every column free text; cells trimmed of blanks; an empty cell or "?" is missing.
DataTable TableFromCsv(const CsvTable& csv);

// The text without leading and trailing spaces and tabs.
std::string TrimBlanks(std::string_view text);
