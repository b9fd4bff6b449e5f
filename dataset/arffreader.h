// Reads a Weka ARFF file: @relation, @attribute (numeric, integer, real,
// string, date, nominal {...}), @data with one dense row per line, "%"
// comments, "?" for a missing value, names and values quoted with ' or ".
// Sparse rows, instance weights and relational attributes are refused.
#pragma once

#include <string>
#include <string_view>

#include "dataset/datatable.h"
#include "model/status.h"

// Refused with a message (UTF-8, naming the line) when the file breaks the
// format. Stops with TooManyRowsMessage once the table is certain to be refused.
Status ReadArff(std::string_view bytes, DataTable& table,
                TextEncoding encoding = TextEncoding::Auto);
