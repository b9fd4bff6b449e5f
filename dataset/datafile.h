// Data files (CSV or ARFF) read from disk into a table.
#pragma once

#include <string>
#include <string_view>

#include "dataset/datatable.h"
#include "model/status.h"

enum class DataFormat { None, Csv, Arff };

// Data files larger than this hold far more rows than a task can take.
constexpr std::size_t MaxDataFileBytes = 64 * 1024 * 1024;

// How to read a file; what is left 0 (Auto) is found from the file.
struct DataReadOptions {
    char separator = 0;  // CSV: the field separator
    char decimal = 0;    // '.' or ','
    TextEncoding encoding = TextEncoding::Auto;
};

// By the name's ending (.csv, .arff in any letter case), else by the content:
// ARFF when the first line that is not a comment starts with @relation, CSV
// when the first line has a delimiter and the text starts as a table of at
// least two columns and one row. None for anything else (a task file).
DataFormat DataFormatOf(const std::string& path, std::string_view bytes);
DataFormat DataFormatByName(const std::string& path);

// Reads bytes of a known format into the table; refused with a message.
// Reading stops as soon as the table is certain to be refused (TooManyRowsMessage).
Status ReadDataBytes(DataFormat format, std::string_view bytes, DataTable& table,
                     const DataReadOptions& options = {});

// Reads the file if it is a data file: refused with a message when its
// contents are, CannotOpen (as ReadWholeFile says it) when it cannot be
// read. NotData, with nothing read, for any other file, also one that cannot
// be read unless its name says it is data.
Status ReadDataFile(const std::string& path, DataTable& table, const DataReadOptions& options = {});

// The reading's decisions in one line: separator, encoding, decimal mark,
// and the lines whose bytes were not valid in that encoding.
std::string DescribeReading(const DataTable& table);

// "«;»", TabMarkName and the like (dataset/texts.h) for a separator or decimal mark.
std::string MarkName(char mark);
