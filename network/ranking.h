// How sure the network's answer is: every output ranked by its signal, and
// which single change of an input would change the answer.
#pragma once

#include <string>
#include <vector>

#include "model/task.h"

// How many ranked outputs the check dialog and zarn-cli ask show by default.
constexpr int RankedShown = 5;

struct RankedOutput {
    int output = 0;           // index into outputNames
    double activation = 0.0;  // the output neuron's signal, 0..1
};

// Runs the network on one variant index per input and returns every output,
// highest signal first; equal signals keep the lower index first, so the head
// is CheckAnswer's answer. Empty when CheckAnswer cannot run.
std::vector<RankedOutput> RankOutputs(NetTask& task, const int* variantIndex);
// The same for one input signal per input (AnswerForSignals).
std::vector<RankedOutput> RankSignals(NetTask& task, const double* inputSignals);

// One ranked output as text: its name (Windows-1251, as stored) and the
// signal with three decimals, "вишня 0.934".
std::string RankedText(const NetTask& task, const RankedOutput& ranked);

// Another variant of one parameter that alone changes the answer.
struct AnswerChange {
    int variant = 0;       // the other variant of the parameter
    RankedOutput becomes;  // the answer it gives
};

// For each input parameter in order, the variants that change the answer when
// only that parameter takes them (in variant order; empty when none does).
// Empty when the network cannot run on variantIndex.
std::vector<std::vector<AnswerChange>> ExplainAnswer(NetTask& task, const int* variantIndex);
// The same for input signals; chosenVariant[i] is the variant whose value
// inputSignals[i] is, or -1 for a number between variants (then every variant is tried).
std::vector<std::vector<AnswerChange>> ExplainSignals(NetTask& task, const double* inputSignals,
                                                      const int* chosenVariant);
