#include "model/numtext.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <system_error>

#include "model/plaintext.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) return false;
    return AsciiLower(text.substr(pos, word.size())) == word;
}

// strtod in the "C" locale, whatever the process locale says.
double StrtodC(const std::string& text) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

int LenientAtoi(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double LenientAtof(std::string_view text, std::size_t* consumed) {
    if (consumed) *consumed = 0;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;

    // "inf", "infinity" and "nan" read as strtod reads them.
    for (std::string_view word : {"infinity", "inf", "nan"}) {
        if (StartsWithNoCase(text, i, word)) {
            std::size_t end = i + word.size();
            if (consumed) *consumed = end;
            return StrtodC(std::string(text.substr(start, end - start)));
        }
    }

    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && IsDigit(text[e])) {
            while (e < text.size() && IsDigit(text[e])) ++e;
            i = e;
        }
    }
    if (consumed) *consumed = i;
    // The prefix is plain decimal, so strtod in the C locale reads it exactly
    // (overflow gives infinity, underflow zero or a subnormal, as atof does).
    return StrtodC(std::string(text.substr(start, i - start)));
}

bool IsNumberText(std::string_view text) {
    std::size_t consumed = 0;
    LenientAtof(text, &consumed);
    if (consumed == 0) return false;
    for (std::size_t i = consumed; i < text.size(); ++i)
        if (!IsBlank(text[i])) return false;
    return true;
}

namespace {

// to_chars with a buffer sized for the request: the largest double has 309
// integer digits, and a precision may ask for as many more.
std::string ToChars(double value, std::chars_format format, int precision) {
    if (precision < 0) precision = 6;  // printf treats a negative precision as none given
    std::string buffer(static_cast<std::size_t>(precision) + 330, '\0');
    auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    buffer.resize(result.ec == std::errc() ? result.ptr - buffer.data() : 0);
    return buffer;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    return ToChars(value, std::chars_format::fixed, decimals);
}

std::string FormatLf(double value) {
    return FormatFixed(value, 6);
}

std::string FormatG(double value, int precision) {
    return ToChars(value, std::chars_format::general, precision);
}

std::string FormatInt(long long value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
