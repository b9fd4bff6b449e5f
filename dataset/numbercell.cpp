#include "dataset/numbercell.h"

#include <charconv>
#include <cmath>
#include <string>

#include "dataset/datatable.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> ReadNumberCell(std::string_view text) {
    std::string number = TrimBlanks(text);
    if (number.empty()) return std::nullopt;
    if (number[0] == '+') number.erase(0, 1);
    // A decimal comma, as spreadsheets write under a comma-decimal locale.
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos) {
        if (number.find(',', comma + 1) != std::string::npos ||
            number.find('.') != std::string::npos)
            return std::nullopt;
        number[comma] = '.';
    }
    // A digit or a point must open the number: no "inf", "nan" or hexadecimal.
    const std::size_t lead = number[0] == '-' ? 1 : 0;
    if (lead >= number.size() || !(IsDigit(number[lead]) || number[lead] == '.'))
        return std::nullopt;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::pair<double, double>> ReadRangeCell(std::string_view text) {
    static constexpr std::string_view joints[] = {"..", "\xE2\x80\x93", "\xE2\x80\x94", "-"};
    for (std::string_view joint : joints) {
        // A minus sign may open either end, so try every place the joint occurs.
        for (std::size_t at = text.find(joint, 1); at != std::string_view::npos;
             at = text.find(joint, at + 1)) {
            const auto low = ReadNumberCell(text.substr(0, at));
            const auto high = ReadNumberCell(text.substr(at + joint.size()));
            if (low && high) return std::make_pair(*low, *high);
        }
    }
    return std::nullopt;
}
