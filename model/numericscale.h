// Numbers asked of a numeric input parameter: which variant, or which input
// signal, a typed value stands for on the parameter's scale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/task.h"

// Whether the scale can serve the parameter's variants: finite numbers,
// low <= high; Intervals: rising cut points and one variant per interval
// (a last variant for missing values may follow). A None scale never fits.
bool ScaleFits(const NumericScale& scale, int variantCount);
bool ScaleFits(const InputParam& param);

// One typed number and nothing else, whatever the process locale: blanks
// around it, an optional sign, digits with a decimal point or one decimal
// comma, an optional exponent. No "inf", "nan" or hexadecimal.
std::optional<double> ReadTypedNumber(std::string_view text);

struct ParamInput {
    int variant = -1;              // the variant used; -1: a number between exact values
    double signal = 0.0;           // the network's input for this parameter
    std::optional<double> number;  // the number, when the text was read as one
    bool outsideRange = false;     // the number lies outside the range trained on
};

// What a text (Windows-1251) asks of the parameter: a variant by its name
// first; then, when the scale fits, a number: Intervals choose the interval
// that holds it; Exact take the variant of an equal number, or else the
// number's place on the scale, (x - low) / (high - low). Empty when neither.
std::optional<ParamInput> ResolveParamInput(const InputParam& param, const std::string& text);

// What was used, for the user (UTF-8): "«40 – 62»" for a variant; a number
// between exact values is followed by BetweenValuesText naming them, and one
// outside the trained range by OutsideRangeText (model/texts.h).
std::string DescribeParamInput(const InputParam& param, const ParamInput& input);
