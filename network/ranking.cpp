#include <algorithm>
#include <cmath>
#include <limits>

#include "model/numtext.h"
#include "network/forward.h"
#include "network/network.h"

namespace {

// A signal that is no number ranks last instead of breaking the order.
double RankKey(double activation) {
    return std::isnan(activation) ? -std::numeric_limits<double>::infinity() : activation;
}

// Every output ranked after a forward pass that chose winner (-1: none ran).
std::vector<RankedOutput> Ranked(const NetTask& task, int winner) {
    if (winner < 0) return {};
    std::vector<RankedOutput> ranked(task.outputCount);
    for (int o = 0; o < task.outputCount; ++o) ranked[o] = {o, task.outputSignals[o]};
    // The answer heads the list whatever odd signals the others carry.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [winner](const RankedOutput& a, const RankedOutput& b) {
                         if (a.output == winner || b.output == winner) return b.output != winner;
                         return RankKey(a.activation) > RankKey(b.activation);
                     });
    return ranked;
}

}  // namespace

std::vector<RankedOutput> RankOutputs(NetTask& task, const int* variantIndex) {
    return Ranked(task, CheckAnswer(task, variantIndex));
}

std::vector<RankedOutput> RankSignals(NetTask& task, const double* inputSignals) {
    return Ranked(task, AnswerForSignals(task, inputSignals));
}

std::string RankedText(const NetTask& task, const RankedOutput& ranked) {
    return task.outputNames[ranked.output] + " " + FormatFixed(ranked.activation, 3);
}

std::vector<std::vector<AnswerChange>> ExplainAnswer(NetTask& task, const int* variantIndex) {
    if (RankOutputs(task, variantIndex).empty()) return {};
    double inputSignals[MaxInputs];
    for (int i = 0; i < task.inputCount; ++i)
        inputSignals[i] = task.inputParams[i].variantValues[variantIndex[i]];
    return ExplainSignals(task, inputSignals, variantIndex);
}

std::vector<std::vector<AnswerChange>> ExplainSignals(NetTask& task, const double* inputSignals,
                                                      const int* chosenVariant) {
    const std::vector<RankedOutput> base = RankSignals(task, inputSignals);
    if (base.empty()) return {};
    std::vector<std::vector<AnswerChange>> changes(task.inputCount);
    double probe[MaxInputs];
    std::copy(inputSignals, inputSignals + task.inputCount, probe);
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        for (int j = 0; j < std::clamp(param.variantCount, 0, MaxVariants); ++j) {
            if (j == chosenVariant[i]) continue;
            probe[i] = param.variantValues[j];
            const std::vector<RankedOutput> ranked = RankSignals(task, probe);
            if (!ranked.empty() && ranked.front().output != base.front().output)
                changes[i].push_back({j, ranked.front()});
        }
        probe[i] = inputSignals[i];
    }
    return changes;
}
