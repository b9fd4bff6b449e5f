// Subcommands of zarn-cli. Each registers itself on the parser and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>

#include "cli/exitcode.h"

void AddTrainCommand(CLI::App& app, int& exitCode);
// show TASKFILE: prints the task readably (UTF-8).
void AddShowCommand(CLI::App& app, int& exitCode);
// copy IN OUT: loads IN and saves it to OUT.
void AddCopyCommand(CLI::App& app, int& exitCode);
// import DATAFILE OUT: a task file from a CSV or ARFF table.
void AddImportCommand(CLI::App& app, int& exitCode);
// export TASKFILE OUT.csv: the examples as CSV.
void AddExportCommand(CLI::App& app, int& exitCode);
// evaluate TASKFILE: held-out accuracy by cross-validation or hold-out.
void AddEvaluateCommand(CLI::App& app, int& exitCode);
// tune TASKFILE: settings chosen by cross-validation.
void AddTuneCommand(CLI::App& app, int& exitCode);
struct TuningOptions;
// --budget and --max-iterations, shared by tune and evaluate --tune.
void AddTuningOptions(CLI::App& command, TuningOptions& options);
// check TASKFILE: data problems; exit 1 when any is found.
void AddCheckCommand(CLI::App& app, int& exitCode);
// ask TASKFILE [VARIANT ...]: the ranked answer of the network saved in TASKFILE.
void AddAskCommand(CLI::App& app, int& exitCode);
// predict TASKFILE DATAFILE: the answer for every row of a table, as CSV.
void AddPredictCommand(CLI::App& app, int& exitCode);
