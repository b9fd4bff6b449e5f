#include "network/passworkspace.h"

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kAlign = 64;  // one cache line
constexpr long kLine = 8;           // doubles per cache line

long RoundUp(long value, long step) {
    return (value + step - 1) / step * step;
}

// Whole cache lines, an odd count of them.
long RowStride(int columns) {
    long stride = RoundUp(columns, kLine);
    if ((stride / kLine) % 2 == 0) stride += kLine;
    return stride;
}

}  // namespace

void PassWorkspace::Free::operator()(double* p) const {
    ::operator delete[](p, std::align_val_t(kAlign));
}

PassWorkspace::PassWorkspace(const NetTask& task)
    : n(task.inputCount),
      m(task.hiddenCount),
      k(task.outputCount),
      exampleCount(task.exampleCount),
      mPadded(static_cast<int>(RoundUp(task.hiddenCount, 4))),
      kPadded(static_cast<int>(RoundUp(task.outputCount, 4))),
      w1Stride(RowStride(task.hiddenCount)),
      w2Stride(RowStride(task.outputCount)),
      eta(task.learningCoef) {
    const long hiddenVec = RoundUp(mPadded, kLine);
    const long outputVec = w2Stride;
    const long blocks = RoundUp(mPadded, 16) / 16;
    // Every buffer with its size in doubles, laid out one after the other.
    struct Slot {
        double** buffer;
        long size;
    };
    const Slot slots[] = {
        {&w1, (n + 1) * w1Stride},
        {&w2, mPadded * w2Stride},
        {&b2, outputVec},
        {&hidden[0], hiddenVec},
        {&hidden[1], hiddenVec},
        {&output[0], outputVec},
        {&output[1], outputVec},
        {&hiddenDeltas, hiddenVec},
        {&outputDeltas, outputVec},
        {&etaDeltas, outputVec},
        {&sums, outputVec},
        {&inputs, static_cast<long>(exampleCount) * n},
        {&targets, static_cast<long>(exampleCount) * kPadded},
        {&partial, blocks * 16},
    };
    long total = 0;
    for (const Slot& slot : slots) total += RoundUp(slot.size, kLine);
    double* base =
        static_cast<double*>(::operator new[](total * sizeof(double), std::align_val_t(kAlign)));
    storage_.reset(base);
    std::memset(base, 0, total * sizeof(double));
    for (const Slot& slot : slots) {
        *slot.buffer = base;
        base += RoundUp(slot.size, kLine);
    }

    for (int i = 0; i <= n; ++i)
        std::memcpy(w1 + i * w1Stride, task.weightsInputHidden[i], m * sizeof(double));
    for (int h = 0; h < m; ++h)
        std::memcpy(w2 + h * w2Stride, task.weightsHiddenOutput[h], k * sizeof(double));
    std::memcpy(b2, task.weightsHiddenOutput[m], k * sizeof(double));
    for (int e = 0; e < exampleCount; ++e) {
        const Example& example = task.examples[e];
        for (int i = 0; i < n; ++i)
            inputs[e * n + i] = task.inputParams[i].variantValues[example.inputVariant[i]];
        std::memcpy(targets + static_cast<long>(e) * kPadded, example.target, k * sizeof(double));
    }
}

PassWorkspace::~PassWorkspace() = default;

void PassWorkspace::StoreTo(NetTask& task) const {
    for (int i = 0; i <= n; ++i)
        std::memcpy(task.weightsInputHidden[i], w1 + i * w1Stride, m * sizeof(double));
    for (int h = 0; h < m; ++h)
        std::memcpy(task.weightsHiddenOutput[h], w2 + h * w2Stride, k * sizeof(double));
    std::memcpy(task.weightsHiddenOutput[m], b2, k * sizeof(double));
    if (lastExample < 0) return;
    std::memcpy(task.inputSignals, inputs + lastExample * n, n * sizeof(double));
    std::memcpy(task.targetSignals, Target(lastExample), k * sizeof(double));
    std::memcpy(task.hiddenSignals, hidden[lastBuffer], m * sizeof(double));
    std::memcpy(task.outputSignals, output[lastBuffer], k * sizeof(double));
    std::memcpy(task.outputDeltas, outputDeltas, k * sizeof(double));
    std::memcpy(task.hiddenDeltas, hiddenDeltas, m * sizeof(double));
}
