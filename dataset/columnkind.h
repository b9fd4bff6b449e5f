// What the values of a column are: numbers (or numeric ranges), dates or
// words; the key that orders them; the decimal mark of a table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dataset/datatable.h"

enum class ValueKind { Number, Date, Words };

// NumbersKindName, DatesKindName or WordsKindName (dataset/texts.h).
const char* ValueKindName(ValueKind kind);

// Dates when every text is a date, numbers when every text is a number or a
// range, else (and when the column is told to be words, or has no text) words.
ValueKind KindOfTexts(const DataColumn& column, const std::vector<std::string>& texts);

// The number that orders a text of that kind: the number, a range's middle,
// a date's day; none for words.
std::optional<double> ValueKey(const std::string& text, ValueKind kind, char decimal);

// The decimal mark the table's free-text cells show (see DecimalMarkOf), 0 when none does.
char DecimalMarkShownIn(const DataTable& table);

struct ColumnOverview {
    ValueKind kind = ValueKind::Words;
    std::size_t distinct = 0;  // distinct values, missing ones not counted
};
ColumnOverview OverviewOf(const DataTable& table, std::size_t column);

// False when the column's numbers lie too far apart for a double to hold
// the distance from the lowest to the highest.
bool SpreadFits(const DataColumn& column, const std::vector<DataCell>& cells);
