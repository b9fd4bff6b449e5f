#include "dataset/tuning.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <mutex>
#include <tuple>

#include "dataset/evaluation.h"
#include "dataset/parallel.h"
#include "dataset/texts.h"
#include "model/examples.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/network.h"
#include "network/texts.h"

const int TuningCheckpoints[] = {50,     100,     200,     500,     1000,    2000,
                                 5000,   10000,   20000,   50000,   100000,  200000,
                                 500000, 1000000, 2000000, 5000000, 10000000};
const int TuningCheckpointCount = sizeof(TuningCheckpoints) / sizeof(TuningCheckpoints[0]);

namespace {

constexpr int LeastTrimmedCheckpoint = 500;
// Each trial in the search is this many iterations; it times the machine.
constexpr int TimingIterations = 500;

bool CoefValid(const std::string& text) {
    const double eta = LenientAtof(text);
    return eta > 0.0 && eta <= 1.0;
}

double TrainingExamples(const NetTask& task, int folds) {
    return static_cast<double>(task.exampleCount) * (folds - 1) / folds;
}

double GridSeconds(const NetTask& task, const TuningGrid& grid, int folds, int threads,
                   double secondsPerUnit) {
    if (grid.checkpoints.empty()) return 0.0;
    double units = 0.0;
    for (int hidden : grid.hidden)
        units += RunCost(static_cast<int>(TrainingExamples(task, folds)), task.inputCount, hidden,
                         task.outputCount, grid.checkpoints.back());
    units *= static_cast<double>(folds) * static_cast<double>(grid.coefs.size());
    return units * secondsPerUnit / threads;
}

bool Remove(std::vector<std::string>& coefs, const std::string& coef) {
    const auto it = std::find(coefs.begin(), coefs.end(), coef);
    if (it == coefs.end() || coefs.size() < 2) return false;
    coefs.erase(it);
    return true;
}

std::string SettingName(int hidden, const std::string& coef, int iterations) {
    return HiddenSettingName(hidden) + ", " + CoefSettingName(coef) + ", " +
           IterationsSettingName(iterations);
}

}  // namespace

double RunCost(int examples, int inputs, int hidden, int outputs, int iterations) {
    const double perExample = 2.0 * inputs * hidden + 3.0 * hidden * outputs + hidden + outputs;
    return (static_cast<double>(iterations) + 2.0) * examples * perExample;
}

TuningGrid FullTuningGrid(const NetTask& task, const TuningOptions& options) {
    TuningGrid grid;
    grid.hidden = options.hidden;
    if (grid.hidden.empty()) {
        const int size = ClampHiddenCount(task.hiddenCount);
        grid.hidden = {ClampHiddenCount((size + 1) / 2), size, ClampHiddenCount(2 * size)};
    }
    std::sort(grid.hidden.begin(), grid.hidden.end());
    grid.hidden.erase(std::unique(grid.hidden.begin(), grid.hidden.end()), grid.hidden.end());
    grid.coefs = options.coefs;
    if (grid.coefs.empty()) grid.coefs = {"0.05", "0.1", "0.2", "0.4"};
    for (int i = 0; i < TuningCheckpointCount && TuningCheckpoints[i] <= options.maxIterations; ++i)
        grid.checkpoints.push_back(TuningCheckpoints[i]);
    // A largest count between two checkpoints is tried as well; segments of
    // training need at least 3 passes between checkpoints.
    if (grid.checkpoints.empty() || options.maxIterations - grid.checkpoints.back() >= 3)
        grid.checkpoints.push_back(options.maxIterations);
    return grid;
}

TuningGrid TrimTuningGrid(const NetTask& task, TuningGrid grid, int folds, int threads,
                          double secondsPerUnit, double budgetSeconds,
                          std::vector<std::string>& leftOut, double& estimatedSeconds) {
    const auto estimate = [&] { return GridSeconds(task, grid, folds, threads, secondsPerUnit); };
    // Each step leaves out what is least likely to matter: the iteration
    // count already covers much of what the coefficient does, and the sizes
    // farthest from the task's own come next.
    const std::vector<std::function<bool()>> steps = {
        [&] {
            return Remove(grid.coefs, "0.05") && (leftOut.push_back(CoefSettingName("0.05")), true);
        },
        [&] {
            if (grid.hidden.size() < 2) return false;
            leftOut.push_back(HiddenSettingName(grid.hidden.back()));
            grid.hidden.pop_back();
            return true;
        },
        [&] {
            return Remove(grid.coefs, "0.4") && (leftOut.push_back(CoefSettingName("0.4")), true);
        },
        [&] {
            if (grid.hidden.size() < 2) return false;
            leftOut.push_back(HiddenSettingName(grid.hidden.front()));
            grid.hidden.erase(grid.hidden.begin());
            return true;
        },
    };
    if (budgetSeconds > 0) {
        for (const auto& step : steps)
            if (estimate() > budgetSeconds) step();
        while (estimate() > budgetSeconds && grid.checkpoints.size() > 1 &&
               grid.checkpoints[grid.checkpoints.size() - 2] >= LeastTrimmedCheckpoint) {
            leftOut.push_back(IterationsSettingName(grid.checkpoints.back()));
            grid.checkpoints.pop_back();
        }
    }
    estimatedSeconds = estimate();
    return grid;
}

