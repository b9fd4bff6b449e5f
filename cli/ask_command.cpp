#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/question.h"
#include "cli/texts.h"
#include "dataset/csvreader.h"
#include "dataset/datatable.h"
#include "model/cp1251.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/network.h"
#include "storage/readablefile.h"

namespace {

struct AskOptions {
    std::string taskFile;
    std::vector<std::string> words;
    bool all = false;
    bool explain = false;
    std::string csv;
};

// A question table larger than this is no table of questions.
constexpr std::size_t MaxTableBytes = 64u << 20;

// One question per table row (header = parameter names, other columns
// ignored); prints each answer with its signal.
int AskFromTable(NetTask& task, const std::string& path) {
    std::string bytes;
    if (const Status read = ReadWholeFile(path, MaxTableBytes, bytes); !read.ok()) {
        if (read.kind == StatusKind::CannotOpen) return ReportCannotOpen(path);
        std::cerr << TableTooLargeMessage(path) << "\n";
        return ExitCodeFor(read.kind);
    }
    CsvTable table;
    if (const Status read = ReadCsv(bytes, table); !read.ok()) return Report(read);
    // Repeated headings are told apart as the import told them apart.
    table.header = UniqueColumnNames(std::move(table.header));
    int column[MaxInputs];
    for (int i = 0; i < task.inputCount; ++i) {
        const auto found =
            std::find(table.header.begin(), table.header.end(), Cp1251ToUtf8(task.inputNames[i]));
        if (found == table.header.end()) {
            std::cerr << NoColumnMessage(Cp1251ToUtf8(task.inputNames[i])) << "\n";
            return ExitRefused;
        }
        column[i] = static_cast<int>(found - table.header.begin());
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        double signals[MaxInputs];
        for (int i = 0; i < task.inputCount; ++i) {
            const std::string& name = table.rows[r][column[i]];
            const std::optional<ParamInput> input = ResolveWord(task, i, name);
            if (!input) {
                std::cout << std::flush;
                std::cerr << QuestionPrefix(r + 1) << UnknownVariantMessage(task, i, name) << "\n";
                return ExitRefused;
            }
            signals[i] = input->signal;
        }
        const std::vector<RankedOutput> ranked = RankSignals(task, signals);
        if (ranked.empty()) {
            std::cout << std::flush;
            std::cerr << QuestionPrefix(r + 1) << NoAnswerMessage << "\n";
            return ExitRefused;
        }
        std::cout << Cp1251ToUtf8(RankedText(task, ranked.front())) << "\n";
    }
    std::cout << std::flush;
    return ExitOk;
}

// "age = 40" with the value or interval used for each parameter given by
// number, then "colour: yellow → banana (0.81)" for each variant that alone
// changes the answer.
void PrintExplanation(NetTask& task, const ParamInput* inputs, std::ostream& out) {
    double signals[MaxInputs];
    int chosen[MaxInputs];
    for (int i = 0; i < task.inputCount; ++i) {
        signals[i] = inputs[i].signal;
        chosen[i] = inputs[i].variant;
        if (inputs[i].number)
            out << Cp1251ToUtf8(task.inputNames[i]) << " = "
                << DescribeParamInput(task.inputParams[i], inputs[i]) << "\n";
    }
    const std::vector<std::vector<AnswerChange>> changes = ExplainSignals(task, signals, chosen);
    for (int i = 0; i < static_cast<int>(changes.size()); ++i) {
        const std::string param = Cp1251ToUtf8(task.inputNames[i]) + ": ";
        if (changes[i].empty()) out << param << NoOtherVariantChangesMessage << "\n";
        for (const AnswerChange& change : changes[i])
            out << param << Cp1251ToUtf8(task.inputParams[i].variantNames[change.variant]) << " → "
                << Cp1251ToUtf8(task.outputNames[change.becomes.output]) << " ("
                << FormatFixed(change.becomes.activation, 2) << ")\n";
    }
}

int RunAsk(const AskOptions& options) {
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, options.taskFile); code != ExitOk) return code;
    if (!HasUsableNetwork(*task)) {
        std::cerr << NoSavedNetworkMessage << "\n";
        return ExitRefused;
    }
    if (!options.csv.empty()) return AskFromTable(*task, options.csv);
    ParamInput inputs[MaxInputs];
    if (const Status asked = ResolveQuestion(*task, options.words, inputs); !asked.ok())
        return Report(asked);
    double signals[MaxInputs];
    for (int i = 0; i < task->inputCount; ++i) signals[i] = inputs[i].signal;
    const std::vector<RankedOutput> ranked = RankSignals(*task, signals);
    if (ranked.empty()) {
        std::cerr << NoAnswerMessage << "\n";
        return ExitRefused;
    }
    const std::size_t shown =
        options.all ? ranked.size() : std::min<std::size_t>(RankedShown, ranked.size());
    for (std::size_t r = 0; r < shown; ++r)
        std::cout << Cp1251ToUtf8(RankedText(*task, ranked[r])) << "\n";
    if (options.explain) {
        std::cout << "\n";
        PrintExplanation(*task, inputs, std::cout);
    }
    std::cout << std::flush;
    return ExitOk;
}

}  // namespace

void AddAskCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<AskOptions>();
    CLI::App* ask = app.add_subcommand("ask", "Ask the network saved in a task file");
    ask->add_option("TASKFILE", options->taskFile, "Task file with a trained network")->required();
    CLI::Option* words = ask->add_option(
        "VARIANT", options->words,
        "Variant names (or numbers for numeric parameters) in parameter order, or PARAM=VARIANT "
        "pairs");
    CLI::Option* all =
        ask->add_flag("--all", options->all, "Print every output, not only the first 5");
    CLI::Option* explain = ask->add_flag("--explain", options->explain,
                                         "Name the variants that alone would change the answer");
    ask->add_option("--csv", options->csv,
                    "Ask once per row of this table (header: parameter names); prints each "
                    "answer with its signal")
        ->excludes(words)
        ->excludes(all)
        ->excludes(explain);
    ask->callback([options, &exitCode] { exitCode = RunAsk(*options); });
}
