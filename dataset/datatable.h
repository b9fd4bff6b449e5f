// A table of data read from a CSV or ARFF file, before it becomes a task.
// Texts are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dataset/csvreader.h"
#include "dataset/texts.h"

struct DataColumn {
    enum class Kind {
        Free,     // any text (a CSV column, an ARFF string)
        Nominal,  // one of the declared values
        Numeric,  // a number
    };
    std::string name;
    Kind kind = Kind::Free;
    std::vector<std::string> declared;  // Nominal: the declared values, in order
    bool words = false;                 // every value read as a word, also numbers and dates
    char decimal = 0;                   // the decimal mark of its numbers; 0: a lone point or comma
};

// A missing value has no text.
using DataCell = std::optional<std::string>;

// What the reader decided and noticed, for the preview and the summary.
struct DataReading {
    char separator = 0;    // CSV: the field separator
    bool sepLine = false;  // CSV: named by a "sep=" line
    TextEncoding encoding = TextEncoding::Utf8;
    char decimal = 0;                  // the decimal mark found; 0: a lone mark
    std::vector<int> replacedLines;    // lines with bytes not valid in the encoding
    std::vector<std::string> renamed;  // columns given a suffix to tell them apart
    std::size_t leftOutRows = 0;  // rows not kept: no column that may be the result has a value
    std::vector<std::size_t> valueCounts;  // per column: rows with a value (all rows read)
};

struct DataTable {
    std::vector<DataColumn> columns;
    std::vector<std::vector<DataCell>> rows;  // as many cells as columns
    DataReading reading;
};

// Every column free text; unquoted cells trimmed of blanks, an empty or "?"
// unquoted cell missing; quoted cells as written.
DataTable TableFromCsv(const CsvTable& csv);

// The text without leading and trailing spaces and tabs.
std::string TrimBlanks(std::string_view text);

// Names a column by its header, or by its place (NumberedColumnName) when the header is empty.
std::string ColumnName(const DataTable& table, std::size_t c);

// A name for each column that no other has: a repeated one gets " (2)",
// " (3)"... (noted in reading.renamed). The same for a bare header row, so
// that a table of questions names its columns as the import did.
void MakeColumnNamesUnique(DataTable& table);
std::vector<std::string> UniqueColumnNames(std::vector<std::string> names,
                                           std::vector<std::string>* renamed = nullptr);

// Takes the rows of a table as they are read, keeping only those that may
// become examples: a row is kept while some column that may still be the
// result has a value in it. A column with more values than a task takes
// examples can be no result; once none is left the table is certain to be refused.
class RowKeeper {
  public:
    explicit RowKeeper(DataTable& table);
    // False (the row not kept) once every column has too many values.
    bool Add(std::vector<DataCell>&& row);

  private:
    DataTable& table_;
    std::size_t open_;  // columns that may still be the result
};

// TooManyRowsMessage (dataset/texts.h) refuses a table whose every column has
// more values than examples fit.
