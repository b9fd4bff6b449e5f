#include "dataset/evaluation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>

#include "dataset/parallel.h"
#include "dataset/texts.h"
#include "model/cp1251.h"
#include "model/examples.h"
#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/network.h"

namespace {

// splitmix64: a portable stream of numbers from one seed.
uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Fisher-Yates with our own generator, so every platform shuffles alike.
void Shuffle(std::vector<int>& items, uint64_t seed) {
    for (std::size_t i = items.size(); i > 1; --i) {
        seed = Mix(seed);
        std::swap(items[i - 1], items[seed % i]);
    }
}

}  // namespace

uint64_t DerivedSeed(uint32_t seed, uint64_t purpose, uint64_t a, uint64_t b) {
    return Mix(Mix(Mix(Mix(seed) ^ purpose) ^ a) ^ b);
}

void PrepareFold(const NetTask& source, const std::vector<int>& training, int hidden,
                 NetTask& fold) {
    fold.inputCount = source.inputCount;
    fold.outputCount = source.outputCount;
    fold.hiddenCount = hidden;
    for (int i = 0; i < source.inputCount; ++i) {
        fold.inputNames[i] = source.inputNames[i];
        const InputParam& from = source.inputParams[i];
        InputParam& to = fold.inputParams[i];
        to.variantCount = from.variantCount;
        std::copy(from.variantValues, from.variantValues + from.variantCount, to.variantValues);
    }
    fold.exampleCount = static_cast<int32_t>(training.size());
    for (std::size_t e = 0; e < training.size(); ++e)
        fold.examples[e] = source.examples[training[e]];
}

std::vector<int> TrainingSet(const NetTask& task, const std::vector<int>& heldOut) {
    std::vector<int> training;
    for (int e = 0; e < task.exampleCount; ++e)
        if (!std::binary_search(heldOut.begin(), heldOut.end(), e)) training.push_back(e);
    return training;
}

namespace {

struct RunOutcome {
    // Until the run has trained, Stopped: it never ran, or training was stopped.
    Status status = Status::Fail(StatusKind::Stopped, {});
    double trainPercent = 0.0;
    std::vector<int> heldOut;  // example indexes
    std::vector<int> answers;  // the network's answer for each
    TuningSetting chosen;      // with tune: the settings this run trained with
};

}  // namespace

std::vector<std::vector<int>> HeldOutSets(const NetTask& task, const EvaluationOptions& options) {
    const bool holdout = options.holdout > 0;
    const int perRepeat = holdout ? 1 : options.folds;
    std::vector<std::vector<int>> runs(static_cast<std::size_t>(perRepeat) * options.repeat);
    for (int r = 0; r < options.repeat; ++r) {
        std::vector<std::vector<int>> byClass(task.outputCount);
        for (int e = 0; e < task.exampleCount; ++e) byClass[ExampleResult(task, e)].push_back(e);
        // Dealing continues across classes, so small classes do not all land in fold 0.
        int next = 0;
        for (int c = 0; c < task.outputCount; ++c) {
            std::vector<int>& members = byClass[c];
            Shuffle(members, DerivedSeed(options.seed, 1, r, c));
            if (holdout) {
                const auto count = static_cast<std::size_t>(
                    std::llround(options.holdout * static_cast<double>(members.size())));
                runs[r].insert(runs[r].end(), members.begin(), members.begin() + count);
                continue;
            }
            for (int e : members) {
                runs[static_cast<std::size_t>(r) * perRepeat + next].push_back(e);
                next = (next + 1) % perRepeat;
            }
        }
        for (int f = 0; f < perRepeat; ++f)
            std::sort(runs[r * perRepeat + f].begin(), runs[r * perRepeat + f].end());
    }
    return runs;
}

namespace {

// Why the task or the options cannot be evaluated; empty when they can.
std::string OptionsRefusal(const NetTask& task, const EvaluationOptions& options) {
    if (!ShapeFitsStorage(CurrentShape(task)) || task.exampleCount < 2)
        return NeedsTaskToEvaluateMessage;
    for (int e = 0; e < task.exampleCount; ++e)
        if (ExampleResult(task, e) < 0) return ExampleWithoutResultMessage(e + 1);
    if (options.repeat < 1 || options.repeat > 100) return RepeatRangeMessage;
    if (options.holdout > 0) {
        if (!(options.holdout < 1)) return HoldoutRangeMessage;
    } else if (options.folds < 2 || options.folds > task.exampleCount) {
        return FoldsRangeMessage(task.exampleCount);
    }
    return {};
}

// Every run needs examples to train on and examples to check.
std::string HeldOutRefusal(const NetTask& task, const std::vector<std::vector<int>>& heldOut) {
    for (const auto& run : heldOut)
        if (run.empty() || static_cast<int>(run.size()) >= task.exampleCount)
            return HoldoutLeavesNoneMessage;
    return {};
}

// The runs of one evaluation, shared by its worker threads: each takes the
// next run, trains on its training examples (with settings tuned on them
// alone when asked) and answers its held-out examples.
class EvaluationRuns {
  public:
    EvaluationRuns(const NetTask& task, const EvaluationOptions& options, int hidden,
                   const std::vector<std::vector<int>>& heldOut, const TuningControl& control)
        : task_(task),
          options_(options),
          hidden_(hidden),
          heldOut_(heldOut),
          control_(control),
          outcomes_(heldOut.size()) {}

