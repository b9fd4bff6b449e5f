#include "storage/taskwriter.h"

#include "model/numtext.h"
#include "storage/fieldreader.h"
#include "storage/networksection.h"
#include "storage/scalesection.h"

namespace {

bool InRange(int value, int capacity) {
    return value >= 0 && value <= capacity;
}

// A name that the reader would return unchanged.
bool WritableName(const std::string& name) {
    return name.size() <= MaxNameBytes && name.find_first_of("\r\n") == std::string::npos;
}

bool Writable(const NetTask& task) {
    if (!InRange(task.inputCount, MaxInputs) || !InRange(task.outputCount, MaxOutputs) ||
        !InRange(task.exampleCount, MaxExamples))
        return false;
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        if (!WritableName(task.inputNames[i]) || !InRange(param.variantCount, MaxVariants))
            return false;
        for (int j = 0; j < param.variantCount; ++j)
            if (!WritableName(param.variantNames[j])) return false;
    }
    for (int j = 0; j < task.outputCount; ++j)
        if (!WritableName(task.outputNames[j])) return false;
    for (int k = 0; k < task.exampleCount; ++k) {
        const Example& example = task.examples[k];
        for (int i = 0; i < task.inputCount; ++i)
            if (example.inputVariant[i] < 0 ||
                example.inputVariant[i] >= task.inputParams[i].variantCount)
                return false;
        // Each result ends its example's line, so exactly one must exist.
        int results = 0;
        for (int j = 0; j < task.outputCount; ++j) results += example.target[j] == 1.0;
        if (results != 1) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> FormatTaskFile(const NetTask& task) {
    if (!Writable(task)) return std::nullopt;
    std::string out;
    for (int count : {task.inputCount, task.hiddenCount, task.outputCount, task.exampleCount})
        out += FormatInt(count) + "\n";
    for (int i = 0; i < task.inputCount; ++i)
        out += FormatInt(task.inputParams[i].variantCount) + " " + task.inputNames[i] + "\n";
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        for (int j = 0; j < param.variantCount; ++j)
            out += FormatLf(param.variantValues[j]) + " " + param.variantNames[j] + "\n";
    }
    for (int j = 0; j < task.outputCount; ++j) out += task.outputNames[j] + "\n";
    for (int k = 0; k < task.exampleCount; ++k) {
        const Example& example = task.examples[k];
        for (int i = 0; i < task.inputCount; ++i) out += FormatInt(example.inputVariant[i]) + ",";
        for (int j = 0; j < task.outputCount; ++j)
            if (example.target[j] == 1.0) {
                // Appended piece by piece: GCC 12 misreads "=" + std::string as an
                // overlapping copy (-Wrestrict) in optimised builds.
                out += '=';
                out += FormatInt(j);
                out += '\n';
            }
    }
    return out + FormatNetworkSection(task) + FormatScaleSection(task);
}
