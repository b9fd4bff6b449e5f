#include "model/taskdraft.h"

void ApplyTaskDraft(const TaskDraft& staged, NetTask& task) {
    task.inputCount = staged.inputCount;
    task.hiddenCount = staged.hiddenCount;
    task.outputCount = staged.outputCount;
    task.exampleCount = staged.exampleCount;
    for (int i = 0; i < staged.inputCount; ++i) {
        const DraftParam& from = staged.params[i];
        InputParam& to = task.inputParams[i];
        task.inputNames[i] = from.name;
        to.variantCount = static_cast<int32_t>(from.values.size());
        to.scale = from.scale;
        for (std::size_t j = 0; j < from.values.size(); ++j) {
            to.variantValues[j] = from.values[j];
            to.variantNames[j] = from.names[j];
        }
    }
    for (int j = 0; j < staged.outputCount; ++j) task.outputNames[j] = staged.outputNames[j];
    for (int k = 0; k < staged.exampleCount; ++k) {
        const DraftExample& from = staged.examples[k];
        Example& to = task.examples[k];
        for (int i = 0; i < staged.inputCount; ++i) to.inputVariant[i] = from.variants[i];
        for (int j = 0; j < staged.outputCount; ++j) to.target[j] = j == from.result ? 1.0 : 0.0;
    }
}
