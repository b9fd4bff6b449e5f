#include "model/numericscale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/cp1251.h"
#include "model/plaintext.h"
#include "model/texts.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The shortest text that reads back as the number.
std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The variants of an Exact scale whose names are numbers, as (number, variant).
std::optional<double> VariantNumber(const InputParam& param, int j) {
    return ReadTypedNumber(param.variantNames[j]);
}

}  // namespace

bool ScaleFits(const InputParam& param) {
    return ScaleFits(param.scale, param.variantCount);
}

bool ScaleFits(const NumericScale& scale, int variantCount) {
    if (scale.kind == NumericScale::Kind::None) return false;
    if (!std::isfinite(scale.low) || !std::isfinite(scale.high) || scale.low > scale.high)
        return false;
    if (variantCount < 1 || variantCount > MaxVariants) return false;
    if (scale.kind == NumericScale::Kind::Exact) return scale.cuts.empty();
    for (std::size_t c = 0; c < scale.cuts.size(); ++c)
        if (!std::isfinite(scale.cuts[c]) || (c > 0 && !(scale.cuts[c] > scale.cuts[c - 1])))
            return false;
    const std::size_t intervals = scale.cuts.size() + 1;
    const auto count = static_cast<std::size_t>(variantCount);
    return count == intervals || count == intervals + 1;
}

std::optional<double> ReadTypedNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    std::string number(text);
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos) {
        if (number.find_first_of(",.", comma + 1) != std::string::npos ||
            number.find('.') != std::string::npos)
            return std::nullopt;
        number[comma] = '.';
    }
    const std::size_t lead = !number.empty() && number[0] == '-' ? 1 : 0;
    if (lead >= number.size() ||
        !((number[lead] >= '0' && number[lead] <= '9') || number[lead] == '.'))
        return std::nullopt;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<ParamInput> ResolveParamInput(const InputParam& param, const std::string& text) {
    const int count = std::clamp(param.variantCount, 0, MaxVariants);
    for (int j = 0; j < count; ++j)
        if (param.variantNames[j] == text) return ParamInput{j, param.variantValues[j], {}, false};
    if (!ScaleFits(param)) return std::nullopt;
    const std::optional<double> number = ReadTypedNumber(text);
    if (!number) return std::nullopt;
    const NumericScale& scale = param.scale;
    ParamInput input;
    input.number = number;
    input.outsideRange = *number < scale.low || *number > scale.high;
    if (scale.kind == NumericScale::Kind::Intervals) {
        input.variant = static_cast<int>(
            std::upper_bound(scale.cuts.begin(), scale.cuts.end(), *number) - scale.cuts.begin());
        input.signal = param.variantValues[input.variant];
        return input;
    }
    for (int j = 0; j < count; ++j) {
        if (VariantNumber(param, j) == number) {
            input.variant = j;
            input.signal = param.variantValues[j];
            return input;
        }
    }
    // A scale of one number has only its middle, where that number's variant stands.
    input.signal = scale.high > scale.low ? (*number - scale.low) / (scale.high - scale.low) : 0.5;
    return input;
}

std::string DescribeParamInput(const InputParam& param, const ParamInput& input) {
    std::string text;
    if (input.variant >= 0) {
        text = QuotedTaskText(param.variantNames[input.variant]);
    } else {
        text = Shortest(*input.number);
        // The nearest exact values on either side, by number.
        int below = -1, above = -1;
        std::optional<double> belowNumber, aboveNumber;
        for (int j = 0; j < std::clamp(param.variantCount, 0, MaxVariants); ++j) {
            const std::optional<double> value = VariantNumber(param, j);
            if (!value) continue;
            if (*value < *input.number && (!belowNumber || *value > *belowNumber))
                below = j, belowNumber = value;
            if (*value > *input.number && (!aboveNumber || *value < *aboveNumber))
                above = j, aboveNumber = value;
        }
        if (below >= 0 && above >= 0)
            text += BetweenValuesText(QuotedTaskText(param.variantNames[below]),
                                      QuotedTaskText(param.variantNames[above]));
    }
    if (input.number && input.outsideRange)
        text += OutsideRangeText(Shortest(param.scale.low), Shortest(param.scale.high));
    return text;
}
