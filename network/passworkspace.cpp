#include "network/passworkspace.h"

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kPage = 4096;
constexpr long kLine = 8;  // doubles per cache line

long RoundUp(long value, long step) {
    return (value + step - 1) / step * step;
}

// Buffers laid out one after the other in a block, each on its own cache line.
struct Slot {
    double** buffer;
    long size;
};

template <std::size_t N>
long TotalSize(const Slot (&slots)[N]) {
    long total = 0;
    for (const Slot& slot : slots) total += RoundUp(slot.size, kLine);
    return total;
}

template <std::size_t N>
void Place(double* base, const Slot (&slots)[N]) {
    for (const Slot& slot : slots) {
        *slot.buffer = base;
        base += RoundUp(slot.size, kLine);
    }
}

}  // namespace

long PassRowStride(int columns) {
    long stride = RoundUp(columns, kLine);
    if ((stride / kLine) % 2 == 0) stride += kLine;
    return stride;
}

void PassWorkspace::Free::operator()(double* p) const {
    ::operator delete[](p, std::align_val_t(kPage));
}

PassWorkspace::Block PassWorkspace::Allocate(long doubles) {
    Block block(
        static_cast<double*>(::operator new[](doubles * sizeof(double), std::align_val_t(kPage))));
    std::memset(block.get(), 0, doubles * sizeof(double));
    return block;
}

PassWorkspace::PassWorkspace(const NetTask& task, int split)
    : PassWorkspace(task, split, SizeOnly{}) {
    Load(task);
}

PassWorkspace::PassWorkspace(const NetTask& task, int split, SizeOnly)
    : n(task.inputCount),
      m(task.hiddenCount),
      k(task.outputCount),
      exampleCount(task.exampleCount),
      mPadded(static_cast<int>(RoundUp(task.hiddenCount, 4))),
      w1Stride(PassRowStride(task.hiddenCount)),
      partCount(split < task.outputCount ? 2 : 1) {
    const long hiddenVec = RoundUp(mPadded, kLine);
    const Slot shared[] = {
        {&w1, (n + 1) * w1Stride},
        {&hidden[0], hiddenVec},
        {&hidden[1], hiddenVec},
        {&hiddenDeltas, hiddenVec},
        {&inputs, static_cast<long>(exampleCount) * n},
        {&partial, RoundUp(mPadded, 16)},
    };
    shared_ = Allocate(TotalSize(shared));
    Place(shared_.get(), shared);

    for (int p = 0; p < partCount; ++p) {
        PassPart& pp = part[p];
        pp.first = p == 0 ? 0 : split;
        pp.count = p == 0 ? (partCount == 2 ? split : k) : k - split;
        pp.padded = static_cast<int>(RoundUp(pp.count, 4));
        pp.stride = PassRowStride(pp.count);
        const Slot slots[] = {
            {&pp.w2, mPadded * pp.stride},
            {&pp.b2, pp.stride},
            {&pp.output[0], pp.stride},
            {&pp.output[1], pp.stride},
            {&pp.deltas, pp.stride},
            {&pp.steps, pp.stride},
            {&pp.sums, pp.stride},
            {&pp.targets, static_cast<long>(exampleCount) * pp.padded},
        };
        parts_[p] = Allocate(TotalSize(slots));
        Place(parts_[p].get(), slots);
    }
}

void PassWorkspace::Load(const NetTask& task) {
    eta = task.learningCoef;
    for (int p = 0; p < partCount; ++p) {
        PassPart& pp = part[p];
        const std::size_t bytes = pp.count * sizeof(double);
        for (int h = 0; h < m; ++h)
            std::memcpy(pp.w2 + h * pp.stride, task.weightsHiddenOutput[h] + pp.first, bytes);
        std::memcpy(pp.b2, task.weightsHiddenOutput[m] + pp.first, bytes);
        for (int e = 0; e < exampleCount; ++e)
            std::memcpy(pp.targets + static_cast<long>(e) * pp.padded,
                        task.examples[e].target + pp.first, bytes);
    }
    for (int i = 0; i <= n; ++i)
        std::memcpy(w1 + i * w1Stride, task.weightsInputHidden[i], m * sizeof(double));
    for (int e = 0; e < exampleCount; ++e)
        for (int i = 0; i < n; ++i)
            inputs[e * n + i] = task.inputParams[i].variantValues[task.examples[e].inputVariant[i]];
}

PassWorkspace::~PassWorkspace() = default;

void PassWorkspace::StoreTo(NetTask& task) const {
    for (int i = 0; i <= n; ++i)
        std::memcpy(task.weightsInputHidden[i], w1 + i * w1Stride, m * sizeof(double));
    for (int p = 0; p < partCount; ++p) {
        const PassPart& pp = part[p];
        const std::size_t bytes = pp.count * sizeof(double);
        for (int h = 0; h < m; ++h)
            std::memcpy(task.weightsHiddenOutput[h] + pp.first, pp.w2 + h * pp.stride, bytes);
        std::memcpy(task.weightsHiddenOutput[m] + pp.first, pp.b2, bytes);
        if (lastExample < 0) continue;
        std::memcpy(task.targetSignals + pp.first, pp.Target(lastExample), bytes);
        std::memcpy(task.outputSignals + pp.first, pp.output[lastBuffer], bytes);
        std::memcpy(task.outputDeltas + pp.first, pp.deltas, bytes);
    }
    if (lastExample < 0) return;
    std::memcpy(task.inputSignals, inputs + lastExample * n, n * sizeof(double));
    std::memcpy(task.hiddenSignals, hidden[lastBuffer], m * sizeof(double));
    std::memcpy(task.hiddenDeltas, hiddenDeltas, m * sizeof(double));
}

void PassWorkspace::StoreSignalsTo(NetTask& task) const {
    if (lastExample < 0) return;
    for (int p = 0; p < partCount; ++p) {
        const PassPart& pp = part[p];
        const std::size_t bytes = pp.count * sizeof(double);
        std::memcpy(task.targetSignals + pp.first, pp.Target(lastExample), bytes);
        std::memcpy(task.outputSignals + pp.first, pp.output[lastBuffer], bytes);
    }
    std::memcpy(task.inputSignals, inputs + lastExample * n, n * sizeof(double));
    std::memcpy(task.hiddenSignals, hidden[lastBuffer], m * sizeof(double));
}
