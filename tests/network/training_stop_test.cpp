// Stopping a run between passes: a run stopped after K passes is a whole run
// of K - 2 iterations, and a stop flag that is never set changes nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "network/passes.h"
#include "network/rng.h"
#include "network/training.h"
#include "tests/support/task_builder.h"

namespace {

// 17 outputs, so that the two-thread path really splits them.
std::unique_ptr<NetTask> StartedTask(int historySize) {
    auto task = MakeTask();
    AddParam(*task, {"a", {{0.0, "0"}, {1.0, "1"}, {2.0, "2"}}});
    AddParam(*task, {"b", {{-1.0, "-"}, {1.0, "+"}}});
    std::vector<std::string> outputs;
    for (int o = 0; o < 17; ++o) outputs.push_back("o" + std::to_string(o));
    SetOutputs(*task, outputs);
    task->hiddenCount = 20;
    for (int e = 0; e < 6; ++e) PutExample(*task, {e % 3, e % 2}, (5 * e) % 17);
    task->learningCoef = 0.3;
    ClassicRng rng(11);
    InitWeights(*task, rng);
    task->errorHistory.assign(historySize, 0.0);
    task->errorMax = -1.0;
    task->errorMin = 1.0;
    return task;
}

std::vector<PassOptions> Paths() {
    std::vector<PassOptions> all;
    for (PassPath path : {PassPath::Generic, PassPath::Avx2})
        if (PassPathAvailable(path))
            for (int threads : {1, 2}) all.push_back({path, threads});
    return all;
}

constexpr int kIterations = 20;  // progress after every pass
constexpr int kStopAfter = 7;

TEST(TrainingStop, StoppedRunEqualsAWholeRunOfTwoIterationsFewer) {
    for (const PassOptions& options : Paths()) {
        SCOPED_TRACE(std::to_string(static_cast<int>(options.path)) + "/" +
                     std::to_string(options.threads));
        auto whole = StartedTask(kIterations + 2);
        EXPECT_EQ(RunTrainingPassesWith(*whole, kStopAfter - 2, nullptr, options), kStopAfter);

        auto stopped = StartedTask(kIterations + 2);
        std::atomic<bool> stop{false};
        std::atomic<long long> done{0};
        const ProgressCallback progress = [&](const std::string& caption) {
            if (caption == ProgressCaption(kStopAfter * 100 / kIterations)) stop = true;
        };
        EXPECT_EQ(RunTrainingPassesWith(*stopped, kIterations, progress, options, {&stop, &done}),
                  kStopAfter);
        EXPECT_EQ(done.load(), kStopAfter);
        EXPECT_EQ(DescribeDifference(*stopped, *whole), "");

        // A flag that is never set leaves a whole run as it was, bit for bit.
        auto plain = StartedTask(kIterations + 2);
        auto watched = StartedTask(kIterations + 2);
        std::atomic<bool> never{false};
        RunTrainingPassesWith(*plain, kIterations, nullptr, options);
        EXPECT_EQ(RunTrainingPassesWith(*watched, kIterations, nullptr, options, {&never, &done}),
                  kIterations + 2);
        EXPECT_EQ(DescribeDifference(*watched, *plain), "");
    }
}

}  // namespace
