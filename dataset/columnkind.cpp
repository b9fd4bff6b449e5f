#include "dataset/columnkind.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "dataset/numbercell.h"
#include "dataset/texts.h"

namespace {

std::vector<std::string> DistinctOf(const std::vector<DataCell>& cells) {
    std::set<std::string> seen;
    std::vector<std::string> texts;
    for (const DataCell& cell : cells)
        if (cell && seen.insert(*cell).second) texts.push_back(*cell);
    return texts;
}

}  // namespace

const char* ValueKindName(ValueKind kind) {
    switch (kind) {
        case ValueKind::Number:
            return NumbersKindName;
        case ValueKind::Date:
            return DatesKindName;
        case ValueKind::Words:
            break;
    }
    return WordsKindName;
}

ValueKind KindOfTexts(const DataColumn& column, const std::vector<std::string>& texts) {
    if (column.words || texts.empty()) return ValueKind::Words;
    if (std::all_of(texts.begin(), texts.end(),
                    [](const std::string& text) { return ReadDateCell(text).has_value(); }))
        return ValueKind::Date;
    if (std::all_of(texts.begin(), texts.end(), [&](const std::string& text) {
            return ReadNumberCell(text, column.decimal) || ReadRangeCell(text, column.decimal);
        }))
        return ValueKind::Number;
    return ValueKind::Words;
}

std::optional<double> ValueKey(const std::string& text, ValueKind kind, char decimal) {
    if (kind == ValueKind::Date) return ReadDateCell(text);
    if (kind != ValueKind::Number) return std::nullopt;
    if (auto number = ReadNumberCell(text, decimal)) return number;
    if (auto range = ReadRangeCell(text, decimal)) return RangeMiddle(*range);
    return std::nullopt;
}

char DecimalMarkShownIn(const DataTable& table) {
    long long comma = 0, point = 0;
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size() && c < table.columns.size(); ++c) {
            if (!row[c] || table.columns[c].kind != DataColumn::Kind::Free) continue;
            const char mark = DecimalMarkOf(*row[c]);
            comma += mark == ',';
            point += mark == '.';
        }
    return comma > point ? ',' : point > comma ? '.' : 0;
}

ColumnOverview OverviewOf(const DataTable& table, std::size_t column) {
    std::vector<DataCell> cells;
    for (const auto& row : table.rows) cells.push_back(row[column]);
    const std::vector<std::string> texts = DistinctOf(cells);
    return {KindOfTexts(table.columns[column], texts), texts.size()};
}

bool SpreadFits(const DataColumn& column, const std::vector<DataCell>& cells) {
    const std::vector<std::string> texts = DistinctOf(cells);
    const ValueKind kind = KindOfTexts(column, texts);
    if (kind != ValueKind::Number) return true;
    double low = INFINITY, high = -INFINITY;
    for (const std::string& text : texts) {
        const std::optional<double> key = ValueKey(text, kind, column.decimal);
        if (auto range = ReadRangeCell(text, column.decimal);
            range && !ReadNumberCell(text, column.decimal)) {
            low = std::min({low, range->first, range->second});
            high = std::max({high, range->first, range->second});
        }
        if (key) low = std::min(low, *key), high = std::max(high, *key);
    }
    return std::isfinite(high - low);
}