    void Work() {
        auto fold = std::make_unique<NetTask>();
        for (std::size_t r; (r = nextRun_++) < heldOut_.size() && !Stopped();)
            if (!RunOne(r, *fold)) return;
    }

    bool Stopped() const { return control_.stop && control_.stop->load(); }
    const std::vector<RunOutcome>& Outcomes() const { return outcomes_; }

  private:
    // Whole percentages of every run, reported as one figure.
    void ReportProgress(long long done) {
        if (!control_.progress) return;
        const int percent = static_cast<int>(done / static_cast<long long>(heldOut_.size()));
        std::lock_guard<std::mutex> lock(progressMutex_);
        if (percent <= percentShown_) return;
        percentShown_ = percent;
        control_.progress(percent);
    }

    // Run r in fold; false when tuning was stopped (the worker ends).
    bool RunOne(std::size_t r, NetTask& fold) {
        const std::vector<int>& held = heldOut_[r];
        const std::vector<int> training = TrainingSet(task_, held);
        const int perRepeat = options_.holdout > 0 ? 1 : options_.folds;
        const auto seed =
            static_cast<uint32_t>(DerivedSeed(options_.seed, 2, r / perRepeat, r % perRepeat));
        RunOutcome& outcome = outcomes_[r];
        std::string coef = options_.coef, iterations = options_.iterations;
        int runHidden = hidden_;
        if (options_.tune) {
            // Settings chosen on this run's training examples alone.
            PrepareFold(task_, training, hidden_, fold);
            TuningOptions tuning = options_.tuning;
            tuning.seed = seed;
            tuning.threads = options_.threads;
            TuningControl inner{control_.stop, [&](int percent) {
                                    ReportProgress(static_cast<long long>(r) * 100 + percent);
                                }};
            TuningResult tuned;
            if (Status status = TuneTask(fold, tuning, tuned, inner); !status.ok()) {
                outcome.status = std::move(status);
                return true;
            }
            if (tuned.stopped) return false;
            outcome.chosen = tuned.choice;
            coef = tuned.choice.coef;
            iterations = FormatInt(tuned.choice.iterations);
            runHidden = tuned.choice.hidden;
        }
        PrepareFold(task_, training, runHidden, fold);
        int runPercent = 0;
        const ProgressCallback progress = [&](const std::string& caption) {
            if (options_.tune || caption == TrainButtonCaption || runPercent >= 100) return;
            ++runPercent;
            ReportProgress(++percentsDone_);
        };
        const TrainingOutcome trained =
            TrainNetwork(fold, coef, iterations, seed, progress, TrainingControl{control_.stop});
        outcome.status = trained.status;
        if (trained.stopped) outcome.status.kind = StatusKind::Stopped;
        if (!outcome.status.ok()) return true;
        outcome.trainPercent = fold.accuracyPercent;
        outcome.heldOut = held;
        for (int e : held)
            outcome.answers.push_back(CheckAnswer(fold, task_.examples[e].inputVariant));
        return true;
    }

    const NetTask& task_;
    const EvaluationOptions& options_;
    const int hidden_;
    const std::vector<std::vector<int>>& heldOut_;
    const TuningControl& control_;
    std::vector<RunOutcome> outcomes_;
    std::atomic<std::size_t> nextRun_{0};
    std::atomic<long long> percentsDone_{0};
    std::mutex progressMutex_;
    int percentShown_ = 0;
};

// The held-out answers of every run, counted into the result; the run's
// status when a run could not train.
Status CountAnswers(const NetTask& task, const EvaluationOptions& options,
                    const std::vector<RunOutcome>& outcomes, EvaluationResult& result) {
    result.confusion.assign(task.outputCount, std::vector<int>(task.outputCount, 0));
    for (const RunOutcome& outcome : outcomes) {
        if (!outcome.status.ok()) return outcome.status;
        int correct = 0;
        for (std::size_t i = 0; i < outcome.heldOut.size(); ++i) {
            const int truth = ExampleResult(task, outcome.heldOut[i]);
            correct += outcome.answers[i] == truth;
            ++result.confusion[truth][outcome.answers[i]];
        }
        result.heldOutPercent.push_back(100.0 * correct /
                                        static_cast<double>(outcome.heldOut.size()));
        result.trainPercent.push_back(outcome.trainPercent);
        if (options.tune) result.chosen.push_back(outcome.chosen);
    }
    return {};
}

}  // namespace

