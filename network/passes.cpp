#include "network/passes.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <thread>

#include "model/trainednetwork.h"
#include "network/forward.h"
#include "network/passkernel.h"
#include "network/passworkspace.h"

namespace {

// Smaller networks gain nothing from a second thread: one example is too short
// to share (the hand-over between cores costs about as much as it saves).
// Large ones gain only where the helper finds a core of its own: with both
// cores of a two-core machine busy with other work, shape C of train_bench ran
// at 0.6 to 1.3 times (mostly under 0.9) the rate of one thread
// (`train_bench C threads` compares the two).
constexpr long kTwoThreadWeights = 40000;
constexpr int kTwoThreadOutputs = 64;

// Records each pass's error, reports progress between passes and answers
// whether the run goes on.
struct PassRecorder {
    NetTask& task;
    long long iterations;
    const ProgressCallback& progress;
    const TrainingControl& control;
    long long pass = 0;

    static bool Done(void* context, double error) {
        return static_cast<PassRecorder*>(context)->Record(error);
    }

    bool Record(double error) {
        task.errorHistory[task.errorCount] = error;
        task.errorCount = task.errorCount + 1;
        if (error > task.errorMax) task.errorMax = error;
        if (error < task.errorMin) task.errorMin = error;
        const long long q = ++pass;
        if (control.passesDone) control.passesDone->store(q, std::memory_order_relaxed);
        // The last pass reports nothing.
        if (q <= iterations + 1 && (q * 100) % iterations == 0 && progress)
            progress(ProgressCaption(q * 100 / iterations));
        return !(control.stop && control.stop->load(std::memory_order_relaxed));
    }
};

const PassKernel& KernelFor(PassPath path) {
    return path == PassPath::Avx2 && PassPathAvailable(PassPath::Avx2) ? Avx2PassKernel
                                                                       : GenericPassKernel;
}

// The split between the lead's outputs [0, split) and the helper's, so that
// both take about as long per example: the helper also does the hidden layer.
// Costs in picoseconds, measured with two threads on the vector kernels: an
// output weight (error sum plus update) 320, an output's exponential 7800, a
// hidden neuron 9500 plus 350 per input weight. The split falls on a cache
// line of every row.
//
// A helper whose rows (with the hidden layer's weights) fit its core's L2
// cache keeps them there from one example to the next and works much faster
// than on rows that stream from the shared cache. So when the table is too
// large for that, the helper's share shrinks until it fits, if it can keep
// at least a third of the outputs (n=12 m=499 k=500: 13 to 18% faster).
int SplitOutputs(const NetTask& task, long cacheBytes) {
    const int n = task.inputCount, m = task.hiddenCount, k = task.outputCount;
    const double perOutput = 320.0 * m + 7800.0;
    const double perHidden = 9500.0 + 350.0 * (n + 1);
    const double lead = k / 2.0 + m * perHidden / (2 * perOutput);
    const int most = (k - 8) / 8 * 8;
    int split = static_cast<int>(lead / 8 + 0.5) * 8;
    if (split > most) split = most;
    if (split < 8) split = 8;
    auto helperBytes = [&](int s) {
        return static_cast<long>(sizeof(double)) *
               (m * PassRowStride(k - s) + (n + 1L) * PassRowStride(m));
    };
    const long budget = cacheBytes / 5 * 4;
    int fitting = split;
    while (helperBytes(fitting) > budget && fitting + 8 <= most) fitting += 8;
    if (helperBytes(fitting) <= budget && 3 * (k - fitting) >= k) split = fitting;
    return split;
}

// A core's L2 cache (1 MiB when the system does not say).
long CacheBytes() {
    const long bytes = sysconf(_SC_LEVEL2_CACHE_SIZE);
    return bytes > 0 ? bytes : 1L << 20;
}

// The two parts need at least a cache line of outputs each.
bool TwoThreadsPossible(const NetTask& task) {
    return task.outputCount >= 16 && task.exampleCount > 0;
}

bool ShapeFits(const NetTask& task) {
    return ShapeFitsStorage(CurrentShape(task)) && task.exampleCount >= 0 &&
           task.exampleCount <= MaxExamples;
}

// The accuracy pass in a workspace loaded from the task.
double PercentCorrect(NetTask& task, PassWorkspace& ws, PassPath path) {
    const long correct = KernelFor(path).countCorrect(ws);
    ws.StoreSignalsTo(task);
    return static_cast<double>(correct) / task.exampleCount * 100.0;
}

}  // namespace

