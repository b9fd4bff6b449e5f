#include "dataset/columnplan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numeric>
#include <optional>
#include <set>

#include "dataset/columnkind.h"
#include "dataset/numbercell.h"

const char* const MissingVariantName = "?";

namespace {

constexpr long long Micro = 1000000;  // six decimals, as the task file keeps values

// One variant before values are given: its name and, for numeric columns, its number.
struct Distinct {
    std::string name;
    double key = 0;
};

// The distinct texts of the column, in declared or first-met order.
std::vector<std::string> DistinctTexts(const DataColumn& column,
                                       const std::vector<DataCell>& cells) {
    std::vector<std::string> texts;
    std::set<std::string> seen;
    auto add = [&](const std::string& text) {
        if (seen.insert(text).second) texts.push_back(text);
    };
    if (column.kind == DataColumn::Kind::Nominal)
        for (const std::string& value : column.declared) add(value);
    for (const DataCell& cell : cells)
        if (cell) add(*cell);
    return texts;
}

// Spreads values that round to the same millionth apart, keeping their
// order and the range 0..1. At most MaxVariants values, so there is room.
std::vector<long long> DistinctMicros(const std::vector<double>& values) {
    std::vector<long long> micros(values.size());
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t i = 0; i < values.size(); ++i) micros[i] = std::llround(values[i] * Micro);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return micros[a] < micros[b]; });
    for (std::size_t r = 1; r < order.size(); ++r)
        micros[order[r]] = std::max(micros[order[r]], micros[order[r - 1]] + 1);
    for (std::size_t r = order.size(); r-- > 0;) {
        const long long ceiling = r + 1 < order.size() ? micros[order[r + 1]] - 1 : Micro;
        micros[order[r]] = std::min(micros[order[r]], ceiling);
    }
    return micros;
}

// Values evenly over 0..1 in order (a single one in the middle).
std::vector<double> EvenValues(std::size_t count) {
    std::vector<double> values(count, 0.5);
    if (count > 1)
        for (std::size_t i = 0; i < count; ++i) values[i] = double(i) / double(count - 1);
    return values;
}

struct Ordered {
    std::vector<Distinct> variants;
    std::vector<int> variantOfText;  // index into DistinctTexts -> variant
    bool numeric = false;            // every text a number or a range
    bool plainNumbers = false;       // every text a number
    bool dates = false;              // every text a date (keyed by its day)
};

// Orders the texts: by number (or date) when all read as numbers, ranges or
// dates, else as they come; equal numbers written differently are one variant.
Ordered OrderTexts(const std::vector<std::string>& texts, const DataColumn& column) {
    Ordered ordered;
    std::vector<std::optional<double>> keys;
    bool ranges = false;
    const ValueKind kind = KindOfTexts(column, texts);
    for (const std::string& text : texts) {
        keys.push_back(ValueKey(text, kind, column.decimal));
        ranges = ranges || (kind == ValueKind::Number && !ReadNumberCell(text, column.decimal));
    }
    ordered.numeric = !texts.empty() && std::all_of(keys.begin(), keys.end(), [](const auto& key) {
        return key.has_value();
    });
    ordered.plainNumbers = ordered.numeric && !ranges;
    ordered.dates = ordered.numeric && kind == ValueKind::Date;
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    if (ordered.numeric)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return *keys[a] < *keys[b]; });
    ordered.variantOfText.assign(texts.size(), -1);
    for (std::size_t t : order) {
        const bool sameNumber = ordered.plainNumbers && !ordered.variants.empty() &&
                                ordered.variants.back().key == *keys[t];
        if (!sameNumber) ordered.variants.push_back({texts[t], keys[t].value_or(0)});
        ordered.variantOfText[t] = static_cast<int>(ordered.variants.size()) - 1;
    }
    // A merged number keeps the text met first, not the smallest index in order.
    for (std::size_t t = texts.size(); t-- > 0;)
        if (ordered.plainNumbers) ordered.variants[ordered.variantOfText[t]].name = texts[t];
    return ordered;
}