std::vector<double> CheckpointAccuracies(NetTask& fold, const NetTask& source,
                                         const std::vector<int>& heldOut, const std::string& coef,
                                         uint32_t seed, const std::vector<int>& checkpoints,
                                         const std::atomic<bool>* stop,
                                         const std::function<void(long long passes)>& passed) {
    std::vector<double> accuracies;
    // The runs themselves go side by side, so each keeps to one thread.
    SegmentedTraining run(fold, LenientAtof(coef), seed);
    // A run of N iterations makes N + 2 passes; it goes on in segments, each
    // a call of N' iterations (N' + 2 passes) on the weights the last one left.
    long long done = 0;
    for (int checkpoint : checkpoints) {
        const long long segment = checkpoint + 2LL - done - 2;
        if (segment < 1) break;
        const long long ran = run.Run(static_cast<int>(segment), stop);
        done += ran;
        if (passed) passed(ran);
        if (ran < segment + 2) break;
        int correct = 0;
        for (int e : heldOut)
            correct +=
                CheckAnswer(fold, source.examples[e].inputVariant) == ExampleResult(source, e);
        accuracies.push_back(100.0 * correct / static_cast<double>(heldOut.size()));
    }
    return accuracies;
}

TuningSetting ChooseSetting(const std::vector<TuningSetting>& settings) {
    if (settings.empty()) return {};
    double best = settings.front().mean;
    for (const TuningSetting& s : settings) best = std::max(best, s.mean);
    const TuningSetting* choice = nullptr;
    for (const TuningSetting& s : settings) {
        if (s.mean < best - TuningTolerance) continue;
        const auto key = [](const TuningSetting& t) {
            return std::make_tuple(t.hidden, t.iterations, -t.mean, LenientAtof(t.coef));
        };
        if (!choice || key(s) < key(*choice)) choice = &s;
    }
    return *choice;
}

namespace {

// Why the task or the options cannot be searched; empty when they can.
std::string TuningRefusal(const NetTask& task, const TuningOptions& options) {
    if (!ShapeFitsStorage(CurrentShape(task)) || task.exampleCount < 2)
        return NeedsTaskToTuneMessage;
    for (int e = 0; e < task.exampleCount; ++e)
        if (ExampleResult(task, e) < 0) return ExampleWithoutResultMessage(e + 1);
    if (options.folds < 2 || options.folds > task.exampleCount)
        return FoldsRangeMessage(task.exampleCount);
    if (options.maxIterations < 1 || options.maxIterations > MaxIterations)
        return MaxIterationsRangeMessage(MaxIterations);
    if (!std::isfinite(options.budgetSeconds) || options.budgetSeconds < 0) return BudgetMessage;
    for (int hidden : options.hidden)
        if (hidden < 1 || hidden > MaxHidden) return HiddenSizeMessage(MaxHidden);
    for (const std::string& coef : options.coefs)
        if (!CoefValid(coef)) return CoefRangeMessage;
    return {};
}

}  // namespace