long RunOnTwoThreads(const PassKernel& kernel, PassWorkspace& ws, long long passes,
                     const PassSink& sink) {
    PassSync sync;
    std::thread helper;
    try {
        helper = std::thread(kernel.runHelper, std::ref(ws), passes, std::ref(sync));
    } catch (const std::exception&) {
        kernel.runLead(ws, passes, sink, sync);  // no thread to be had: the lead runs every unit
        return 0;
    }
    try {
        kernel.runLead(ws, passes, sink, sync);
    } catch (...) {
        __atomic_store_n(&sync.finished, 1, __ATOMIC_RELEASE);
        helper.join();
        throw;
    }
    __atomic_store_n(&sync.finished, 1, __ATOMIC_RELEASE);
    helper.join();
    return sync.helperUnits;
}

bool PassPathAvailable(PassPath path) {
    switch (path) {
        case PassPath::Generic:
            return true;
        case PassPath::Avx2:
            return __builtin_cpu_supports("avx2");
    }
    return false;
}

std::optional<PassPath> PassPathFromEnvironment(bool* unknown) {
    const char* name = std::getenv("ZARN_KERNEL");
    if (unknown) *unknown = false;
    if (!name || !*name) return std::nullopt;
    if (std::strcmp(name, "generic") == 0) return PassPath::Generic;
    if (std::strcmp(name, "avx2") == 0) return PassPath::Avx2;
    if (unknown) *unknown = true;
    return std::nullopt;
}

PassOptions DefaultPassOptions(const NetTask& task) {
    PassOptions options;
    options.path = PassPathFromEnvironment().value_or(
        PassPathAvailable(PassPath::Avx2) ? PassPath::Avx2 : PassPath::Generic);
    const long weights = static_cast<long>(task.hiddenCount) * task.outputCount;
    options.threads = weights >= kTwoThreadWeights && task.outputCount >= kTwoThreadOutputs &&
                              TwoThreadsPossible(task) && std::thread::hardware_concurrency() >= 2
                          ? 2
                          : 1;
    return options;
}

TrainingMemory::TrainingMemory(const NetTask& task, const PassOptions& options)
    : options_(options), twoThreads_(options.threads >= 2 && TwoThreadsPossible(task)) {
    if (!ShapeFits(task)) return;
    const PassWorkspace::SizeOnly sizeOnly;
    passes_ = std::make_unique<PassWorkspace>(
        task, twoThreads_ ? SplitOutputs(task, CacheBytes()) : task.outputCount, sizeOnly);
    accuracy_ = std::make_unique<PassWorkspace>(task, task.outputCount, sizeOnly);
}

TrainingMemory::~TrainingMemory() = default;

long long RunTrainingPassesWith(NetTask& task, int iterations, const ProgressCallback& progress,
                                const PassOptions& options, const TrainingControl& control) {
    if (!ShapeFits(task) || iterations < 1 || task.errorCount < 0) return 0;
    const long long passes = static_cast<long long>(iterations) + 2;
    if (task.errorHistory.size() < static_cast<std::size_t>(task.errorCount + passes))
        task.errorHistory.resize(static_cast<std::size_t>(task.errorCount + passes));
    TrainingMemory memory(task, options);
    return RunTrainingPasses(task, iterations, progress, memory, control);
}

long long RunTrainingPasses(NetTask& task, int iterations, const ProgressCallback& progress,
                            TrainingMemory& memory, const TrainingControl& control) {
    if (!memory.passes_ || iterations < 1 || task.errorCount < 0) return 0;
    const long long passes = static_cast<long long>(iterations) + 2;
    if (task.errorHistory.size() < static_cast<std::size_t>(task.errorCount + passes)) return 0;
    PassWorkspace& ws = *memory.passes_;
    ws.Load(task);
    PassRecorder recorder{task, iterations, progress, control};
    const PassSink sink{&PassRecorder::Done, &recorder};
    const PassKernel& kernel = KernelFor(memory.options_.path);
    if (memory.twoThreads_)
        RunOnTwoThreads(kernel, ws, passes, sink);
    else
        kernel.runAlone(ws, passes, sink);
    ws.StoreTo(task);
    return recorder.pass;
}

double MeasureAccuracyWith(NetTask& task, PassPath path) {
    if (!ShapeFits(task)) return 0.0;
    PassWorkspace ws(task, task.outputCount);
    return PercentCorrect(task, ws, path);
}

double MeasureAccuracyFast(NetTask& task, TrainingMemory& memory) {
    if (!memory.accuracy_) return 0.0;
    memory.accuracy_->Load(task);
    return PercentCorrect(task, *memory.accuracy_, memory.options_.path);
}
