// tune: settings (hidden-layer size, learning coefficient, iteration count)
// found by cross-validation, and optionally the task trained with them.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/load_task.h"
#include "cli/outputs.h"
#include "cli/texts.h"
#include "dataset/evaluation.h"
#include "dataset/tuning.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/network.h"
#include "storage/taskfile.h"

namespace {

struct TuneArgs {
    std::string taskFile;
    TuningOptions options;
    bool seedGiven = false;
    std::string taskOut;
    bool quiet = false;
};

// Every tenth of the search, one line on stderr.
std::function<void(int)> TenthsOnStderr(bool quiet) {
    if (quiet) return {};
    return [](int percent) {
        if (percent % 10 == 0) std::cerr << TuningProgressLine(percent) << "\n";
    };
}

int RunTune(TuneArgs args) {
    InterruptStop interrupt;  // Ctrl+C ends the search
    if (!OutputsWritable({args.taskOut})) return ExitCannotOpen;
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, args.taskFile); code != ExitOk) return code;
    if (!args.seedGiven) args.options.seed = TimeSeed();
    TuningResult result;
    const TuningControl control{&InterruptStop::Flag(), TenthsOnStderr(args.quiet)};
    if (const Status tuned = TuneTask(*task, args.options, result, control); !tuned.ok())
        return Report(tuned);
    if (result.stopped) {
        std::cerr << TuningStoppedMessage << "\n";
        return ExitInterrupted;
    }
    std::cout << FormatTuning(*task, args.options, result) << std::flush;
    if (args.taskOut.empty()) return ExitOk;

    const TuningSetting& choice = result.choice;
    task->hiddenCount = choice.hidden;
    const TrainingOutcome trained =
        TrainNetwork(*task, choice.coef, FormatInt(choice.iterations), args.options.seed, {});
    if (!trained.status.ok()) return Report(trained.status);
    std::cout << trained.status.message << std::flush;
    if (const Status saved = SaveTaskFile(*task, args.taskOut); !saved.ok())
        return ReportWriteFailure(args.taskOut, saved);
    if (!HasUsableNetwork(*task)) std::cerr << NetworkNotSavedMessage << "\n";
    return ExitOk;
}

}  // namespace

void AddTuningOptions(CLI::App& command, TuningOptions& o) {
    command.add_option("--budget", o.budgetSeconds, "Seconds the search may take (0: no limit)")
        ->capture_default_str();
    command.add_option("--max-iterations", o.maxIterations, "Largest iteration count tried")
        ->capture_default_str();
}

void AddTuneCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<TuneArgs>();
    TuningOptions& o = args->options;
    CLI::App* command = app.add_subcommand(
        "tune", "Hidden layer size, coefficient and iterations chosen by cross-validation");
    command->add_option("TASKFILE", args->taskFile, "Task file")->required();
    command->add_option("--folds", o.folds, "Number of folds")->capture_default_str();
    command->add_option("--seed", o.seed, "Seed of the folds and trainings (default: the time)")
        ->each([args](const std::string&) { args->seedGiven = true; });
    AddTuningOptions(*command, o);
    command->add_option("--threads", o.threads, "Trainings side by side (default: cores)");
    command->add_option("--out", args->taskOut,
                        "Train with the choice and write the task with its network here");
    command->add_flag("-q,--quiet", args->quiet, "No progress lines");
    command->callback([args, &exitCode] { exitCode = RunTune(*args); });
}
