#include <unistd.h>

#include <chrono>
#include <future>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/load_task.h"
#include "cli/outputs.h"
#include "cli/texts.h"
#include "cli/train_progress.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/network.h"
#include "storage/atomicfile.h"
#include "storage/taskfile.h"

namespace {

struct TrainOptions {
    std::string taskFile;
    std::string iterations = DefaultIterationsText;
    std::string coef = DefaultCoefText;
    std::string hidden;
    uint32_t seed = 0;
    bool seedGiven = false;
    std::string historyOut;
    std::string weightsOut;
    bool quiet = false;
    std::string taskOut;
};

std::string HistoryText(const NetTask& task) {
    std::string text;
    for (int i = 0; i < task.errorCount; ++i) text += FormatG(task.errorHistory[i], 17) + "\n";
    return text;
}

std::string WeightsText(const NetTask& task) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    std::string text = FormatInt(n) + " " + FormatInt(m) + " " + FormatInt(k) + "\n";
    auto row = [&text](const double* values, int count) {
        for (int c = 0; c < count; ++c) {
            if (c) text += ' ';
            text += FormatG(values[c], 17);
        }
        text += "\n";
    };
    for (int i = 0; i <= n; ++i) row(task.weightsInputHidden[i], m);
    for (int h = 0; h <= m; ++h) row(task.weightsHiddenOutput[h], k);
    return text;
}

// ZARN_KERNEL forces a kernel path; say so when it cannot be followed.
void WarnAboutKernelChoice() {
    bool unknown = false;
    const std::optional<PassPath> path = PassPathFromEnvironment(&unknown);
    if (unknown)
        std::cerr << UnknownKernelMessage << "\n";
    else if (path == PassPath::Avx2 && !PassPathAvailable(PassPath::Avx2))
        std::cerr << NoAvx2Message << "\n";
}

// The run goes on a thread of its own while this one shows the progress;
// Ctrl+C stops it after the pass in progress.
TrainingOutcome TrainWithProgress(NetTask& task, const TrainOptions& options, uint32_t seed) {
    const int iterations = LenientAtoi(options.iterations);
    const long long planned = iterations >= 1 && iterations <= MaxIterations ? iterations + 2LL : 0;
    const ProgressStyle style = options.quiet                ? ProgressStyle::Quiet
                                : isatty(STDERR_FILENO) == 1 ? ProgressStyle::Redrawn
                                                             : ProgressStyle::EveryTenth;
    ProgressReport report(style, planned, std::cerr);
    std::atomic<long long> done{0};
    const TrainingControl control{&InterruptStop::Flag(), &done};
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::future<TrainingOutcome> run = std::async(std::launch::async, [&] {
        return TrainNetwork(task, options.coef, options.iterations, seed, nullptr, control);
    });
    while (run.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready)
        report.Update(done.load(std::memory_order_relaxed), elapsed());
    TrainingOutcome outcome = run.get();
    if (outcome.status.ok()) report.Finish(outcome.passes, elapsed());
    return outcome;
}

int RunTrain(const TrainOptions& options) {
    InterruptStop interrupt;  // until the outputs are written
    // --out may replace the task it trained; the other outputs may not.
    if (!OutputsApart({options.taskFile}, {options.weightsOut, options.historyOut}) ||
        !OutputsApart({}, {options.taskOut, options.weightsOut, options.historyOut}) ||
        !OutputsWritable({options.taskOut, options.weightsOut, options.historyOut}))
        return ExitCannotOpen;
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, options.taskFile); code != ExitOk) return code;
    // The same rule as the hidden-layer edit, also for the size from the file.
    task->hiddenCount = options.hidden.empty() ? ClampHiddenCount(task->hiddenCount)
                                               : HiddenCountFromText(options.hidden);

    WarnAboutKernelChoice();
    const uint32_t seed = options.seedGiven ? options.seed : TimeSeed();
    const TrainingOutcome outcome = TrainWithProgress(*task, options, seed);
    if (!outcome.status.ok()) return Report(outcome.status);
    if (!options.quiet)
        std::cout << outcome.status.message << (outcome.stopped ? "\n" : "") << std::flush;
    // Each output on its own: one that fails does not cost the others.
    bool allWritten = true;
    if (!options.taskOut.empty()) {
        if (const Status saved = SaveTaskFile(*task, options.taskOut); !saved.ok()) {
            ReportWriteFailure(options.taskOut, saved);
            allWritten = false;
        } else if (!HasUsableNetwork(*task)) {
            std::cerr << NetworkNotSavedMessage << "\n";
        }
    }
    if (!options.weightsOut.empty() && !WriteOutput(options.weightsOut, WeightsText(*task)))
        allWritten = false;
    if (!options.historyOut.empty() && !WriteOutput(options.historyOut, HistoryText(*task)))
        allWritten = false;
    if (!allWritten) return ExitCannotOpen;
    return InterruptStop::Flag().load() ? ExitInterrupted : ExitOk;
}

}  // namespace

void AddTrainCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<TrainOptions>();
    CLI::App* train = app.add_subcommand("train", "Train the network of a task file");
    train->add_option("TASKFILE", options->taskFile, "Task file to train on")->required();
    train->add_option("--iterations", options->iterations, "Number of iterations (text, as typed)")
        ->capture_default_str();
    train->add_option("--coef", options->coef, "Learning coefficient (text, as typed)")
        ->capture_default_str();
    train->add_option("--hidden", options->hidden, "Hidden layer size (default: from the file)");
    train->add_option("--seed", options->seed, "Seed of the generator instead of the time")
        ->each([options](const std::string&) { options->seedGiven = true; });
    train->add_option("--history-out", options->historyOut, "Write the error history here");
    train->add_option("--weights-out", options->weightsOut, "Write the trained weights here");
    train->add_option("--out", options->taskOut,
                      "Write the task with its trained network here (replaced safely)");
    train->add_flag("-q,--quiet", options->quiet, "Print nothing but errors");
    train->callback([options, &exitCode] { exitCode = RunTrain(*options); });
}
