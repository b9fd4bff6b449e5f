#include "dataset/numbercell.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view NoBreakSpace = "\xC2\xA0", NarrowNoBreakSpace = "\xE2\x80\xAF";

// The length of a blank (space, tab, no-break space) at pos, 0 when none.
std::size_t BlankAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    if (text[pos] == ' ' || text[pos] == '\t') return 1;
    if (text.substr(pos).starts_with(NoBreakSpace)) return NoBreakSpace.size();
    if (text.substr(pos).starts_with(NarrowNoBreakSpace)) return NarrowNoBreakSpace.size();
    return 0;
}

std::string_view TrimmedNumber(std::string_view text) {
    for (std::size_t n; (n = BlankAt(text, 0)) > 0;) text.remove_prefix(n);
    for (;;) {
        std::size_t n = 0;
        for (std::size_t k : {1u, 2u, 3u})
            if (k <= text.size() && BlankAt(text, text.size() - k) == k) n = k;
        if (n == 0) return text;
        text.remove_suffix(n);
    }
}

// The digits of a number split at its marks: runs of digits and the mark
// (a point, a comma, an apostrophe or a blank, as one character) before each run after the first.
struct Mantissa {
    std::vector<std::string_view> runs;
    std::vector<char> marks;  // marks[i] stands before runs[i + 1]
    std::string_view exponent;
};

bool SplitMantissa(std::string_view text, Mantissa& m) {
    std::size_t pos = 0, start = 0;
    for (;;) {
        while (pos < text.size() && IsDigit(text[pos])) ++pos;
        m.runs.push_back(text.substr(start, pos - start));
        if (pos >= text.size()) return true;
        const char c = text[pos];
        if (c == 'e' || c == 'E') {
            m.exponent = text.substr(pos);
            return true;
        }
        std::size_t length = BlankAt(text, pos);
        char mark = ' ';
        if (length == 0 && (c == '.' || c == ',' || c == '\'')) length = 1, mark = c;
        if (length == 0) return false;
        m.marks.push_back(mark);
        pos += length;
        start = pos;
    }
}

// The decimal mark of a split number: given, or (0) the last point or
// comma when it is the only one of its kind.
char DecimalOf(const Mantissa& m, char decimal) {
    if (m.marks.empty()) return 0;
    const char last = m.marks.back();
    if (last != '.' && last != ',') return 0;
    if (decimal != 0) return last == decimal ? last : 0;
    for (std::size_t i = 0; i + 1 < m.marks.size(); ++i)
        if (m.marks[i] == last) return 0;
    return last;
}

// The number in plain form ("-1234.5e3"), empty when the text is none.
std::string PlainNumber(std::string_view text, char decimal) {
    text = TrimmedNumber(text);
    std::string plain;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        if (text[0] == '-') plain += '-';
        text.remove_prefix(1);
    }
    Mantissa m;
    if (text.empty() || !SplitMantissa(text, m)) return {};
    const char mark = DecimalOf(m, decimal);
    std::size_t integerRuns = m.runs.size();
    std::string_view fraction;
    if (mark != 0) {
        fraction = m.runs.back();
        --integerRuns;
        if (fraction.empty()) return {};
    }
    // Groups of thousands: one grouping mark, not the decimal one, threes after the first.
    for (std::size_t i = 0; i < integerRuns; ++i) {
        const std::string_view run = m.runs[i];
        if (integerRuns > 1) {
            if (m.marks[i > 0 ? i - 1 : 0] != m.marks[0] || m.marks[0] == mark) return {};
            if (i == 0 ? (run.empty() || run.size() > 3) : run.size() != 3) return {};
            if (decimal != 0 && m.marks[0] == decimal) return {};
        }
        plain += run;
    }
    if (plain.empty() || plain == "-") {
        if (fraction.empty()) return {};
        plain += '0';
    }
    if (mark != 0) plain += '.' + std::string(fraction);
    if (!m.exponent.empty()) {
        std::string_view e = m.exponent.substr(1);
        std::string exponent = "e";
        if (!e.empty() && (e[0] == '+' || e[0] == '-')) {
            if (e[0] == '-') exponent += '-';
            e.remove_prefix(1);
        }
        if (e.empty()) return {};
        for (char c : e)
            if (!IsDigit(c)) return {};
        plain += exponent + std::string(e);
    }
    return plain;
}

int DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool Digits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
    if (pos + count > text.size()) return false;
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(text[i])) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool ValidDate(int y, int m, int d) {
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1000 || m < 1 || m > 12 || d < 1 || d > days[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return !(m == 2 && d == 29 && !leap);
}

}  // namespace

std::optional<double> ReadNumberCell(std::string_view text, char decimal) {
    const std::string plain = PlainNumber(text, decimal);
    if (plain.empty()) return std::nullopt;
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::pair<double, double>> ReadRangeCell(std::string_view text, char decimal) {
    static constexpr std::string_view joints[] = {"..", "\xE2\x80\x93", "\xE2\x80\x94", "-"};
    for (std::string_view joint : joints) {
        // A minus sign may open either end and an exponent, so the joint is
        // one of the first three places "-" occurs (any other joint: the first).
        int tries = joint == "-" ? 3 : 1;
        for (std::size_t at = text.find(joint, 1); at != std::string_view::npos && tries-- > 0;
             at = text.find(joint, at + 1)) {
            const auto low = ReadNumberCell(text.substr(0, at), decimal);
            if (!low) continue;
            const auto high = ReadNumberCell(text.substr(at + joint.size()), decimal);
            if (high) return std::make_pair(*low, *high);
        }
    }
    return std::nullopt;
}

double RangeMiddle(const std::pair<double, double>& range) {
    return range.first / 2 + range.second / 2;
}

std::optional<double> ReadDateCell(std::string_view text) {
    text = TrimmedNumber(text);
    int y = 0, m = 0, d = 1;
    if (text.size() >= 7 && text[4] == '-' && Digits(text, 0, 4, y) && Digits(text, 5, 2, m)) {
        if (text.size() == 10 ? !(text[7] == '-' && Digits(text, 8, 2, d)) : text.size() != 7)
            return std::nullopt;
    } else if (text.size() == 10 && text[2] == '.' && text[5] == '.' && Digits(text, 0, 2, d) &&
               Digits(text, 3, 2, m) && Digits(text, 6, 4, y)) {
    } else {
        return std::nullopt;
    }
    if (!ValidDate(y, m, d)) return std::nullopt;
    return DaysFromCivil(y, m, d);
}

char DecimalMarkOf(std::string_view text) {
    if (!ReadNumberCell(text)) return 0;
    Mantissa m;
    text = TrimmedNumber(text);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    SplitMantissa(text, m);
    const char mark = DecimalOf(m, 0);
    // "1,234" could be either: a decimal mark before three digits alone says nothing.
    if (mark == 0 || (m.marks.size() == 1 && m.runs.back().size() == 3)) return 0;
    return mark;
}
