// evaluate: held-out accuracy of a task's network by cross-validation or hold-out.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/texts.h"
#include "dataset/evaluation.h"
#include "network/network.h"

namespace {

struct EvaluateArgs {
    std::string taskFile;
    EvaluationOptions options;
    bool seedGiven = false;
};

int RunEvaluate(EvaluateArgs args) {
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, args.taskFile); code != ExitOk) return code;
    if (!args.seedGiven) args.options.seed = TimeSeed();
    EvaluationResult result;
    // Nested tuning takes minutes: a line every tenth on stderr.
    TuningControl control;
    if (args.options.tune)
        control.progress = [](int percent) {
            if (percent % 10 == 0) std::cerr << EvaluationProgressLine(percent) << "\n";
        };
    if (const Status evaluated = EvaluateTask(*task, args.options, result, control);
        !evaluated.ok())
        return Report(evaluated);
    std::cout << FormatEvaluation(*task, args.options, result) << std::flush;
    return ExitOk;
}

}  // namespace

void AddEvaluateCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<EvaluateArgs>();
    EvaluationOptions& o = args->options;
    CLI::App* command = app.add_subcommand(
        "evaluate", "Held-out accuracy: stratified K-fold cross-validation or hold-out");
    command->add_option("TASKFILE", args->taskFile, "Task file")->required();
    command->add_option("--folds", o.folds, "Number of folds")->capture_default_str();
    command->add_option("--holdout", o.holdout, "Hold out this share (0..1) instead of folds");
    command->add_option("--repeat", o.repeat, "Repeat with other splits")->capture_default_str();
    command->add_option("--seed", o.seed, "Seed of the splits and trainings (default: the time)")
        ->each([args](const std::string&) { args->seedGiven = true; });
    command->add_option("--iterations", o.iterations, "Number of iterations (text, as typed)")
        ->capture_default_str();
    command->add_option("--coef", o.coef, "Learning coefficient (text, as typed)")
        ->capture_default_str();
    command->add_option("--hidden", o.hidden, "Hidden layer size (default: from the file)");
    command->add_option("--threads", o.threads, "Folds trained side by side (default: cores)");
    command->add_flag(
        "--tune", o.tune,
        "Choose the settings as tune does inside each fold (nested cross-validation)");
    command->add_option("--tune-folds", o.tuning.folds, "Folds of the search inside each fold")
        ->capture_default_str();
    AddTuningOptions(*command, o.tuning);
    command->callback([args, &exitCode] { exitCode = RunEvaluate(*args); });
}
