#include "storage/scalesection.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/numericscale.h"
#include "model/numtext.h"
#include "storage/checksum.h"
#include "storage/sectionlines.h"

namespace {

constexpr std::string_view MarkerLine = "#zarn-scale 1";
constexpr std::string_view EndPrefix = "#end ";
constexpr std::string_view ExactWord = "exact";
constexpr std::string_view IntervalsWord = "intervals";

std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Space-separated words of a line; empty words (two spaces) make it unreadable.
std::optional<std::vector<std::string_view>> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (;;) {
        const std::size_t space = line.find(' ');
        words.push_back(line.substr(0, space));
        if (words.back().empty()) return std::nullopt;
        if (space == std::string_view::npos) return words;
        line.remove_prefix(space + 1);
    }
}

template <typename Number>
bool ReadWord(std::string_view word, Number& value) {
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}

// One parameter line into (parameter, scale); false when it does not read.
bool ReadScaleLine(std::string_view line, int& param, NumericScale& scale) {
    const auto words = Words(line);
    if (!words || words->size() < 4 || !ReadWord((*words)[0], param)) return false;
    const std::string_view kind = (*words)[1];
    if (kind == ExactWord) {
        if (words->size() != 4) return false;
        scale.kind = NumericScale::Kind::Exact;
    } else if (kind == IntervalsWord) {
        if (words->size() < 5) return false;
        scale.kind = NumericScale::Kind::Intervals;
    } else {
        return false;
    }
    if (!ReadWord((*words)[2], scale.low) || !ReadWord((*words)[3], scale.high)) return false;
    scale.cuts.resize(words->size() - 4);
    for (std::size_t c = 0; c < scale.cuts.size(); ++c)
        if (!ReadWord((*words)[4 + c], scale.cuts[c])) return false;
    return true;
}

}  // namespace

std::string FormatScaleSection(const NetTask& task) {
    std::string lines;
    for (int i = 0; i < task.inputCount && i < MaxInputs; ++i) {
        const InputParam& param = task.inputParams[i];
        if (!ScaleFits(param)) continue;
        const NumericScale& scale = param.scale;
        const bool exact = scale.kind == NumericScale::Kind::Exact;
        lines += FormatInt(i) + " " + std::string(exact ? ExactWord : IntervalsWord) + " " +
                 Shortest(scale.low) + " " + Shortest(scale.high);
        for (double cut : scale.cuts) {
            // Appended piece by piece: GCC 12 at -O3 misreads "x" + string as an overlapping copy.
            lines += ' ';
            lines += Shortest(cut);
        }
        lines += "\n";
    }
    if (lines.empty()) return {};
    return std::string(MarkerLine) + "\n" + lines + std::string(EndPrefix) + Hex16(Fnv1a(lines)) +
           "\n";
}

std::size_t FindScaleSection(std::string_view bytes) {
    constexpr std::string_view Opening = "#zarn-scale ";
    if (bytes.substr(0, Opening.size()) == Opening) return 0;
    std::string line = "\n";
    line += Opening;
    const std::size_t at = bytes.find(line);
    return at == std::string_view::npos ? at : at + 1;
}

ScaleLoad ParseScaleSection(std::string_view bytes, NetTask& task) {
    if (bytes.empty()) return ScaleLoad::None;
    std::string_view line;
    if (!NextLine(bytes, line) || line != MarkerLine) return ScaleLoad::Damaged;
    std::vector<std::pair<int, NumericScale>> scales;
    // The checksum covers the parameter lines with LF ends, so CR LF files read too.
    uint64_t hash = Fnv1aStart;
    for (;;) {
        if (!NextLine(bytes, line)) return ScaleLoad::Damaged;  // cut before its end
        if (line.substr(0, EndPrefix.size()) == EndPrefix) break;
        hash = Fnv1a("\n", Fnv1a(line, hash));
        int param = -1;
        NumericScale scale;
        if (!ReadScaleLine(line, param, scale)) return ScaleLoad::Damaged;
        if (param < 0 || param >= task.inputCount || param >= MaxInputs ||
            (!scales.empty() && param <= scales.back().first))
            return ScaleLoad::Damaged;
        scales.emplace_back(param, std::move(scale));
    }
    if (scales.empty() || line != std::string(EndPrefix) + Hex16(hash)) return ScaleLoad::Damaged;
    for (const auto& [param, scale] : scales)
        if (!ScaleFits(scale, task.inputParams[param].variantCount)) return ScaleLoad::Damaged;
    for (auto& [param, scale] : scales) task.inputParams[param].scale = std::move(scale);
    return ScaleLoad::Loaded;
}
