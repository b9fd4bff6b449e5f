// Working copy of the network for one training run: the weight tables padded
// and aligned for vector code, the signal buffers and the examples' values.
// Allocated once per run, loaded from the record at the start and written
// back at the end.
#pragma once

#include <cstddef>
#include <memory>

#include "model/task.h"

// Row stride (in doubles) of a weight table with `columns` columns: whole
// cache lines, an odd count of them, so that rows read side by side fall into
// different cache sets.
long PassRowStride(int columns);

// The outputs [first, first + count) with everything kept per output. A run
// on one thread has one part; a run on two threads has the lead's and the
// helper's, each in memory of its own so that the threads never touch the
// same cache line (nor draw each other's lines in by prefetching).
struct PassPart {
    int first = 0;
    int count = 0;
    int padded = 0;          // count rounded up to whole vectors of 4
    long stride = 0;         // row stride of w2 in doubles
    double* w2 = nullptr;    // mPadded rows: weights from hidden neuron h to output first + j
    double* b2 = nullptr;    // output biases
    double* output[2] = {};  // output signals of the current and of the next example
    double* deltas = nullptr;
    double* steps = nullptr;    // learning coefficient times each output delta
    double* sums = nullptr;     // output sums of the forward step in progress
    double* targets = nullptr;  // exampleCount rows of `padded` targets (zero beyond count)

    const double* Target(int e) const { return targets + static_cast<long>(e) * padded; }
};

struct PassWorkspace {
    // split: the outputs of the first part (k for a single part). Sized for
    // the task's shape and loaded from it.
    PassWorkspace(const NetTask& task, int split);
    // Sized only, so the memory can be had before the record changes; Load
    // fills it. Both constructors throw std::bad_alloc.
    struct SizeOnly {};
    PassWorkspace(const NetTask& task, int split, SizeOnly);
    ~PassWorkspace();
    PassWorkspace(const PassWorkspace&) = delete;
    PassWorkspace& operator=(const PassWorkspace&) = delete;

    // Learning coefficient, weights, targets and input values from the record,
    // whose shape is the one the workspace was sized for.
    void Load(const NetTask& task);
    // Weights, error terms and the signals of the last trained example back
    // into the record, as the plain loops would have left them.
    void StoreTo(NetTask& task) const;
    // Only the input, target, hidden and output signals of the last example.
    void StoreSignalsTo(NetTask& task) const;

    int n = 0, m = 0, k = 0;
    int exampleCount = 0;
    int mPadded = 0;  // m rounded up to whole vectors of 4
    long w1Stride = 0;
    double eta = 0.0;
    int partCount = 1;
    PassPart part[2];

    double* w1 = nullptr;    // n + 1 rows (row n: hidden biases), columns over hidden neurons
    double* hidden[2] = {};  // hidden signals of the current and of the next example
    double* hiddenDeltas = nullptr;
    double* inputs = nullptr;   // exampleCount rows of n input values
    double* partial = nullptr;  // hidden error sums handed between two threads

    // Set by the kernel: which buffer of hidden/output holds the last trained
    // example's signals, and which example that was.
    int lastBuffer = 0;
    int lastExample = -1;

  private:
    struct Free {
        void operator()(double* p) const;
    };
    using Block = std::unique_ptr<double[], Free>;
    static Block Allocate(long doubles);
    Block shared_, parts_[2];
};