std::vector<double> ProportionalValues(const std::vector<Distinct>& variants) {
    if (variants.empty()) return {};
    const double low = variants.front().key, high = variants.back().key;
    // A spread no double holds (refused by the import) must not give values outside 0..1.
    if (!(high > low) || !std::isfinite(high - low)) return EvenValues(variants.size());
    std::vector<double> values;
    for (const Distinct& variant : variants) values.push_back((variant.key - low) / (high - low));
    return values;
}

// Equal-frequency cut points over the sorted numbers: each bin starts at its
// threshold; ties stay together, so there may be fewer than bins intervals.
std::vector<double> Thresholds(const std::vector<double>& sorted, int bins) {
    std::vector<double> thresholds;
    const std::size_t n = sorted.size();
    for (int b = 1; b < bins; ++b) {
        const std::size_t at = (static_cast<std::size_t>(b) * n + bins / 2) / bins;
        if (at == 0 || at >= n) continue;
        double cut = sorted[at];
        // A cut inside a run of equal numbers moves above the run.
        if (sorted[at - 1] == cut) {
            const auto above = std::upper_bound(sorted.begin(), sorted.end(), cut);
            if (above == sorted.end()) continue;
            cut = *above;
        }
        if (cut > sorted.front() && (thresholds.empty() || cut > thresholds.back()))
            thresholds.push_back(cut);
    }
    return thresholds;
}

struct Plan {
    ColumnPlan plan;
    std::vector<int> textVariant;  // text -> variant
};

// The number with the fewest digits in (above, atMost], so that a cut point
// reads short and still parts the rows exactly where the data part them.
double ShortestBetween(double above, double atMost) {
    for (int power = 308; power >= -324; --power) {
        const double step = std::pow(10.0, power);
        if (!std::isfinite(step) || step == 0) continue;
        // Division by an exact power of ten gives the double nearest the decimal.
        auto multipleOf = [power, step](double multiple) {
            return power < 0 && power >= -22 ? multiple / std::pow(10.0, -power) : multiple * step;
        };
        double candidate = multipleOf(std::floor(above / step) + 1);
        // above / step may fall just short of a whole number (158.2 / 0.1
        // gives 1581.99...), whose next multiple is above itself.
        if (candidate <= above) candidate = multipleOf(std::floor(above / step) + 2);
        if (candidate > above && candidate <= atMost) return candidate;
    }
    return atMost;
}

// The shortest text that reads back as value, with a decimal comma when the
// column writes its numbers so.
std::string NumberText(double value, bool decimalComma) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ptr - buffer > 24) result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (decimalComma) std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// The column's decimal mark when the reading found one; else a text whose
// last mark is a comma ("1,5", "1.234,5") shows it is the decimal one, as the
// reader took it. A comma before a point groups thousands ("1,234.5").
bool WritesDecimalComma(const DataColumn& column, const std::vector<std::string>& texts) {
    if (column.decimal != 0) return column.decimal == ',';
    return std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
        const std::size_t mark = text.find_last_of(".,");
        return mark != std::string::npos && text[mark] == ',';
    });
}

// "< 40", "40 – 62", ">= 62": every number falls in exactly one interval.
std::vector<std::string> IntervalNames(const std::vector<double>& cuts, bool decimalComma) {
    std::vector<std::string> names{"< " + NumberText(cuts.front(), decimalComma)};
    for (std::size_t c = 1; c < cuts.size(); ++c)
        names.push_back(NumberText(cuts[c - 1], decimalComma) + " – " +
                        NumberText(cuts[c], decimalComma));
    names.push_back(">= " + NumberText(cuts.back(), decimalComma));
    return names;
}

