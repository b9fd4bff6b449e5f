#include "tests/storage/noisy_task.h"

#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

std::unique_ptr<NetTask> MakeNoisyTask() {
    auto task = MakeTask();
    for (int i = 0; i < MaxInputs; ++i) {
        task->inputNames[i] = "old input " + std::to_string(i);
        InputParam& param = task->inputParams[i];
        param.variantCount = 5;
        for (int j = 0; j < MaxVariants; ++j) {
            param.variantValues[j] = 1000.0 * i + j + 0.25;
            param.variantNames[j] = "old " + std::to_string(i) + "/" + std::to_string(j);
        }
    }
    for (int j = 0; j < MaxOutputs; ++j) task->outputNames[j] = "old out " + std::to_string(j);
    for (int k = 0; k < MaxExamples; ++k) {
        for (int i = 0; i < MaxVariants; ++i) task->examples[k].inputVariant[i] = (k + i) % 5;
        for (int j = 0; j < MaxOutputs; ++j) task->examples[k].target[j] = (k + j) % 3 * 0.5;
    }
    task->inputCount = 3;
    task->hiddenCount = 9;
    task->outputCount = 4;
    task->exampleCount = 7;
    task->learningCoef = 0.35;
    task->weightsInputHidden[2][3] = -0.125;
    task->weightsHiddenOutput[4][1] = 0.75;
    task->hiddenSignals[5] = 0.5;
    task->errorHistory = {0.9, 0.5, 0.25};
    task->errorCount = 3;
    task->errorMax = 0.9;
    task->errorMin = 0.25;
    task->accuracyPercent = 87.5;
    task->trainedShape = {2, 9, 4};  // another task's network: not saved
    return task;
}

std::string SampleBytes(const std::string& name) {
    return TempDir::Read(std::string(ZARN_EXAMPLES_DIR) + "/" + name);
}

bool InsideCapacities(const NetTask& task) {
    if (task.inputCount < 0 || task.inputCount > MaxInputs || task.outputCount < 0 ||
        task.outputCount > MaxOutputs || task.exampleCount < 0 || task.exampleCount > MaxExamples ||
        task.hiddenCount > MaxHidden)
        return false;
    for (int i = 0; i < task.inputCount; ++i)
        if (task.inputParams[i].variantCount < 0 || task.inputParams[i].variantCount > MaxVariants)
            return false;
    for (int k = 0; k < task.exampleCount; ++k) {
        for (int i = 0; i < task.inputCount; ++i) {
            const int v = task.examples[k].inputVariant[i];
            if (v < 0 || v >= task.inputParams[i].variantCount) return false;
        }
        int results = 0;
        for (int j = 0; j < task.outputCount; ++j) results += task.examples[k].target[j] == 1.0;
        if (results != 1) return false;
    }
    return true;
}
