#include "network/training.h"

#include <memory>
#include <new>

#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/passes.h"
#include "network/texts.h"

namespace {

// The checks the panel cannot fail but a hand-built or loaded record could:
// the network must never run outside its storage.
std::string StorageRefusal(const NetTask& task) {
    if (task.hiddenCount < 1 || task.hiddenCount > MaxHidden) return HiddenSizeMessage(MaxHidden);
    if (!ShapeFitsStorage(CurrentShape(task))) return ShapeUndefinedMessage;
    if (task.exampleCount > MaxExamples) return TooManyExamplesMessage;
    for (int i = 0; i < task.inputCount; ++i)
        if (task.inputParams[i].variantCount < 1 || task.inputParams[i].variantCount > MaxVariants)
            return NoVariantsOfInputMessage(i + 1);
    for (int e = 0; e < task.exampleCount; ++e)
        for (int i = 0; i < task.inputCount; ++i) {
            const int j = task.examples[e].inputVariant[i];
            if (j < 0 || j >= task.inputParams[i].variantCount)
                return ExampleNamesNoVariantMessage(e + 1);
        }
    return {};
}

// Why the typed settings or the task cannot be trained; empty when they can.
std::string Refusal(const NetTask& task, int iterations, double eta) {
    if (iterations < 1 || iterations > MaxIterations) return IterationsMessage;
    if (!(eta > 0.0) || eta > 1.0) return CoefficientMessage;  // also refuses NaN
    if (task.exampleCount < 1) return NoExamplesMessage;
    return StorageRefusal(task);
}

// Everything a run of the train button needs, allocated before anything
// changes, so a failed allocation leaves the task as it was (null then).
std::unique_ptr<TrainingMemory> TakeMemory(NetTask& task, int iterations) {
    try {
        auto memory = std::make_unique<TrainingMemory>(task, DefaultPassOptions(task));
        // Last: a resize that fails leaves the history as it was.
        if (task.errorHistory.size() < static_cast<std::size_t>(iterations) + 2)
            task.errorHistory.resize(static_cast<std::size_t>(iterations) + 2);
        return memory;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The start of every run: the coefficient, weights drawn from the seed, and
// the shape they were trained for.
void StartRun(NetTask& task, double eta, uint32_t seed) {
    task.learningCoef = eta;
    ClassicRng rng(seed);
    InitWeights(task, rng);
    task.trainedShape = CurrentShape(task);
}

void ClearErrorRecord(NetTask& task) {
    task.errorCount = 0;
    task.errorMax = -1.0;
    task.errorMin = 1.0;
}

}  // namespace

void InitWeights(NetTask& task, ClassicRng& rng) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    for (int i = 0; i <= n; ++i)
        for (int h = 0; h < m; ++h) task.weightsInputHidden[i][h] = rng.Next() / 32767.0 - 0.5;
    for (int h = 0; h <= m; ++h)
        for (int o = 0; o < k; ++o) task.weightsHiddenOutput[h][o] = rng.Next() / 32767.0 - 0.5;
}

TrainingOutcome TrainNetwork(NetTask& task, std::string_view coefText, std::string_view iterText,
                             uint32_t seed, const ProgressCallback& progress,
                             const TrainingControl& control) {
    TrainingOutcome outcome;
    outcome.coefText = std::string(coefText);
    outcome.iterText = std::string(iterText);
    const int iterations = LenientAtoi(iterText);
    const double eta = LenientAtof(coefText);
    if (std::string refusal = Refusal(task, iterations, eta); !refusal.empty()) {
        outcome.status = Status::Refuse(std::move(refusal));
        return outcome;
    }
    std::unique_ptr<TrainingMemory> memory = TakeMemory(task, iterations);
    if (!memory) {
        outcome.status = Status::Refuse(OutOfMemoryMessage);
        return outcome;
    }

    outcome.coefText = FormatFixed(eta, 4);
    outcome.iterText = FormatInt(iterations);
    StartRun(task, eta, seed);
    ClearErrorRecord(task);
    outcome.plannedPasses = static_cast<long long>(iterations) + 2;
    outcome.passes = RunTrainingPasses(task, iterations, progress, *memory, control);
    outcome.stopped = outcome.passes < outcome.plannedPasses;

    if (progress) progress(TrainButtonCaption);
    // The vector kernels give the plain loops' accuracy bit for bit, faster.
    task.accuracyPercent = MeasureAccuracyFast(task, *memory);
    outcome.status.message = AccuracyLine(task.accuracyPercent);
    if (outcome.stopped)
        outcome.status.message += StoppedLine(outcome.passes, outcome.plannedPasses);
    return outcome;
}

SegmentedTraining::SegmentedTraining(NetTask& task, double learningCoef, uint32_t seed)
    : task_(task) {
    PassOptions options = DefaultPassOptions(task);
    options.threads = 1;
    memory_ = std::make_unique<TrainingMemory>(task, options);
    StartRun(task, learningCoef, seed);
}

SegmentedTraining::~SegmentedTraining() = default;

long long SegmentedTraining::Run(int iterations, const std::atomic<bool>* stop) {
    const std::size_t passes = static_cast<std::size_t>(iterations) + 2;
    if (task_.errorHistory.size() < passes) task_.errorHistory.resize(passes);
    ClearErrorRecord(task_);
    return RunTrainingPasses(task_, iterations, {}, *memory_, TrainingControl{stop, nullptr});
}
