// A training run whose memory cannot be had changes nothing in the record.
//
// The network's work buffers come from the page-aligned array allocation,
// which this test program replaces so that it can fail on demand.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "network/training.h"
#include "tests/support/task_builder.h"

namespace {

// Aligned array allocations still allowed before the next one fails; -1: all.
std::atomic<int> allowedAllocations{-1};

}  // namespace

void* operator new[](std::size_t size, std::align_val_t alignment) {
    int allowed = allowedAllocations.load();
    while (allowed >= 0 && !allowedAllocations.compare_exchange_weak(allowed, allowed - 1)) {
    }
    if (allowed == 0) {
        allowedAllocations = 0;
        throw std::bad_alloc();
    }
    void* block = nullptr;
    if (::posix_memalign(&block, static_cast<std::size_t>(alignment), size ? size : 1) != 0)
        throw std::bad_alloc();
    return block;
}

void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}

TEST(TrainingMemory, FailedAllocationAnywhereLeavesTheRecordUntouched) {
    // Large enough for two threads where the machine has them.
    auto task = MakeTask();
    std::vector<std::pair<double, std::string>> variants;
    for (int v = 0; v < 4; ++v) variants.push_back({v * 0.5, Numbered("v", v)});
    AddParam(*task, {"a", variants});
    AddParam(*task, {"b", variants});
    std::vector<std::string> outputs;
    for (int o = 0; o < 100; ++o) outputs.push_back(Numbered("o", o));
    SetOutputs(*task, outputs);
    task->hiddenCount = 400;
    for (int e = 0; e < 8; ++e) PutExample(*task, {e % 4, (e / 4) % 4}, e * 7 % 100);
    ASSERT_TRUE(TrainNetwork(*task, "0.3", "2", 1, nullptr).status.ok());

    auto before = MakeTask();
    int allowed = 0;
    for (;; ++allowed) {
        ASSERT_LT(allowed, 20);
        CopyTask(*task, *before);
        allowedAllocations = allowed;
        const TrainingOutcome outcome = TrainNetwork(*task, "0.7", "3", 2, nullptr);
        allowedAllocations = -1;
        if (outcome.status.ok()) break;
        SCOPED_TRACE(allowed);
        EXPECT_EQ(outcome.status.kind, StatusKind::Refused);
        EXPECT_EQ(outcome.status.message, OutOfMemoryMessage);
        EXPECT_EQ(outcome.coefText, "0.7");
        EXPECT_EQ(DescribeDifference(*task, *before), "");
    }
    // The pass workspace and the accuracy workspace, in one block or more.
    EXPECT_GE(allowed, 2);
    EXPECT_NE(DescribeDifference(*task, *before), "");
}
