// import, export and check: data sets in and out of task files.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "dataset/csvexport.h"
#include "dataset/datacheck.h"
#include "dataset/datafile.h"
#include "dataset/importer.h"
#include "storage/atomicfile.h"
#include "storage/taskfile.h"

namespace {

struct ImportArgs {
    std::string dataFile;
    std::string out;
    std::string result;
    std::string inputs;
    int bins = DefaultBins;
    int hidden = 0;
};

int RunImport(const ImportArgs& args) {
    DataTable table;
    std::string error;
    switch (ReadDataFile(args.dataFile, table, error)) {
        case DataReadStatus::Read:
            break;
        case DataReadStatus::CannotOpen:
            std::cerr << "Файл не открылся: " << args.dataFile << "\n";
            return ExitCannotOpen;
        case DataReadStatus::NotData:
            std::cerr << args.dataFile
                      << ": не похоже ни на CSV, ни на ARFF (назовите файл *.csv или *.arff).\n";
            return ExitRefused;
        case DataReadStatus::Refused:
            std::cerr << args.dataFile << ": " << error << "\n";
            return ExitRefused;
    }
    ImportOptions options;
    options.result = args.result;
    options.inputs = SplitNameList(args.inputs);
    options.bins = args.bins;
    options.hidden = args.hidden;
    StagedTask staged;
    ImportSummary summary;
    if (!ImportTable(table, options, staged, summary, error)) {
        std::cerr << error << "\n";
        return ExitRefused;
    }
    auto task = std::make_unique<NetTask>();
    ApplyImportedTask(staged, *task);
    WriteOutcome outcome;
    if (SaveToFile(*task, args.out, outcome) != 1) {
        std::cerr << "Не удалось записать " << args.out << ": " << DescribeWriteProblem(outcome)
                  << "\n";
        return ExitCannotOpen;
    }
    std::cout << DescribeImport(summary) << "\n"
              << FormatCheckReport(CheckTaskData(*task)) << "\n"
              << std::flush;
    return ExitOk;
}

int RunExport(const std::string& taskFile, const std::string& out) {
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, taskFile); code != ExitOk) return code;
    WriteOutcome outcome;
    if (!ReplaceFileContents(out, FormatExamplesCsv(*task), outcome)) {
        std::cerr << "Не удалось записать " << out << ": " << DescribeWriteProblem(outcome) << "\n";
        return ExitCannotOpen;
    }
    return ExitOk;
}

int RunCheck(const std::string& taskFile) {
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, taskFile); code != ExitOk) return code;
    const std::vector<std::string> findings = CheckTaskData(*task);
    std::cout << FormatCheckReport(findings) << "\n" << std::flush;
    return findings.empty() ? ExitOk : ExitRefused;
}

}  // namespace

void AddImportCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* command = app.add_subcommand("import", "Make a task file from a CSV or ARFF table");
    command->add_option("DATAFILE", args->dataFile, "CSV or ARFF file")->required();
    command->add_option("OUT", args->out, "Task file to write")->required();
    command->add_option("--result", args->result, "Result column (default: the last one)");
    command->add_option("--inputs", args->inputs,
                        "Input columns, comma-separated (default: all others)");
    command
        ->add_option("--bins", args->bins,
                     "Intervals for numeric columns with more distinct values (2..500; "
                     "0: one variant per distinct number)")
        ->capture_default_str();
    command->add_option("--hidden", args->hidden,
                        "Hidden layer size (default: half the inputs and classes, at least 3)");
    command->callback([args, &exitCode] { exitCode = RunImport(*args); });
}

void AddExportCommand(CLI::App& app, int& exitCode) {
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App* command = app.add_subcommand("export", "Write a task's examples as CSV (UTF-8)");
    command->add_option("TASKFILE", files->first, "Task file")->required();
    command->add_option("OUT", files->second, "CSV file to write")->required();
    command->callback([files, &exitCode] { exitCode = RunExport(files->first, files->second); });
}

void AddCheckCommand(CLI::App& app, int& exitCode) {
    auto taskFile = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("check",
                           "List contradicting and repeated examples, unused classes and variants, "
                           "values outside -3..3 (exit 1 when any)");
    command->add_option("TASKFILE", *taskFile, "Task file")->required();
    command->callback([taskFile, &exitCode] { exitCode = RunCheck(*taskFile); });
}
