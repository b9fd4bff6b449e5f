// Answers of a trained network for every row of a data table (new cases in
// the CSV/ARFF forms the import reads), written as a CSV table.
#pragma once

#include <optional>
#include <string>

#include "dataset/datatable.h"
#include "dataset/texts.h"
#include "model/numericscale.h"
#include "model/status.h"
#include "model/task.h"

// The headings of the columns added to every row are AnswerHeading,
// SignalHeading and ReasonHeading (dataset/texts.h).

struct PredictOptions {
    bool allOutputs = false;  // one more column per output variant with its signal
    std::string result;       // the result column by name (UTF-8); empty: found by its values
};

struct PredictSummary {
    int rows = 0;
    int answered = 0;
    std::string resultColumn;  // UTF-8; empty when the table has none
    int withResult = 0;        // rows with a value in the result column
    int correct = 0;           // of those, answered with that value
};

// What a value (UTF-8) asks of a parameter: a variant by its name, or a
// number read as the import reads numbers (grouped thousands; decimal: '.',
// ',' or 0 for a lone mark) on the parameter's scale (ResolveParamInput).
// Empty when neither.
std::optional<ParamInput> ResolveValue(const InputParam& param, const std::string& utf8,
                                       char decimal = 0);

// Matches the task's input parameters to columns by header name (any order,
// other columns ignored) and answers each row by its values (names, or numbers
// on a parameter's scale). A row with a value the task cannot take keeps an
// empty answer and says why in the reason column. csv (UTF-8, comma, LF)
// holds every row of the table with the answer columns after its own. false
// with a message (UTF-8) when a parameter has no column, the named result
// column does not exist, or the reader left rows out (more than a task holds).
Status PredictTable(NetTask& task, const DataTable& table, const PredictOptions& options,
                    std::string& csv, PredictSummary& summary);

// The rows answered of all, and when the table has a result column, how
// many of those with a value the network answered correctly, in one line.
std::string DescribePrediction(const PredictSummary& summary);
