// Working copy of the network for one training run: the weight tables padded
// and aligned for vector code, the signal buffers and the examples' input
// values. Allocated once per run, loaded from the record at the start and
// written back at the end.
#pragma once

#include <cstddef>
#include <memory>

#include "model/task.h"

struct PassWorkspace {
    explicit PassWorkspace(const NetTask& task);
    ~PassWorkspace();
    PassWorkspace(const PassWorkspace&) = delete;
    PassWorkspace& operator=(const PassWorkspace&) = delete;

    // Weights, error terms and the signals of the last trained example back
    // into the record, as the plain loops would have left them.
    void StoreTo(NetTask& task) const;

    int n = 0, m = 0, k = 0;
    int exampleCount = 0;
    int mPadded = 0;  // m rounded up to whole vectors of 4
    int kPadded = 0;  // k rounded up to whole vectors of 4
    // Row strides in doubles: whole cache lines, and an odd number of them so
    // that the rows read side by side fall into different cache sets.
    long w1Stride = 0, w2Stride = 0;
    double eta = 0.0;

    double* w1 = nullptr;    // n + 1 rows (row n: hidden biases), columns over hidden neurons
    double* w2 = nullptr;    // mPadded rows over outputs; rows m.. stay zero
    double* b2 = nullptr;    // output biases
    double* hidden[2] = {};  // hidden signals of the current and of the next example
    double* output[2] = {};  // output signals of the current and of the next example
    double* hiddenDeltas = nullptr;
    double* outputDeltas = nullptr;
    double* etaDeltas = nullptr;  // learning coefficient times each output delta
    double* sums = nullptr;       // output sums of the forward step in progress
    double* inputs = nullptr;     // exampleCount rows of n input values
    double* targets = nullptr;    // exampleCount rows of kPadded targets (zero beyond k)
    double* partial = nullptr;    // hidden error sums handed between two threads

    // Set by the kernel: which buffer of hidden/output holds the last trained
    // example's signals, and which example that was.
    int lastBuffer = 0;
    int lastExample = -1;

    const double* Target(int e) const { return targets + static_cast<long>(e) * kPadded; }

  private:
    struct Free {
        void operator()(double* p) const;
    };
    std::unique_ptr<double[], Free> storage_;
};
