#include "network/forward.h"

#include <algorithm>
#include <cmath>

#include "model/trainednetwork.h"
#include "network/exp.h"

void ForwardPass(NetTask& task) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    for (int h = 0; h < m; ++h) {
        double s = 0.0;
        for (int i = 0; i < n; ++i) s = task.inputSignals[i] * task.weightsInputHidden[i][h] + s;
        s = s + task.weightsInputHidden[n][h];
        task.hiddenSignals[h] = Sigmoid(s);
    }
    for (int o = 0; o < k; ++o) {
        double s = 0.0;
        for (int h = 0; h < m; ++h) s = task.hiddenSignals[h] * task.weightsHiddenOutput[h][o] + s;
        s = s + task.weightsHiddenOutput[m][o];
        task.outputSignals[o] = Sigmoid(s);
    }
}

int WinningOutput(const double* values, int k) {
    double best = values[0];
    int index = 0;
    for (int o = 1; o < k; ++o) {
        if (values[o] > best) {
            best = values[o];
            index = o;
        }
    }
    return index;
}

int CheckAnswer(NetTask& task, const int* variantIndex) {
    if (!ShapeFitsStorage(CurrentShape(task))) return -1;
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        if (variantIndex[i] < 0 || variantIndex[i] >= param.variantCount ||
            param.variantCount > MaxVariants)
            return -1;
    }
    double inputSignals[MaxInputs];
    for (int i = 0; i < task.inputCount; ++i)
        inputSignals[i] = task.inputParams[i].variantValues[variantIndex[i]];
    return AnswerForSignals(task, inputSignals);
}

int AnswerForSignals(NetTask& task, const double* inputSignals) {
    if (!ShapeFitsStorage(CurrentShape(task))) return -1;
    for (int i = 0; i < task.inputCount; ++i)
        if (!std::isfinite(inputSignals[i])) return -1;
    std::copy(inputSignals, inputSignals + task.inputCount, task.inputSignals);
    ForwardPass(task);
    return WinningOutput(task.outputSignals, task.outputCount);
}