Status TuneTask(const NetTask& task, const TuningOptions& options, TuningResult& result,
                const TuningControl& control) {
    result = TuningResult{};
    if (std::string refusal = TuningRefusal(task, options); !refusal.empty())
        return Status::Refuse(std::move(refusal));

    EvaluationOptions split;
    split.folds = options.folds;
    split.seed = options.seed;
    const std::vector<std::vector<int>> heldOut = HeldOutSets(task, split);
    std::vector<std::vector<int>> training;
    for (const auto& held : heldOut) training.push_back(TrainingSet(task, held));

    const auto trainSeed = [&](int fold, int hidden) {
        return static_cast<uint32_t>(DerivedSeed(options.seed, 3, fold, hidden));
    };
    TuningGrid grid = FullTuningGrid(task, options);
    const std::size_t fullRuns = heldOut.size() * grid.hidden.size() * grid.coefs.size();
    const int threads = WorkerCount(options.threads, fullRuns);
    if (options.budgetSeconds > 0) {
        // A short run on one fold times this machine for the estimate.
        auto fold = std::make_unique<NetTask>();
        const int hidden = ClampHiddenCount(task.hiddenCount);
        PrepareFold(task, training[0], hidden, *fold);
        const auto start = std::chrono::steady_clock::now();
        CheckpointAccuracies(*fold, task, heldOut[0], "0.2", trainSeed(0, hidden),
                             {TimingIterations}, control.stop);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double units = RunCost(fold->exampleCount, task.inputCount, hidden, task.outputCount,
                                     TimingIterations);
        // The plan counts on every core, whatever --threads says, so that the
        // number of threads never changes what is tried.
        grid = TrimTuningGrid(task, grid, options.folds, WorkerCount(0, fullRuns),
                              took.count() / units, options.budgetSeconds, result.leftOut,
                              result.estimatedSeconds);
    }
    result.grid = grid;

    struct Run {
        int fold, hidden;
        std::size_t coef;
    };
    std::vector<Run> runs;
    // The largest networks first, so the last runs to finish are short.
    for (auto h = grid.hidden.rbegin(); h != grid.hidden.rend(); ++h)
        for (std::size_t c = 0; c < grid.coefs.size(); ++c)
            for (int f = 0; f < options.folds; ++f) runs.push_back({f, *h, c});
    std::vector<std::vector<double>> accuracies(runs.size());

    const long long passesPerRun = grid.checkpoints.back() + 2LL;
    const long long totalPasses = passesPerRun * static_cast<long long>(runs.size());
    std::atomic<long long> passesDone{0};
    std::mutex progressMutex;
    int percentShown = 0;
    const auto passed = [&](long long passes) {
        const long long done = passesDone += passes;
        if (!control.progress) return;
        const int percent = static_cast<int>(done * 100 / totalPasses);
        std::lock_guard<std::mutex> lock(progressMutex);
        if (percent <= percentShown) return;
        percentShown = percent;
        control.progress(percent);
    };
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        auto fold = std::make_unique<NetTask>();
        for (std::size_t r; (r = next++) < runs.size();) {
            if (control.stop && control.stop->load()) return;
            const Run& run = runs[r];
            PrepareFold(task, training[run.fold], run.hidden, *fold);
            accuracies[r] = CheckpointAccuracies(
                *fold, task, heldOut[run.fold], grid.coefs[run.coef],
                trainSeed(run.fold, run.hidden), grid.checkpoints, control.stop, passed);
        }
    };
    RunWorkers(threads, worker);
    if (control.stop && control.stop->load()) {
        result.stopped = true;
        return {};
    }

    for (int hidden : grid.hidden)
        for (std::size_t c = 0; c < grid.coefs.size(); ++c)
            for (std::size_t p = 0; p < grid.checkpoints.size(); ++p) {
                TuningSetting setting{hidden, grid.coefs[c], grid.checkpoints[p], {}, 0, 0};
                setting.heldOutPercent.resize(options.folds);
                for (std::size_t r = 0; r < runs.size(); ++r)
                    if (runs[r].hidden == hidden && runs[r].coef == c)
                        setting.heldOutPercent[runs[r].fold] = accuracies[r][p];
                setting.mean = Mean(setting.heldOutPercent);
                setting.sd = StandardDeviation(setting.heldOutPercent);
                result.settings.push_back(std::move(setting));
            }
    result.choice = ChooseSetting(result.settings);
    std::stable_sort(
        result.settings.begin(), result.settings.end(),
        [](const TuningSetting& a, const TuningSetting& b) { return a.mean > b.mean; });

    std::vector<int> counts(task.outputCount, 0);
    for (int e = 0; e < task.exampleCount; ++e) ++counts[ExampleResult(task, e)];
    result.majorityPercent =
        100.0 * *std::max_element(counts.begin(), counts.end()) / task.exampleCount;
    return {};
}

std::string FormatTuning(const NetTask& task, const TuningOptions& options,
                         const TuningResult& result, int shown) {
    const TuningGrid& grid = result.grid;
    std::string text = TuningHeadText(options.folds, task.exampleCount, options.seed);
    for (int h : grid.hidden) text += " " + FormatInt(h);
    text += TriedCoefsHeading;
    for (const std::string& c : grid.coefs) text += " " + c;
    text += TriedIterationsHeading;
    for (int p : grid.checkpoints) text += " " + FormatInt(p);
    text += "\n";
    if (!result.leftOut.empty()) {
        text += LeftOutHeading(FormatFixed(options.budgetSeconds, 0));
        for (std::size_t i = 0; i < result.leftOut.size(); ++i)
            text += (i ? ", " : " ") + result.leftOut[i];
        text += "\n";
    }
    const TuningSetting& c = result.choice;
    text += ChosenLine(SettingName(c.hidden, c.coef, c.iterations), FormatFixed(c.mean, 2),
                       FormatFixed(c.sd, 2));
    text += TieRuleLine(FormatFixed(TuningTolerance, 1));
    text += BestSettingsHeading;
    for (int i = 0; i < shown && i < static_cast<int>(result.settings.size()); ++i) {
        const TuningSetting& s = result.settings[i];
        text += "  " + SettingName(s.hidden, s.coef, s.iterations) + ": " + FormatFixed(s.mean, 2) +
                "% ± " + FormatFixed(s.sd, 2) + "%\n";
    }
    text += MajorityAlwaysLine(FormatFixed(result.majorityPercent, 2));
    return text;
}
