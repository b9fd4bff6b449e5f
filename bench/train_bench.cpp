// Training throughput against FANN's incremental training (double build) on
// three network shapes: connection updates (weights and biases x examples x
// passes) per second, the median of several runs taken side by side.
#include <doublefann.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "model/task.h"
// The benchmark measures the pass loop and its kernels themselves, so it
// reaches behind network/network.h.
#include "network/passes.h"
#include "network/passkernel.h"
#include "network/rng.h"
#include "network/training.h"

namespace {

struct Shape {
    const char* name;
    int n, m, k, examples;
    double target;  // required ratio to FANN
};

constexpr Shape kShapes[] = {
    {"A n=4 m=10 k=3 e=50", 4, 10, 3, 50, 3.0},
    {"B n=12 m=100 k=50 e=500", 12, 100, 50, 500, 6.5},
    {"C n=12 m=499 k=500 e=500", 12, 499, 500, 500, 10.0},
};

constexpr int kRepetitions = 9;
constexpr double kMinSeconds = 0.12;  // per measurement

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

// The same network and examples for FANN: sigmoid 1 / (1 + e^-s) on both
// layers (steepness 0.5), learning rate 0.2, no momentum, linear error,
// online updates.
struct FannNet {
    fann* ann = nullptr;
    fann_train_data* data = nullptr;

    explicit FannNet(const NetTask& task) {
        ann = fann_create_standard(3, task.inputCount, task.hiddenCount, task.outputCount);
        fann_set_activation_function_hidden(ann, FANN_SIGMOID);
        fann_set_activation_function_output(ann, FANN_SIGMOID);
        fann_set_activation_steepness_hidden(ann, 0.5);
        fann_set_activation_steepness_output(ann, 0.5);
        fann_set_learning_rate(ann, 0.2f);
        fann_set_learning_momentum(ann, 0.0f);
        fann_set_train_error_function(ann, FANN_ERRORFUNC_LINEAR);
        fann_set_training_algorithm(ann, FANN_TRAIN_INCREMENTAL);
        fann_randomize_weights(ann, -0.5, 0.5);
        data = fann_create_train(task.exampleCount, task.inputCount, task.outputCount);
        for (int e = 0; e < task.exampleCount; ++e) {
            const Example& example = task.examples[e];
            for (int i = 0; i < task.inputCount; ++i)
                data->input[e][i] = task.inputParams[i].variantValues[example.inputVariant[i]];
            for (int o = 0; o < task.outputCount; ++o) data->output[e][o] = example.target[o];
        }
    }
    ~FannNet() {
        fann_destroy_train(data);
        fann_destroy(ann);
    }
    FannNet(const FannNet&) = delete;
    FannNet& operator=(const FannNet&) = delete;
};

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Smallest count (doubling from 1) whose run takes at least kMinSeconds.
long Calibrate(const std::function<void(long)>& run) {
    long count = 1;
    while (Seconds([&] { run(count); }) < kMinSeconds && count < (1L << 30)) count *= 2;
    return count;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The exponentials alone: those of a pass (one per hidden and output neuron
// and example, each layer in whole vectors of four as the kernels run them)
// in one stream on the kernel's vector exponential. The rate the training
// would reach if all else were free.
double ExpCeiling(const Shape& shape, double perPass, const PassKernel& kernel) {
    const long lanes = ((shape.m + 3) / 4 + (shape.k + 3) / 4) * 4L * shape.examples;
    std::vector<double> sums(lanes), values(lanes);
    for (long i = 0; i < lanes; ++i) sums[i] = static_cast<double>(i % 97) / 12.0 - 4.0;
    volatile double sink = 0.0;
    auto run = [&](long passes) {
        for (long p = 0; p < passes; ++p) kernel.expArray(sums.data(), values.data(), lanes);
        sink = values[0];
    };
    const long passes = Calibrate(run);
    std::vector<double> rates;
    for (int r = 0; r < kRepetitions; ++r)
        rates.push_back(perPass * passes / Seconds([&] { run(passes); }));
    return Median(rates);
}

struct Result {
    double ours, fann;       // medians of the rates
    double ratio;            // median of the ratios of runs taken side by side
    double lowest, highest;  // range of those ratios
    double ceiling;          // ExpCeiling
};

const PassKernel& KernelOf(const PassOptions& options) {
    return options.path == PassPath::Avx2 ? Avx2PassKernel : GenericPassKernel;
}

// One run of ours: N + 2 passes from the weights the last run left.
void RunOurs(NetTask& task, long passes, const PassOptions& options) {
    const int iterations = static_cast<int>(std::max(1L, passes - 2));
    task.errorCount = 0;
    task.errorMax = -1.0;
    task.errorMin = 1.0;
    RunTrainingPassesWith(task, iterations, nullptr, options);
}

Result Measure(const Shape& shape, const PassOptions& options) {
    auto task = MakeBenchTask(shape);
    FannNet fann(*task);
    const double connections = (shape.n + 1.0) * shape.m + (shape.m + 1.0) * shape.k;
    const double perPass = connections * shape.examples;

    auto ours = [&](long passes) { RunOurs(*task, passes, options); };
    auto theirs = [&](long passes) {
        for (long p = 0; p < passes; ++p) fann_train_epoch(fann.ann, fann.data);
    };
    const long ourPasses = std::max(3L, Calibrate(ours));
    const long fannPasses = Calibrate(theirs);

    // The machine's pace drifts over seconds (shared cores, clock changes);
    // a run of ours and the FANN run right after it see about the same pace,
    // so their ratio is steadier than the ratio of the two medians.
    std::vector<double> ourRates, fannRates, ratios;
    for (int r = 0; r < kRepetitions; ++r) {
        ourRates.push_back(perPass * ourPasses / Seconds([&] { ours(ourPasses); }));
        fannRates.push_back(perPass * fannPasses / Seconds([&] { theirs(fannPasses); }));
        ratios.push_back(ourRates.back() / fannRates.back());
    }
    return {Median(ourRates),
            Median(fannRates),
            Median(ratios),
            *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end()),
            ExpCeiling(shape, perPass, KernelOf(options))};
}

struct ThreadResult {
    double one, two;         // medians of the rates on one and on two threads
    double ratio;            // median of the ratios two / one of runs side by side
    double lowest, highest;  // range of those ratios
};

// One thread against two on the same path, runs alternating so that both see
// the same pace of a shared machine.
ThreadResult CompareThreads(const Shape& shape, PassPath path) {
    auto task = MakeBenchTask(shape);
    const double perPass = ((shape.n + 1.0) * shape.m + (shape.m + 1.0) * shape.k) * shape.examples;
    const PassOptions one{path, 1}, two{path, 2};
    const long passes = std::max(3L, Calibrate([&](long p) { RunOurs(*task, p, one); }));
    std::vector<double> ones, twos, ratios;
    for (int r = 0; r < kRepetitions; ++r) {
        ones.push_back(perPass * passes / Seconds([&] { RunOurs(*task, passes, one); }));
        twos.push_back(perPass * passes / Seconds([&] { RunOurs(*task, passes, two); }));
        ratios.push_back(twos.back() / ones.back());
    }
    return {Median(ones), Median(twos), Median(ratios),
            *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end())};
}

}  // namespace

