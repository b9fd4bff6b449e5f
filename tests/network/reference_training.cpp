#include "tests/network/reference_training.h"

#include <string>

#include "network/exp.h"

void ReferenceLoadExample(NetTask& t, int e) {
    for (int i = 0; i < t.inputCount; ++i)
        t.inputSignals[i] = t.inputParams[i].variantValues[t.examples[e].inputVariant[i]];
    for (int o = 0; o < t.outputCount; ++o) t.targetSignals[o] = t.examples[e].target[o];
}

namespace {

void Forward(NetTask& t) {
    const int n = t.inputCount, m = t.hiddenCount, k = t.outputCount;
    for (int h = 0; h < m; ++h) {
        double s = 0.0;
        for (int i = 0; i < n; ++i) s = t.inputSignals[i] * t.weightsInputHidden[i][h] + s;
        s = s + t.weightsInputHidden[n][h];
        t.hiddenSignals[h] = 1 / (Exponential(-s) + 1);
    }
    for (int o = 0; o < k; ++o) {
        double s = 0.0;
        for (int h = 0; h < m; ++h) s = t.hiddenSignals[h] * t.weightsHiddenOutput[h][o] + s;
        s = s + t.weightsHiddenOutput[m][o];
        t.outputSignals[o] = 1 / (Exponential(-s) + 1);
    }
}

}  // namespace

void ReferenceBackPropagate(NetTask& t) {
    const int n = t.inputCount, m = t.hiddenCount, k = t.outputCount;
    for (int o = 0; o < k; ++o)
        t.outputDeltas[o] = (t.targetSignals[o] - t.outputSignals[o]) *
                            ((1 - t.outputSignals[o]) * t.outputSignals[o]);
    for (int h = 0; h < m; ++h) {
        double d = 0;
        for (int o = 0; o < k; ++o) d = t.outputDeltas[o] * t.weightsHiddenOutput[h][o] + d;
        t.hiddenDeltas[h] = ((1 - t.hiddenSignals[h]) * t.hiddenSignals[h]) * d;
    }
    for (int o = 0; o < k; ++o) {
        for (int h = 0; h < m; ++h)
            t.weightsHiddenOutput[h][o] =
                (t.learningCoef * t.outputDeltas[o]) * t.hiddenSignals[h] +
                t.weightsHiddenOutput[h][o];
        t.weightsHiddenOutput[m][o] =
            t.learningCoef * t.outputDeltas[o] + t.weightsHiddenOutput[m][o];
    }
    for (int h = 0; h < m; ++h) {
        for (int i = 0; i < n; ++i)
            t.weightsInputHidden[i][h] = (t.learningCoef * t.hiddenDeltas[h]) * t.inputSignals[i] +
                                         t.weightsInputHidden[i][h];
        t.weightsInputHidden[n][h] =
            t.learningCoef * t.hiddenDeltas[h] + t.weightsInputHidden[n][h];
    }
}

namespace {

int Winner(const double* signals, int k) {
    double best = signals[0];
    int index = 0;
    for (int o = 1; o < k; ++o)
        if (signals[o] > best) {
            best = signals[o];
            index = o;
        }
    return index;
}

// The train button's caption after a whole percentage, spelled out here
// rather than taken from the code under test (a Latin C, then Cyrillic).
std::string Caption(long long percent) {
    return "C\xD0\xB5ть в процессе обучения... " + std::to_string(percent) + "%";
}

}  // namespace

void ReferenceTrainingPasses(NetTask& t, int iterations, const ProgressCallback& progress) {
    for (long long p = 0;; ++p) {
        double E = 0.0;
        for (int e = 0; e < t.exampleCount; ++e) {
            ReferenceLoadExample(t, e);
            Forward(t);
            double S = 0.0;
            for (int o = 0; o < t.outputCount; ++o)
                S = S + (t.targetSignals[o] - t.outputSignals[o]) *
                            (t.targetSignals[o] - t.outputSignals[o]);
            E = 0.5 * (E + S);
            ReferenceBackPropagate(t);
        }
        t.errorHistory[t.errorCount] = E;
        t.errorCount = t.errorCount + 1;
        if (E > t.errorMax) t.errorMax = E;
        if (E < t.errorMin) t.errorMin = E;
        if (p > iterations) break;
        const long long q = p + 1;
        if (q * 100 % iterations == 0 && progress) progress(Caption(q * 100 / iterations));
    }
}

double ReferenceAccuracy(NetTask& t) {
    int correct = 0;
    for (int e = 0; e < t.exampleCount; ++e) {
        ReferenceLoadExample(t, e);
        Forward(t);
        if (Winner(t.outputSignals, t.outputCount) == Winner(t.targetSignals, t.outputCount))
            ++correct;
    }
    return static_cast<double>(correct) / t.exampleCount * 100.0;
}
