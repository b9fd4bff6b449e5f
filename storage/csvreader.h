// Reads a comma-separated table (RFC 4180 quoting) into UTF-8 cells.
// The delimiter is found from the first row: comma, semicolon or tab.
// Text may be UTF-8 (with or without a byte-order mark) or, when it is not
// valid UTF-8, Windows-1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CsvTable {
    std::vector<std::string> header;             // the first row: column names
    std::vector<std::vector<std::string>> rows;  // every later row, as many cells as header
};

// False with a message (UTF-8, naming the line) when the bytes are no table:
// no header, an unclosed quote, text after a closing quote, or a row whose
// cell count differs from the header's. Blank lines are skipped.
bool ReadCsv(std::string_view bytes, CsvTable& table, std::string& error);

// The bytes as UTF-8 text: a leading byte-order mark dropped; bytes that are
// not valid UTF-8 are read as Windows-1251.
std::string DecodeTextBytes(std::string_view bytes);

// Whether the bytes are valid UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);
