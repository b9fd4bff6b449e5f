// Replays the fuzzing corpus and the samples through the reader with the same
// checks as the fuzz target.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"

TEST(TaskFileCorpus, EveryCorpusFileLoadsCleanlyOrIsRefusedCleanly) {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {ZARN_SOURCE_DIR "/tests/fuzz/corpus", ZARN_EXAMPLES_DIR})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    ASSERT_GE(files.size(), 10u);

    auto pristine = MakeNoisyTask();
    auto task = MakeTask();
    auto again = MakeTask();
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        CopyTask(*pristine, *task);
        const LoadResult result = LoadFromFile(*task, file.string());
        ASSERT_NE(result.status.kind, StatusKind::CannotOpen);
        if (result.status.kind == StatusKind::Refused) {
            EXPECT_FALSE(result.status.message.empty());
            EXPECT_EQ(DescribeDifference(*task, *pristine), "");
            continue;
        }
        EXPECT_TRUE(InsideCapacities(*task));
        const std::optional<std::string> first = FormatTaskFile(*task);
        ASSERT_TRUE(first.has_value());
        ASSERT_EQ(LoadFromBytes(*again, *first).code(), 1);
        const std::optional<std::string> second = FormatTaskFile(*again);
        ASSERT_TRUE(second.has_value());
        ASSERT_EQ(LoadFromBytes(*again, *second).code(), 1);
        EXPECT_EQ(FormatTaskFile(*again), second) << "save-load-save not stable";
    }
}
