// Cells that read as numbers, numeric ranges or dates, independent of the locale.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

// One finite number and nothing else: blanks around it, an optional sign,
// digits with a decimal mark, an optional exponent. Thousands may be grouped
// by a space, a no-break space, an apostrophe or the mark that is not the
// decimal one ("1 234,5", "1'234.5", "1,234.5"). decimal is '.' or ','; 0
// takes a lone point or comma as the decimal mark ("1,5") and, when both
// appear, the last one ("1.234,5").
std::optional<double> ReadNumberCell(std::string_view text, char decimal = 0);

// Two numbers joined by "-", "..", an en dash or an em dash, blanks allowed
// around the joint: "10-19", "-5..-1", "0.5 – 1.5". Returned as (low, high)
// in the order written.
std::optional<std::pair<double, double>> ReadRangeCell(std::string_view text, char decimal = 0);

// The middle of a range, also where the sum of its ends would overflow.
double RangeMiddle(const std::pair<double, double>& range);

// A date as a day number: "2024-01" (its first day), "2024-01-15", "15.01.2024".
std::optional<double> ReadDateCell(std::string_view text);

// The decimal mark one cell shows: ',' or '.' when it can only be that
// ("1,5", "1.234,5"; "3.14", "1,234.5"), else 0 ("1,234", "12", a word).
char DecimalMarkOf(std::string_view text);
