#include "cli/question.h"

#include <algorithm>

#include "cli/texts.h"
#include "dataset/predict.h"
#include "model/cp1251.h"
#include "model/numtext.h"
#include "model/plaintext.h"

namespace {

std::string ParamName(const NetTask& task, int param) {
    return Cp1251ToUtf8(task.inputNames[param]);
}

std::string Listing(const std::string* names, int count) {
    std::string joined;
    for (int j = 0; j < count; ++j) joined += (j ? ", " : "") + Cp1251ToUtf8(names[j]);
    return NamesOnOffer(joined);
}

int Find(const std::string* names, int count, const std::string& utf8) {
    const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
    if (!bytes) return -1;  // a character no stored name can hold
    const std::string* found = std::find(names, names + count, *bytes);
    return found == names + count ? -1 : static_cast<int>(found - names);
}

// What the parameter takes, after its name. A numeric parameter may have
// hundreds of variants ("10,9, 11,4, ..."): its range says more.
std::string WhatItTakes(const InputParam& variants) {
    if (ScaleFits(variants))
        return NumberWanted(FormatG(variants.scale.low, 15), FormatG(variants.scale.high, 15));
    return Listing(variants.variantNames, variants.variantCount);
}

}  // namespace

int FindParam(const NetTask& task, const std::string& name) {
    return Find(task.inputNames, task.inputCount, name);
}

int FindVariant(const NetTask& task, int param, const std::string& name) {
    const InputParam& variants = task.inputParams[param];
    return Find(variants.variantNames, variants.variantCount, name);
}

std::optional<ParamInput> ResolveWord(const NetTask& task, int param, const std::string& word) {
    // Numbers also as tables write them ("45 500"), as the import reads them.
    return ResolveValue(task.inputParams[param], word);
}

std::string UnknownVariantMessage(const NetTask& task, int param, const std::string& name) {
    return NoVariantMessage(name, ParamName(task, param)) + WhatItTakes(task.inputParams[param]);
}

std::string UnknownParamMessage(const NetTask& task, const std::string& name) {
    return NoParamMessage(name) + Listing(task.inputNames, task.inputCount);
}

Status ResolveQuestion(const NetTask& task, const std::vector<std::string>& words,
                       ParamInput* inputs) {
    bool given[MaxInputs] = {};
    int nextInOrder = 0;
    for (const std::string& word : words) {
        int param = -1;
        std::string variant = word;
        const std::size_t eq = word.find('=');
        if (eq != std::string::npos) {
            param = FindParam(task, word.substr(0, eq));
            if (param >= 0) variant = word.substr(eq + 1);
        }
        if (param < 0) {
            while (nextInOrder < task.inputCount && given[nextInOrder]) ++nextInOrder;
            const bool variantHere =
                nextInOrder < task.inputCount && ResolveWord(task, nextInOrder, word).has_value();
            // PARAM=VARIANT with a parameter that does not exist, unless the
            // whole word names a variant (names may hold '=').
            if (eq != std::string::npos && !variantHere) {
                return Status::Refuse(UnknownParamMessage(task, word.substr(0, eq)));
            }
            if (nextInOrder == task.inputCount) {
                return Status::Refuse(ExtraVariantMessage(word, task.inputCount));
            }
            param = nextInOrder;
        }
        if (given[param]) {
            return Status::Refuse(VariantTwiceMessage(ParamName(task, param)));
        }
        const std::optional<ParamInput> input = ResolveWord(task, param, variant);
        if (!input) {
            return Status::Refuse(UnknownVariantMessage(task, param, variant));
        }
        inputs[param] = *input;
        given[param] = true;
    }
    for (int i = 0; i < task.inputCount; ++i) {
        if (given[i]) continue;
        return Status::Refuse(VariantMissingMessage(ParamName(task, i)) +
                              WhatItTakes(task.inputParams[i]));
    }
    return {};
}
