#include "model/examples.h"

bool CanAddExample(const NetTask& task) {
    return task.exampleCount < MaxExamples;
}

Status RoomForExample(const NetTask& task) {
    return CanAddExample(task) ? Status{} : Status::Refuse(ExamplesFullMessage);
}

bool AddExample(NetTask& task, const int* variantIndex, int resultIndex) {
    const int n = task.exampleCount;
    if (n < 0 || n >= MaxExamples) return false;
    if (task.inputCount < 0 || task.inputCount > MaxInputs) return false;
    if (task.outputCount < 0 || task.outputCount > MaxOutputs) return false;
    if (task.inputCount > 0 && variantIndex == nullptr) return false;
    // Every stored row must name real variants and exactly one result: the
    // example grid, training and the task file all rely on it.
    for (int i = 0; i < task.inputCount; ++i)
        if (variantIndex[i] < 0 || variantIndex[i] >= task.inputParams[i].variantCount)
            return false;
    if (resultIndex < 0 || resultIndex >= task.outputCount) return false;

    Example& row = task.examples[n];
    for (int i = 0; i < task.inputCount; ++i) row.inputVariant[i] = variantIndex[i];
    for (int j = 0; j < task.outputCount; ++j) row.target[j] = j == resultIndex ? 1.0 : 0.0;
    task.exampleCount = n + 1;
    return true;
}

bool DeleteExample(NetTask& task, int k) {
    if (k < 0 || k >= task.exampleCount || task.exampleCount > MaxExamples) return false;
    for (int i = k; i < task.exampleCount - 1; ++i) task.examples[i] = task.examples[i + 1];
    --task.exampleCount;
    return true;
}

int ExampleResult(const NetTask& task, int k) {
    if (k < 0 || k >= task.exampleCount || k >= MaxExamples) return -1;
    const Example& row = task.examples[k];
    const int count = task.outputCount < MaxOutputs ? task.outputCount : MaxOutputs;
    for (int j = 0; j < count; ++j)
        if (row.target[j] == 1.0) return j;
    return -1;
}
