#include <algorithm>

#include "model/numtext.h"
#include "model/task.h"
#include "network/network.h"

const char* const DefaultIterationsText = "10000";
const char* const DefaultCoefText = "0.2";

int ClampHiddenCount(int count) {
    return std::clamp(count, 1, MaxHidden);
}

int HiddenCountFromText(std::string_view text) {
    return ClampHiddenCount(LenientAtoi(text));
}

std::string CoefTextWithPoint(std::string_view typed) {
    std::string text(typed);
    if (text.find('.') != std::string::npos) return text;
    if (const std::size_t comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    return text;
}
