// Turns a data table into a task: the result column gives the output
// variants, the input columns the parameters, each row an example.
#pragma once

#include <string>
#include <vector>

#include "dataset/columnplan.h"
#include "dataset/datatable.h"
#include "model/status.h"
#include "model/task.h"
#include "model/taskdraft.h"

// One variant per distinct number unless intervals are asked for.
constexpr int DefaultBins = ExactValues;

struct ImportOptions {
    std::string result;               // the result column by name; empty: the last column
    std::vector<std::string> inputs;  // input columns by name, in this order; empty: all others
    int bins = DefaultBins;           // ExactValues, or 2..500 intervals for plain numbers
    int hidden = 0;                   // hidden-layer size; 0: DefaultHiddenCount
    std::vector<std::string> words;   // columns whose values are read as words
};

struct ImportSummary {
    std::string resultName;  // UTF-8
    int examples = 0;
    int skippedRows = 0;  // rows without a result value
    int params = 0;
    int classes = 0;
    int hidden = 0;
    std::vector<std::string> binned;          // "name (K)" for every binned column, UTF-8
    std::vector<std::string> renamedColumns;  // columns given a suffix by the reader, UTF-8
    std::vector<std::string> renamed;         // names given a suffix to tell them apart, UTF-8
};

// The hidden-layer size of an imported task: half the inputs and classes
// together, rounded up, at least 3 and at most MaxHidden.
int DefaultHiddenCount(int inputs, int classes);

// Builds the task; refused with a message (UTF-8) that names the count, the
// limit and the option to choose with when a capacity would be broken.
Status ImportTable(const DataTable& table, const ImportOptions& options, TaskDraft& task,
                   ImportSummary& summary);

// One line saying what the import did (rows, parameters, classes, bins,
// names made unique).
std::string DescribeImport(const ImportSummary& summary);

// Replaces the task by an imported one: definition, hidden size and examples
// as staged; the results of the last training no longer belong to it.
void ApplyImportedTask(const TaskDraft& staged, NetTask& task);

// Splits "A,B,C" into trimmed names (the --inputs list).
std::vector<std::string> SplitNameList(const std::string& list);

// The same for the columns of table: pieces that together spell a column
// whose own name holds commas ("Height, m") name that column, the longest
// such column first.
std::vector<std::string> SplitNameList(const std::string& list, const DataTable& table);