// Arguments: the shapes to measure by their letters (all when none), for
// example "train_bench B C"; "threads" adds, for each shape measured, one
// thread against two on its path.
int main(int argc, char** argv) {
    std::printf(
        "%d runs each, ours and FANN alternating; rates: medians; ratio: median (and range) of\n"
        "the ratios of each run of ours to the FANN run right after it; exp ceiling: the\n"
        "ratio if all but the exponentials were free; path: ZARN_KERNEL or the fastest\n",
        kRepetitions);
    std::printf("%-26s %-12s %16s %16s %8s %15s %8s %12s\n", "shape", "path", "ours (upd/s)",
                "FANN (upd/s)", "ratio", "range", "target", "exp ceiling");
    bool threads = false, any = false;
    for (int a = 1; a < argc; ++a) {
        const bool word = std::strcmp(argv[a], "threads") == 0;
        threads = threads || word;
        any = any || !word;
    }
    std::vector<const Shape*> measured;
    for (const Shape& shape : kShapes) {
        bool wanted = !any;
        for (int a = 1; a < argc; ++a)
            wanted =
                wanted || (std::strcmp(argv[a], "threads") != 0 && argv[a][0] == shape.name[0]);
        if (!wanted) continue;
        measured.push_back(&shape);
        const PassOptions options = DefaultPassOptions(*MakeBenchTask(shape));
        const Result result = Measure(shape, options);
        const double ratio = result.ratio;
        char path[32];
        std::snprintf(path, sizeof path, "%s x%d",
                      options.path == PassPath::Avx2 ? "avx2" : "generic", options.threads);
        char range[32];
        std::snprintf(range, sizeof range, "%.2f-%.2fx", result.lowest, result.highest);
        std::printf("%-26s %-12s %16.3e %16.3e %7.2fx %15s %7.1fx %11.1fx%s\n", shape.name, path,
                    result.ours, result.fann, ratio, range, shape.target,
                    result.ceiling / result.fann, ratio >= shape.target ? "" : "  below target");
        std::fflush(stdout);
    }
    if (!threads) return 0;
    std::printf(
        "\none thread against two, runs alternating; ratio: median (and range) of two / one\n");
    std::printf("%-26s %-8s %16s %16s %8s %15s\n", "shape", "path", "x1 (upd/s)", "x2 (upd/s)",
                "ratio", "range");
    for (const Shape* shape : measured) {
        const PassPath path = DefaultPassOptions(*MakeBenchTask(*shape)).path;
        const ThreadResult result = CompareThreads(*shape, path);
        char range[32];
        std::snprintf(range, sizeof range, "%.2f-%.2fx", result.lowest, result.highest);
        std::printf("%-26s %-8s %16.3e %16.3e %7.2fx %15s\n", shape->name,
                    path == PassPath::Avx2 ? "avx2" : "generic", result.one, result.two,
                    result.ratio, range);
        std::fflush(stdout);
    }
    return 0;
}
