// predict TASKFILE DATA: the network's answer for every row of a table.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/outputs.h"
#include "cli/texts.h"
#include "dataset/datafile.h"
#include "dataset/predict.h"
#include "model/trainednetwork.h"

namespace {

struct PredictArgs {
    std::string taskFile;
    std::string dataFile;
    std::string out;
    std::string result;
    bool all = false;
};

int RunPredict(const PredictArgs& args) {
    if (!OutputsApart({args.taskFile, args.dataFile}, {args.out}) || !OutputsWritable({args.out}))
        return ExitCannotOpen;
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, args.taskFile); code != ExitOk) return code;
    if (!HasUsableNetwork(*task)) {
        std::cerr << NoSavedNetworkMessage << "\n";
        return ExitRefused;
    }
    DataTable table;
    if (const int code = ReadDataForCommand(args.dataFile, table); code != ExitOk) return code;
    PredictOptions options;
    options.allOutputs = args.all;
    options.result = args.result;
    std::string csv;
    PredictSummary summary;
    if (const Status answered = PredictTable(*task, table, options, csv, summary); !answered.ok())
        return Report(answered);
    if (args.out.empty()) {
        // The table goes to stdout, so the counts go to stderr.
        std::cout << csv << std::flush;
        std::cerr << DescribePrediction(summary) << "\n";
        return ExitOk;
    }
    if (!WriteOutput(args.out, csv)) return ExitCannotOpen;
    std::cout << DescribePrediction(summary) << "\n" << std::flush;
    return ExitOk;
}

}  // namespace

void AddPredictCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<PredictArgs>();
    CLI::App* command = app.add_subcommand(
        "predict", "Answer every row of a CSV or ARFF table with the network saved in a task file");
    command->add_option("TASKFILE", args->taskFile, "Task file with a trained network")->required();
    command
        ->add_option("DATAFILE", args->dataFile,
                     "CSV or ARFF table; columns named like the parameters, in any order")
        ->required();
    command->add_option("--out", args->out, "Write the answers here (CSV) instead of stdout");
    command->add_flag("--all", args->all, "Add one column per output with its signal");
    command->add_option("--result", args->result,
                        "Column with the right answers, for the accuracy (default: the last other "
                        "column whose values all name outputs)");
    command->callback([args, &exitCode] { exitCode = RunPredict(*args); });
}
