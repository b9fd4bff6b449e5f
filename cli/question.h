// A question to the network typed on the command line or read from a table:
// variant names (UTF-8) turned into one variant index per input parameter.
#pragma once

#include <string>
#include <vector>

#include "model/numericscale.h"
#include "model/status.h"
#include "model/task.h"

// The parameter of that name (UTF-8), or -1.
int FindParam(const NetTask& task, const std::string& name);
// The variant of parameter param with that name (UTF-8), or -1.
int FindVariant(const NetTask& task, int param, const std::string& name);
// What a word (UTF-8) asks of parameter param: a variant by name, or a number
// on the parameter's scale (ResolveParamInput); empty when neither.
std::optional<ParamInput> ResolveWord(const NetTask& task, int param, const std::string& word);

// NoVariantMessage, then the variants on offer (or the range of numbers).
std::string UnknownVariantMessage(const NetTask& task, int param, const std::string& name);
// NoParamMessage, then the parameters on offer.
std::string UnknownParamMessage(const NetTask& task, const std::string& name);

// words: variant names (or numbers, for a parameter with a scale) in
// parameter order, or PARAM=VARIANT pairs (the two may be mixed: a word
// without a parameter takes the next parameter in order). Refused with a
// message (UTF-8) saying what is wrong and what is valid.
Status ResolveQuestion(const NetTask& task, const std::vector<std::string>& words,
                       ParamInput* inputs);
