// How the values of one column become variants: their names, their order,
// their values within 0..1, and the variant of every row.
#pragma once

#include <string>
#include <vector>

#include "dataset/datatable.h"
#include "model/task.h"

// The name of the variant that stands for a missing value.
extern const char* const MissingVariantName;

struct ColumnPlan {
    std::vector<std::string> names;  // variant names (UTF-8), in order
    std::vector<double> values;      // input columns: within 0..1, distinct at six decimals
    std::vector<int> rowVariant;     // the variant of each row; -1: a missing result
    bool binned = false;             // numbers cut into equal-frequency intervals
    NumericScale scale;              // plain numbers: what the variants measure
};

// The bins argument that keeps one variant per distinct number.
constexpr int ExactValues = 0;

// An input column. Declared nominal values keep their order, other texts the
// order they are first met, valued evenly over 0..1. When every value reads
// as a number or a range ("10-19"), they are ordered by number (a range by
// its midpoint) and valued in proportion to it (plain numbers then keep an
// Exact scale). Plain numbers with more distinct values than bins (not
// ExactValues, and not a declared nominal list) are cut into at most bins
// equal-frequency intervals valued by their order; the cut points leave no
// gaps ("< 40", "40 – 62", ">= 62", each the shortest number that parts the
// same rows, written in the column's decimal style) and form an Intervals
// scale. A missing value becomes the variant "?" valued at the mean of the others.
ColumnPlan PlanInputColumn(const DataColumn& column, const std::vector<DataCell>& cells, int bins);

// The result column: its classes in the same order as above, without bins;
// no class stands for a missing value (those rows get -1).
ColumnPlan PlanResultColumn(const DataColumn& column, const std::vector<DataCell>& cells);
