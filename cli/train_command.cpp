#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/passes.h"
#include "network/rng.h"
#include "network/training.h"
#include "network/trainingsettings.h"
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
    std::string taskOut;
};

bool WriteHistory(const NetTask& task, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = true;
    for (int i = 0; i < task.errorCount && ok; ++i)
        ok = std::fputs((FormatG(task.errorHistory[i], 17) + "\n").c_str(), file) >= 0;
    return std::fclose(file) == 0 && ok;
}

bool WriteWeights(const NetTask& task, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
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
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

// ZARN_KERNEL forces a kernel path; say so when it cannot be followed.
void WarnAboutKernelChoice() {
    bool unknown = false;
    const std::optional<PassPath> path = PassPathFromEnvironment(&unknown);
    if (unknown)
        std::cerr << "ZARN_KERNEL: неизвестный путь (допускаются generic и avx2), "
                     "используется путь по умолчанию.\n";
    else if (path == PassPath::Avx2 && !PassPathAvailable(PassPath::Avx2))
        std::cerr << "ZARN_KERNEL=avx2: процессор не поддерживает AVX2, используется generic.\n";
}

int RunTrain(const TrainOptions& options) {
    auto task = std::make_unique<NetTask>();
    if (const int code = LoadTaskForCommand(*task, options.taskFile); code != ExitOk) return code;
    // The same rule as the hidden-layer edit, also for the size from the file.
    task->hiddenCount = options.hidden.empty() ? ClampHiddenCount(task->hiddenCount)
                                               : HiddenCountFromText(options.hidden);

    WarnAboutKernelChoice();
    const uint32_t seed = options.seedGiven ? options.seed : TimeSeed();
    TrainingOutcome outcome =
        TrainNetwork(*task, options.coef, options.iterations, seed,
                     [](const std::string& caption) { std::cerr << caption << "\n"; });
    if (!outcome.trained) {
        std::cerr << outcome.message << "\n";
        return ExitRefused;
    }
    std::cout << outcome.message << std::flush;
    if (!options.historyOut.empty() && !WriteHistory(*task, options.historyOut)) {
        std::cerr << "Не удалось записать " << options.historyOut << "\n";
        return ExitCannotOpen;
    }
    if (!options.weightsOut.empty() && !WriteWeights(*task, options.weightsOut)) {
        std::cerr << "Не удалось записать " << options.weightsOut << "\n";
        return ExitCannotOpen;
    }
    if (!options.taskOut.empty()) {
        if (SaveToFile(*task, options.taskOut) != 1) {
            std::cerr << "Не сохранено: " << options.taskOut << "\n";
            return ExitCannotOpen;
        }
        if (!HasUsableNetwork(*task))
            std::cerr << "Сеть не сохранена: она не распознала ни одного примера.\n";
    }
    return ExitOk;
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
    train->callback([options, &exitCode] { exitCode = RunTrain(*options); });
}
