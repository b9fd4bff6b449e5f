#include "storage/networksection.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/numtext.h"
#include "model/trainednetwork.h"
#include "storage/checksum.h"
#include "storage/sectionlines.h"

namespace {

constexpr std::string_view MarkerLine = "#zarn-network 1";
constexpr std::string_view EndPrefix = "#end ";

// FNV-1a 64 over the shape and the bits of every number, so that a changed
// digit, a lost line end or a cut is noticed and not loaded as a network.
class Checksum {
  public:
    explicit Checksum(const NetworkShape& shape) {
        for (int32_t count : {shape.inputs, shape.hidden, shape.outputs})
            AddBits(static_cast<uint32_t>(count));
    }
    void Add(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        AddBits(bits);
    }
    std::string Hex() const { return Hex16(hash_); }

  private:
    // The eight bytes of the bits, lowest first.
    void AddBits(uint64_t bits) {
        char bytes[8];
        for (int byte = 0; byte < 8; ++byte)
            bytes[byte] = static_cast<char>((bits >> (8 * byte)) & 0xFF);
        hash_ = Fnv1a(std::string_view(bytes, sizeof bytes), hash_);
    }
    uint64_t hash_ = Fnv1aStart;
};

// Shortest text that reads back to the same bits, whatever the locale.
std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ValidResults(double accuracyPercent, double learningCoef) {
    return accuracyPercent > 0.0 && accuracyPercent <= 100.0 && learningCoef >= 0.0 &&
           learningCoef <= 1.0;
}

// The numbers of the section after the shape line, in file order: the two
// results, then the rows of both weight tables.
std::vector<double> Numbers(const NetTask& task, const NetworkShape& shape) {
    const int n = shape.inputs, m = shape.hidden, k = shape.outputs;
    std::vector<double> numbers{task.accuracyPercent, task.learningCoef};
    for (int i = 0; i <= n; ++i)
        numbers.insert(numbers.end(), task.weightsInputHidden[i], task.weightsInputHidden[i] + m);
    for (int h = 0; h <= m; ++h)
        numbers.insert(numbers.end(), task.weightsHiddenOutput[h], task.weightsHiddenOutput[h] + k);
    return numbers;
}

// Line lengths of the section's number lines, in file order.
std::vector<int> RowLengths(const NetworkShape& shape) {
    std::vector<int> lengths{2};
    lengths.insert(lengths.end(), shape.inputs + 1, shape.hidden);
    lengths.insert(lengths.end(), shape.hidden + 1, shape.outputs);
    return lengths;
}

// Exactly count numbers separated by single spaces, filling the whole line.
template <typename Number>
bool ReadRow(std::string_view line, Number* out, int count) {
    const char* p = line.data();
    const char* const end = p + line.size();
    for (int c = 0; c < count; ++c) {
        if (c > 0 && (p == end || *p++ != ' ')) return false;
        const auto result = std::from_chars(p, end, out[c]);
        if (result.ec != std::errc()) return false;
        if constexpr (std::is_floating_point_v<Number>)
            if (!std::isfinite(out[c])) return false;
        p = result.ptr;
    }
    return p == end;
}

void Apply(const NetworkShape& shape, const std::vector<double>& numbers, NetTask& task) {
    const int n = shape.inputs, m = shape.hidden, k = shape.outputs;
    const double* from = numbers.data();
    task.accuracyPercent = *from++;
    task.learningCoef = *from++;
    for (int i = 0; i <= n; ++i, from += m) std::copy(from, from + m, task.weightsInputHidden[i]);
    for (int h = 0; h <= m; ++h, from += k) std::copy(from, from + k, task.weightsHiddenOutput[h]);
    task.trainedShape = shape;
    // The error history belongs to the weights just replaced.
    task.errorCount = 0;
}

}  // namespace

std::string FormatNetworkSection(const NetTask& task) {
    if (!HasUsableNetwork(task) || !ValidResults(task.accuracyPercent, task.learningCoef))
        return {};
    const NetworkShape shape = task.trainedShape;
    const std::vector<double> numbers = Numbers(task, shape);
    Checksum sum(shape);
    std::string out = std::string(MarkerLine) + "\n" + FormatInt(shape.inputs) + " " +
                      FormatInt(shape.hidden) + " " + FormatInt(shape.outputs) + "\n";
    std::size_t next = 0;
    for (int length : RowLengths(shape)) {
        for (int c = 0; c < length; ++c, ++next) {
            const double value = numbers[next];
            if (!std::isfinite(value)) return {};  // the reader would not take it back
            sum.Add(value);
            if (c > 0) out += ' ';
            out += Shortest(value);
        }
        out += '\n';
    }
    return out + std::string(EndPrefix) + sum.Hex() + "\n";
}

NetworkLoad ParseNetworkSection(std::string_view bytes, const NetworkShape& shape, NetTask& task) {
    if (bytes.empty()) return NetworkLoad::None;
    std::string_view line;
    if (!NextLine(bytes, line) || line != MarkerLine) return NetworkLoad::Damaged;

    int32_t counts[3];
    if (!NextLine(bytes, line) || !ReadRow(line, counts, 3)) return NetworkLoad::Damaged;
    const NetworkShape stated{counts[0], counts[1], counts[2]};
    if (!(stated == shape) || !ShapeFitsStorage(stated)) return NetworkLoad::Damaged;

    std::vector<double> numbers;
    Checksum sum(stated);
    for (int length : RowLengths(stated)) {
        const std::size_t at = numbers.size();
        numbers.resize(at + length);
        if (!NextLine(bytes, line) || !ReadRow(line, numbers.data() + at, length))
            return NetworkLoad::Damaged;
        for (int c = 0; c < length; ++c) sum.Add(numbers[at + c]);
    }
    if (!NextLine(bytes, line) || line != std::string(EndPrefix) + sum.Hex())
        return NetworkLoad::Damaged;
    if (!ValidResults(numbers[0], numbers[1])) return NetworkLoad::Damaged;
    Apply(stated, numbers, task);
    return NetworkLoad::Loaded;
}
