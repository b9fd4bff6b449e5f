#include "tests/support/task_builder.h"

#include <cstring>

std::unique_ptr<NetTask> MakeTask() {
    return std::make_unique<NetTask>();
}

void AddParam(NetTask& task, const ParamSpec& definition) {
    const int i = task.inputCount++;
    task.inputNames[i] = definition.name;
    InputParam& param = task.inputParams[i];
    param.variantCount = static_cast<int32_t>(definition.variants.size());
    for (std::size_t j = 0; j < definition.variants.size(); ++j) {
        param.variantValues[j] = definition.variants[j].first;
        param.variantNames[j] = definition.variants[j].second;
    }
}

void SetOutputs(NetTask& task, const std::vector<std::string>& names) {
    task.outputCount = static_cast<int32_t>(names.size());
    for (std::size_t j = 0; j < names.size(); ++j) task.outputNames[j] = names[j];
}

void PutExample(NetTask& task, const std::vector<int>& variants, int result) {
    Example& example = task.examples[task.exampleCount++];
    for (std::size_t i = 0; i < variants.size(); ++i) example.inputVariant[i] = variants[i];
    for (int j = 0; j < task.outputCount; ++j) example.target[j] = j == result ? 1.0 : 0.0;
}

namespace {

template <typename T, std::size_t N>
bool SameBytes(const T (&a)[N], const T (&b)[N]) {
    return std::memcmp(a, b, sizeof a) == 0;
}

}  // namespace

std::string DescribeDifference(const NetTask& a, const NetTask& b) {
    if (a.inputCount != b.inputCount) return "inputCount";
    if (a.hiddenCount != b.hiddenCount) return "hiddenCount";
    if (a.outputCount != b.outputCount) return "outputCount";
    if (a.exampleCount != b.exampleCount) return "exampleCount";
    for (int e = 0; e < MaxExamples; ++e)
        if (std::memcmp(&a.examples[e], &b.examples[e], sizeof(Example)) != 0)
            return "examples[" + std::to_string(e) + "]";
    for (int i = 0; i < MaxInputs; ++i) {
        if (a.inputNames[i] != b.inputNames[i]) return "inputNames[" + std::to_string(i) + "]";
        const InputParam& pa = a.inputParams[i];
        const InputParam& pb = b.inputParams[i];
        if (pa.variantCount != pb.variantCount) return "variantCount[" + std::to_string(i) + "]";
        if (!(pa.scale == pb.scale)) return "scale[" + std::to_string(i) + "]";
        if (!SameBytes(pa.variantValues, pb.variantValues))
            return "variantValues[" + std::to_string(i) + "]";
        for (int j = 0; j < MaxVariants; ++j)
            if (pa.variantNames[j] != pb.variantNames[j])
                return "variantNames[" + std::to_string(i) + "][" + std::to_string(j) + "]";
    }
    for (int j = 0; j < MaxOutputs; ++j)
        if (a.outputNames[j] != b.outputNames[j]) return "outputNames[" + std::to_string(j) + "]";
    if (std::memcmp(&a.learningCoef, &b.learningCoef, sizeof(double)) != 0) return "learningCoef";
    if (!SameBytes(a.weightsInputHidden, b.weightsInputHidden)) return "weightsInputHidden";
    if (!SameBytes(a.weightsHiddenOutput, b.weightsHiddenOutput)) return "weightsHiddenOutput";
    if (!SameBytes(a.inputSignals, b.inputSignals)) return "inputSignals";
    if (!SameBytes(a.hiddenSignals, b.hiddenSignals)) return "hiddenSignals";
    if (!SameBytes(a.targetSignals, b.targetSignals)) return "targetSignals";
    if (!SameBytes(a.outputSignals, b.outputSignals)) return "outputSignals";
    if (!SameBytes(a.outputDeltas, b.outputDeltas)) return "outputDeltas";
    if (!SameBytes(a.hiddenDeltas, b.hiddenDeltas)) return "hiddenDeltas";
    if (a.errorCount != b.errorCount) return "errorCount";
    if (a.errorHistory != b.errorHistory) return "errorHistory";
    if (std::memcmp(&a.errorMax, &b.errorMax, sizeof(double)) != 0) return "errorMax";
    if (std::memcmp(&a.errorMin, &b.errorMin, sizeof(double)) != 0) return "errorMin";
    if (std::memcmp(&a.accuracyPercent, &b.accuracyPercent, sizeof(double)) != 0)
        return "accuracyPercent";
    if (!(a.trainedShape == b.trainedShape)) return "trainedShape";
    return {};
}

void CopyTask(const NetTask& from, NetTask& to) {
    to.inputCount = from.inputCount;
    to.hiddenCount = from.hiddenCount;
    to.outputCount = from.outputCount;
    std::memcpy(to.examples.get(), from.examples.get(), sizeof(Example) * MaxExamples);
    to.exampleCount = from.exampleCount;
    for (int i = 0; i < MaxInputs; ++i) {
        to.inputNames[i] = from.inputNames[i];
        to.inputParams[i] = from.inputParams[i];
    }
    for (int j = 0; j < MaxOutputs; ++j) to.outputNames[j] = from.outputNames[j];
    to.learningCoef = from.learningCoef;
    std::memcpy(to.weightsInputHidden, from.weightsInputHidden, sizeof from.weightsInputHidden);
    std::memcpy(to.weightsHiddenOutput, from.weightsHiddenOutput, sizeof from.weightsHiddenOutput);
    std::memcpy(to.inputSignals, from.inputSignals, sizeof from.inputSignals);
    std::memcpy(to.hiddenSignals, from.hiddenSignals, sizeof from.hiddenSignals);
    std::memcpy(to.targetSignals, from.targetSignals, sizeof from.targetSignals);
    std::memcpy(to.outputSignals, from.outputSignals, sizeof from.outputSignals);
    std::memcpy(to.outputDeltas, from.outputDeltas, sizeof from.outputDeltas);
    std::memcpy(to.hiddenDeltas, from.hiddenDeltas, sizeof from.hiddenDeltas);
    to.errorHistory = from.errorHistory;
    to.errorCount = from.errorCount;
    to.errorMax = from.errorMax;
    to.errorMin = from.errorMin;
    to.accuracyPercent = from.accuracyPercent;
    to.trainedShape = from.trainedShape;
}

std::string Numbered(const char* prefix, int number) {
    std::string text = prefix;
    text += std::to_string(number);
    return text;
}
