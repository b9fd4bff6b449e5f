// Training throughput: connection updates (weights and biases x examples x
// passes) per second for three network shapes.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/task.h"
#include "network/passes.h"
#include "network/rng.h"
#include "network/training.h"

namespace {

struct Shape {
    int n, m, k, examples;
};

constexpr Shape kShapeA{4, 10, 3, 50};
constexpr Shape kShapeB{12, 100, 50, 500};
constexpr Shape kShapeC{12, 499, 500, 500};

// A task of the given shape with reproducible random variants and examples.
std::unique_ptr<NetTask> MakeBenchTask(const Shape& shape) {
    auto task = std::make_unique<NetTask>();
    ClassicRng rng(12345);
    task->inputCount = shape.n;
    task->hiddenCount = shape.m;
    task->outputCount = shape.k;
    for (int i = 0; i < shape.n; ++i) {
        InputParam& param = task->inputParams[i];
        param.variantCount = 5;
        for (int j = 0; j < 5; ++j) param.variantValues[j] = rng.Next() / 32767.0 * 2.0 - 1.0;
    }
    task->exampleCount = shape.examples;
    for (int e = 0; e < shape.examples; ++e) {
        Example& example = task->examples[e];
        for (int i = 0; i < shape.n; ++i) example.inputVariant[i] = rng.Next() % 5;
        const int result = rng.Next() % shape.k;
        for (int o = 0; o < shape.k; ++o) example.target[o] = o == result ? 1.0 : 0.0;
    }
    task->learningCoef = 0.2;
    ClassicRng weights(1);
    InitWeights(*task, weights);
    return task;
}

void BM_Train(benchmark::State& state, Shape shape) {
    auto task = MakeBenchTask(shape);
    constexpr int kIterations = 1;  // N = 1 runs three passes
    task->errorHistory.resize(kIterations + 2);
    const double connections = (shape.n + 1.0) * shape.m + (shape.m + 1.0) * shape.k;
    double updates = 0;
    for (auto _ : state) {
        task->errorCount = 0;
        task->errorMax = -1.0;
        task->errorMin = 1.0;
        RunTrainingPasses(*task, kIterations, nullptr);
        benchmark::DoNotOptimize(task->errorHistory.data());
        updates += connections * shape.examples * (kIterations + 2);
    }
    state.counters["updates_per_s"] = benchmark::Counter(updates, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(BM_Train, A_n4_m10_k3_e50, kShapeA)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Train, B_n12_m100_k50_e500, kShapeB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Train, C_n12_m499_k500_e500, kShapeC)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