Status EvaluateTask(const NetTask& task, const EvaluationOptions& options, EvaluationResult& result,
                    const TuningControl& control) {
    result = EvaluationResult{};
    const int hidden = ClampHiddenCount(options.hidden > 0 ? options.hidden : task.hiddenCount);
    std::string refusal = OptionsRefusal(task, options);
    const std::vector<std::vector<int>> heldOut =
        refusal.empty() ? HeldOutSets(task, options) : std::vector<std::vector<int>>();
    if (refusal.empty()) refusal = HeldOutRefusal(task, heldOut);
    if (!refusal.empty()) return Status::Refuse(std::move(refusal));

    EvaluationRuns runs(task, options, hidden, heldOut, control);
    // Tuning spreads each run's search over the cores itself.
    RunWorkers(options.tune ? 1 : WorkerCount(options.threads, heldOut.size()),
               [&] { runs.Work(); });
    if (runs.Stopped()) {
        result.stopped = true;
        return {};
    }

    result.hidden = hidden;
    if (Status counted = CountAnswers(task, options, runs.Outcomes(), result); !counted.ok())
        return counted;
    std::vector<int> counts(task.outputCount, 0);
    for (int e = 0; e < task.exampleCount; ++e) ++counts[ExampleResult(task, e)];
    result.majorityClass =
        static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    result.majorityPercent = 100.0 * counts[result.majorityClass] / task.exampleCount;
    return {};
}

double Mean(const std::vector<double>& values) {
    if (values.empty()) return 0.0;
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

double StandardDeviation(const std::vector<double>& values) {
    if (values.size() < 2) return 0.0;
    const double mean = Mean(values);
    double squares = 0.0;
    for (double v : values) squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

namespace {

// Characters on screen: UTF-8 code points (continuation bytes do not count).
std::size_t Width(const std::string& text) {
    std::size_t width = 0;
    for (char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return width;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > Width(text) ? width - Width(text) : 0, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
    return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

std::string ConfusionTable(const NetTask& task, const std::vector<std::vector<int>>& confusion) {
    const int k = task.outputCount;
    std::vector<std::string> names;
    std::size_t nameWidth = Width(ConfusionCorner);
    for (int j = 0; j < k; ++j) {
        names.push_back(Cp1251ToUtf8(task.outputNames[j]));
        nameWidth = std::max(nameWidth, Width(names.back()));
    }
    std::vector<std::size_t> widths(k);
    for (int j = 0; j < k; ++j) {
        widths[j] = Width(names[j]);
        for (int t = 0; t < k; ++t)
            widths[j] = std::max(widths[j], FormatInt(confusion[t][j]).size());
    }
    std::string text = PadRight(ConfusionCorner, nameWidth);
    for (int j = 0; j < k; ++j) text += "  " + PadLeft(names[j], widths[j]);
    text += "\n";
    for (int t = 0; t < k; ++t) {
        text += PadRight(names[t], nameWidth);
        for (int j = 0; j < k; ++j) text += "  " + PadLeft(FormatInt(confusion[t][j]), widths[j]);
        text += "\n";
    }
    return text;
}

}  // namespace

std::string FormatEvaluation(const NetTask& task, const EvaluationOptions& options,
                             const EvaluationResult& result) {
    std::string text;
    if (options.holdout > 0)
        text += HeldOutShareText(FormatFixed(options.holdout * 100, 1));
    else
        text += CrossValidationText(options.folds);
    text += RepeatsAndExamplesText(options.repeat, task.exampleCount);
    if (options.tune)
        text += TunedPerFoldText(options.tuning.folds);
    else
        text += FixedSettingsText(result.hidden, options.iterations, options.coef);
    text += SeedText(options.seed);
    if (options.tune) {
        text += ChosenSettingsHeading;
        for (const TuningSetting& chosen : result.chosen) {
            // The blank on its own: GCC 12 at -O3 misreads " " + string as an overlapping copy.
            text += ' ';
            text +=
                FormatInt(chosen.hidden) + "/" + chosen.coef + "/" + FormatInt(chosen.iterations);
        }
        text += "\n";
    }
    text += HeldOutAccuracyLine(FormatFixed(Mean(result.heldOutPercent), 2),
                                FormatFixed(StandardDeviation(result.heldOutPercent), 2),
                                static_cast<long long>(result.heldOutPercent.size()));
    text += TrainAccuracyLine(FormatFixed(Mean(result.trainPercent), 2));
    text += MajorityClassLine(Cp1251ToUtf8(task.outputNames[result.majorityClass]),
                              FormatFixed(result.majorityPercent, 2));
    text += ConfusionHeading;
    return text + ConfusionTable(task, result.confusion);
}

namespace {

// A gap this large (in points) between training and held-out accuracy means
// the network learns the examples by heart.
constexpr double MemorisingGap = 10.0;

std::string Percent(double value) {
    return FormatFixed(value, 1) + "%";
}

}  // namespace

std::string EvaluationVerdict(const NetTask& task, const EvaluationResult& result) {
    const double heldOut = Mean(result.heldOutPercent);
    const double training = Mean(result.trainPercent);
    const std::string majority = Cp1251ToUtf8(task.outputNames[result.majorityClass]);
    if (heldOut < result.majorityPercent) return WorseThanMajorityVerdict(majority);
    if (training - heldOut > MemorisingGap)
        return MemorisingVerdict(Percent(training), Percent(heldOut));
    return GoodVerdict(Percent(heldOut), majority, Percent(result.majorityPercent));
}
