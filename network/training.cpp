#include "network/training.h"

#include <cmath>
#include <memory>
#include <new>

#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "network/forward.h"
#include "network/passes.h"

const char* const IterationsMessage =
    "Не корректное число иттераций! (Допускается от 1 до 10 млн.)";
const char* const CoefficientMessage =
    "Не корректный коэффициент обучения! (Допускается от 0 до 1.)";
const char* const NoExamplesMessage = "Не найдено не одного примера для обучения";
const char* const TrainButtonCaption = "Обучить!";
const char* const OutOfMemoryMessage = "Не хватает памяти для обучения.";

namespace {

// The checks the panel cannot fail but a hand-built or loaded record could:
// the network must never run outside its storage.
std::string StorageRefusal(const NetTask& task) {
    if (task.hiddenCount < 1 || task.hiddenCount > MaxHidden)
        return "Размер скрытого слоя должен быть от 1 до " + FormatInt(MaxHidden) + ".";
    if (!NetworkShapeValid(task))
        return "Задача не определена: нужны от 1 до 12 входных параметров и от 1 до 500 "
               "выходных вариантов.";
    if (task.exampleCount > MaxExamples) return "Слишком много примеров.";
    for (int i = 0; i < task.inputCount; ++i)
        if (task.inputParams[i].variantCount < 1 || task.inputParams[i].variantCount > MaxVariants)
            return "Входной параметр " + FormatInt(i + 1) + " не имеет вариантов.";
    for (int e = 0; e < task.exampleCount; ++e)
        for (int i = 0; i < task.inputCount; ++i) {
            const int j = task.examples[e].inputVariant[i];
            if (j < 0 || j >= task.inputParams[i].variantCount)
                return "Пример " + FormatInt(e + 1) + " ссылается на несуществующий вариант.";
        }
    return {};
}

}  // namespace

std::string ProgressCaption(long long percent) {
    // The caption begins with a Latin capital C followed by Cyrillic letters.
    return "C\xD0\xB5ть в процессе обучения... " + FormatInt(percent) + "%";
}

std::string StoppedLine(long long passes, long long plannedPasses) {
    return "Обучение остановлено после прохода " + FormatInt(passes) + " из " +
           FormatInt(plannedPasses) + ".";
}

void InitWeights(NetTask& task, ClassicRng& rng) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    for (int i = 0; i <= n; ++i)
        for (int h = 0; h < m; ++h) task.weightsInputHidden[i][h] = rng.Next() / 32767.0 - 0.5;
    for (int h = 0; h <= m; ++h)
        for (int o = 0; o < k; ++o) task.weightsHiddenOutput[h][o] = rng.Next() / 32767.0 - 0.5;
}

void BackPropagate(NetTask& task) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    const double eta = task.learningCoef;
    for (int o = 0; o < k; ++o) {
        const double out = task.outputSignals[o];
        task.outputDeltas[o] = (task.targetSignals[o] - out) * ((1 - out) * out);
    }
    for (int h = 0; h < m; ++h) {
        double d = 0;
        for (int o = 0; o < k; ++o) d = task.outputDeltas[o] * task.weightsHiddenOutput[h][o] + d;
        const double hid = task.hiddenSignals[h];
        task.hiddenDeltas[h] = ((1 - hid) * hid) * d;
    }
    for (int o = 0; o < k; ++o) {
        for (int h = 0; h < m; ++h)
            task.weightsHiddenOutput[h][o] = (eta * task.outputDeltas[o]) * task.hiddenSignals[h] +
                                             task.weightsHiddenOutput[h][o];
        task.weightsHiddenOutput[m][o] =
            eta * task.outputDeltas[o] + task.weightsHiddenOutput[m][o];
    }
    for (int h = 0; h < m; ++h) {
        for (int i = 0; i < n; ++i)
            task.weightsInputHidden[i][h] =
                (eta * task.hiddenDeltas[h]) * task.inputSignals[i] + task.weightsInputHidden[i][h];
        task.weightsInputHidden[n][h] = eta * task.hiddenDeltas[h] + task.weightsInputHidden[n][h];
    }
}

double MeasureAccuracy(NetTask& task) {
    int correct = 0;
    for (int e = 0; e < task.exampleCount; ++e) {
        LoadExampleSignals(task, e);
        ForwardPass(task);
        if (WinningOutput(task.outputSignals, task.outputCount) ==
            WinningOutput(task.targetSignals, task.outputCount))
            ++correct;
    }
    return static_cast<double>(correct) / task.exampleCount * 100.0;
}

TrainingOutcome TrainNetwork(NetTask& task, std::string_view coefText, std::string_view iterText,
                             uint32_t seed, const ProgressCallback& progress,
                             const TrainingControl& control) {
    TrainingOutcome outcome;
    outcome.coefText = std::string(coefText);
    outcome.iterText = std::string(iterText);

    const int iterations = LenientAtoi(iterText);
    if (iterations < 1 || iterations > MaxIterations) {
        outcome.message = IterationsMessage;
        return outcome;
    }
    const double eta = LenientAtof(coefText);
    if (!(eta > 0.0) || eta > 1.0) {  // also refuses NaN
        outcome.message = CoefficientMessage;
        return outcome;
    }
    if (task.exampleCount < 1) {
        outcome.message = NoExamplesMessage;
        return outcome;
    }
    if (std::string refusal = StorageRefusal(task); !refusal.empty()) {
        outcome.message = refusal;
        return outcome;
    }

    // Everything the run needs is allocated before anything changes, so a
    // failed allocation leaves the task as it was.
    std::unique_ptr<TrainingMemory> memory;
    try {
        memory = std::make_unique<TrainingMemory>(task, DefaultPassOptions(task));
        // Last: a resize that fails leaves the history as it was.
        if (task.errorHistory.size() < static_cast<std::size_t>(iterations) + 2)
            task.errorHistory.resize(static_cast<std::size_t>(iterations) + 2);
    } catch (const std::bad_alloc&) {
        outcome.message = OutOfMemoryMessage;
        return outcome;
    }

    task.learningCoef = eta;
    outcome.coefText = FormatFixed(eta, 4);
    outcome.iterText = FormatInt(iterations);
    ClassicRng rng(seed);
    InitWeights(task, rng);
    task.trainedShape = CurrentShape(task);
    task.errorCount = 0;
    task.errorMax = -1.0;
    task.errorMin = 1.0;

    outcome.plannedPasses = static_cast<long long>(iterations) + 2;
    outcome.passes = RunTrainingPasses(task, iterations, progress, *memory, control);
    outcome.stopped = outcome.passes < outcome.plannedPasses;

    if (progress) progress(TrainButtonCaption);
    // The vector kernels give MeasureAccuracy's result bit for bit, faster.
    task.accuracyPercent = MeasureAccuracyFast(task, *memory);
    outcome.trained = true;
    outcome.message = "Network is " + FormatFixed(task.accuracyPercent, 2) + "% correct\n";
    if (outcome.stopped) outcome.message += StoppedLine(outcome.passes, outcome.plannedPasses);
    return outcome;
}
