#include "network/passes.h"

#include "network/forward.h"

void RunTrainingPasses(NetTask& task, int iterations, const ProgressCallback& progress) {
    const int k = task.outputCount;
    for (long long p = 0;; ++p) {
        double E = 0.0;
        for (int e = 0; e < task.exampleCount; ++e) {
            LoadExampleSignals(task, e);
            ForwardPass(task);
            double S = 0.0;
            for (int o = 0; o < k; ++o) {
                const double diff = task.targetSignals[o] - task.outputSignals[o];
                S += diff * diff;
            }
            E = 0.5 * (E + S);
            BackPropagate(task);
        }
        task.errorHistory[task.errorCount] = E;
        task.errorCount = task.errorCount + 1;
        if (E > task.errorMax) task.errorMax = E;
        if (E < task.errorMin) task.errorMin = E;
        if (p > iterations) break;
        const long long q = p + 1;
        if ((q * 100) % iterations == 0 && progress) progress(ProgressCaption(q * 100 / iterations));
    }
}
