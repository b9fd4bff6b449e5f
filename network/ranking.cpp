#include "network/ranking.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/numtext.h"
#include "network/forward.h"

namespace {

// A signal that is no number ranks last instead of breaking the order.
double RankKey(double activation) {
    return std::isnan(activation) ? -std::numeric_limits<double>::infinity() : activation;
}

}  // namespace

std::vector<RankedOutput> RankOutputs(NetTask& task, const int* variantIndex) {
    const int winner = CheckAnswer(task, variantIndex);
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

std::string RankedText(const NetTask& task, const RankedOutput& ranked) {
    return task.outputNames[ranked.output] + " " + FormatFixed(ranked.activation, 3);
}

std::vector<std::vector<AnswerChange>> ExplainAnswer(NetTask& task, const int* variantIndex) {
    const std::vector<RankedOutput> base = RankOutputs(task, variantIndex);
    if (base.empty()) return {};
    std::vector<std::vector<AnswerChange>> changes(task.inputCount);
    int probe[MaxInputs];
    std::copy(variantIndex, variantIndex + task.inputCount, probe);
    for (int i = 0; i < task.inputCount; ++i) {
        for (int j = 0; j < task.inputParams[i].variantCount; ++j) {
            if (j == variantIndex[i]) continue;
            probe[i] = j;
            const std::vector<RankedOutput> ranked = RankOutputs(task, probe);
            if (ranked.front().output != base.front().output)
                changes[i].push_back({j, ranked.front()});
        }
        probe[i] = variantIndex[i];
    }
    return changes;
}