Plan Binned(const DataColumn& column, const Ordered& ordered, const std::vector<std::string>& texts,
            const std::vector<DataCell>& cells, int bins) {
    std::map<std::string, double> number;
    for (std::size_t t = 0; t < texts.size(); ++t)
        number[texts[t]] = ordered.variants[ordered.variantOfText[t]].key;
    std::vector<double> sorted;
    for (const DataCell& cell : cells)
        if (cell) sorted.push_back(number[*cell]);
    std::sort(sorted.begin(), sorted.end());
    std::vector<double> cuts = Thresholds(sorted, bins);
    // A middle cut inside the top run of equal numbers is dropped above; the
    // run then starts an interval of its own, so there are always two.
    if (cuts.empty())
        cuts.push_back(*std::lower_bound(sorted.begin(), sorted.end(), sorted.back()));
    for (double& cut : cuts) {
        const double below = *(std::lower_bound(sorted.begin(), sorted.end(), cut) - 1);
        cut = ShortestBetween(below, cut);
    }
    auto binOf = [&](double x) {
        return static_cast<int>(std::upper_bound(cuts.begin(), cuts.end(), x) - cuts.begin());
    };
    Plan result;
    result.plan.names = IntervalNames(cuts, WritesDecimalComma(column, texts));
    result.plan.values = EvenValues(result.plan.names.size());
    result.plan.binned = true;
    result.plan.scale = {NumericScale::Kind::Intervals, sorted.front(), sorted.back(), cuts};
    for (std::size_t t = 0; t < texts.size(); ++t)
        result.textVariant.push_back(binOf(ordered.variants[ordered.variantOfText[t]].key));
    return result;
}

Plan Unbinned(const Ordered& ordered) {
    Plan result;
    for (const Distinct& variant : ordered.variants) result.plan.names.push_back(variant.name);
    result.plan.values = ordered.numeric ? ProportionalValues(ordered.variants)
                                         : EvenValues(ordered.variants.size());
    result.textVariant = ordered.variantOfText;
    return result;
}

void AssignRows(Plan& plan, const std::vector<std::string>& texts,
                const std::vector<DataCell>& cells, int missingVariant) {
    std::map<std::string, int> textIndex;
    for (std::size_t t = 0; t < texts.size(); ++t) textIndex[texts[t]] = static_cast<int>(t);
    for (const DataCell& cell : cells)
        plan.plan.rowVariant.push_back(cell ? plan.textVariant[textIndex[*cell]] : missingVariant);
}

}  // namespace

ColumnPlan PlanInputColumn(const DataColumn& column, const std::vector<DataCell>& cells, int bins) {
    const std::vector<std::string> texts = DistinctTexts(column, cells);
    const Ordered ordered = OrderTexts(texts, column);
    // Dates are ordered and valued by their day, but neither cut into
    // intervals nor asked by number.
    const bool numbers =
        ordered.plainNumbers && !ordered.dates && column.kind != DataColumn::Kind::Nominal;
    const bool bin =
        numbers && bins != ExactValues && ordered.variants.size() > static_cast<std::size_t>(bins);
    Plan plan = bin ? Binned(column, ordered, texts, cells, bins) : Unbinned(ordered);
    if (numbers && !bin)
        plan.plan.scale = {NumericScale::Kind::Exact,
                           ordered.variants.front().key,
                           ordered.variants.back().key,
                           {}};

    std::vector<long long> micros = DistinctMicros(plan.plan.values);
    const bool anyMissing =
        std::any_of(cells.begin(), cells.end(), [](const DataCell& cell) { return !cell; });
    int missingVariant = -1;
    if (anyMissing) {
        // The mean of the others, moved to the nearest free millionth.
        const double mean =
            micros.empty() ? Micro / 2.0
                           : std::accumulate(micros.begin(), micros.end(), 0.0) / micros.size();
        const std::set<long long> used(micros.begin(), micros.end());
        const long long target = std::llround(mean);
        long long chosen = target;
        for (long long step = 0; used.count(chosen) || chosen < 0 || chosen > Micro; ++step)
            chosen = target + (step % 2 ? -(step + 1) / 2 : (step + 1) / 2);
        micros.push_back(chosen);
        missingVariant = static_cast<int>(plan.plan.names.size());
        plan.plan.names.push_back(MissingVariantName);
    }
    plan.plan.values.clear();
    for (long long micro : micros) plan.plan.values.push_back(double(micro) / Micro);
    AssignRows(plan, texts, cells, missingVariant);
    return std::move(plan.plan);
}

ColumnPlan PlanResultColumn(const DataColumn& column, const std::vector<DataCell>& cells) {
    const std::vector<std::string> texts = DistinctTexts(column, cells);
    Plan plan = Unbinned(OrderTexts(texts, column));
    plan.plan.values.clear();
    AssignRows(plan, texts, cells, -1);
    return std::move(plan.plan);
}
