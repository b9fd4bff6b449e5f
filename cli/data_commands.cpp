// import, export and check: data sets in and out of task files.
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/outputs.h"
#include "cli/texts.h"
#include "dataset/columnkind.h"
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
    std::string separator;
    std::string decimal;
    std::string encoding;
    std::string words;
};

// The reading options as given; false with a message for a value not understood.
bool ReadOptionsOf(const ImportArgs& args, DataReadOptions& options, std::string& error) {
    const std::string& s = args.separator;
    if (s == "tab" || s == "\\t")
        options.separator = '\t';
    else if (s.size() == 1 && s != "\"" && s != "\n" && s != "\r")
        options.separator = s[0];
    else if (!s.empty())
        error = SeparatorOptionMessage(s);
    if (args.decimal == "." || args.decimal == ",")
        options.decimal = args.decimal[0];
    else if (!args.decimal.empty())
        error = DecimalOptionMessage(args.decimal);
    if (!args.encoding.empty() && !ParseEncodingName(args.encoding, options.encoding))
        error = EncodingOptionMessage(args.encoding);
    return error.empty();
}

// The kind and distinct count of every column, as the summary shows them.
std::string DescribeColumns(const DataTable& table, const std::vector<std::string>& words) {
    std::string text = ColumnsHeading;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        ColumnOverview overview = OverviewOf(table, c);
        const std::string& name = table.columns[c].name;
        if (std::find(words.begin(), words.end(), name) != words.end())
            overview.kind = ValueKind::Words;
        text += std::string(c ? ", «" : " «") + name + "» — " + ValueKindName(overview.kind) +
                " (" + std::to_string(overview.distinct) + ")";
    }
    return text + ".";
}

int RunImport(const ImportArgs& args) {
    DataTable table;
    std::string error;
    DataReadOptions readOptions;
    if (!ReadOptionsOf(args, readOptions, error)) {
        std::cerr << error << "\n";
        return ExitUsage;
    }
    if (!OutputsApart({args.dataFile}, {args.out})) return ExitCannotOpen;
    if (const int code = ReadDataForCommand(args.dataFile, table, readOptions); code != ExitOk)
        return code;
    ImportOptions options;
    options.result = args.result;
    options.inputs = SplitNameList(args.inputs, table);
    options.bins = args.bins;
    options.hidden = args.hidden;
    options.words = SplitNameList(args.words, table);
    TaskDraft staged;
    ImportSummary summary;
    if (const Status imported = ImportTable(table, options, staged, summary); !imported.ok())
        return Report(imported);
    auto task = std::make_unique<NetTask>();
    ApplyImportedTask(staged, *task);
    if (const Status saved = SaveTaskFile(*task, args.out); !saved.ok())
        return ReportWriteFailure(args.out, saved);
    std::cout << DescribeReading(table) << "\n"
              << DescribeColumns(table, options.words) << "\n"
              << DescribeImport(summary) << "\n"
              << FormatCheckReport(CheckTaskData(*task)) << "\n"
              << std::flush;
    return ExitOk;
}

int RunExport(const std::string& taskFile, const std::string& out) {
    if (!OutputsApart({taskFile}, {out})) return ExitCannotOpen;
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, taskFile); code != ExitOk) return code;
    return WriteOutput(out, FormatExamplesCsv(*task)) ? ExitOk : ExitCannotOpen;
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
    command->add_option("--separator", args->separator,
                        "CSV field separator: one character or tab (default: found from the file)");
    command->add_option("--decimal", args->decimal,
                        "Decimal mark of numbers: . or , (default: found from the file)");
    command->add_option("--encoding", args->encoding,
                        "utf-8, windows-1251 or utf-16 (default: found from the file)");
    command->add_option("--words", args->words,
                        "Columns whose values are read as words, comma-separated");
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
