// Cells that read as numbers or as numeric ranges, independent of the locale.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

// One finite number and nothing else: blanks around it, an optional sign,
// digits with a decimal point or a single decimal comma, an optional exponent.
std::optional<double> ReadNumberCell(std::string_view text);

// Two numbers joined by "-", "..", an en dash or an em dash, blanks allowed
// around the joint: "10-19", "-5..-1", "0.5 – 1.5". Returned as (low, high)
// in the order written.
std::optional<std::pair<double, double>> ReadRangeCell(std::string_view text);
