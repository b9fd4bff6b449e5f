// The progress texts and styles of zarn-cli train.
#include "cli/train_progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(TrainProgress, TextGivesPercentPassesElapsedAndRemaining) {
    const struct {
        long long done, planned;
        double elapsed;
        const char* text;
    } cases[] = {
        {51, 102, 12.7, "50% проход 51 из 102, прошло 0:12, осталось 0:12"},
        {1, 10000002, 1.0, "0% проход 1 из 10000002, прошло 0:01, осталось 2777:46:41"},
        {102, 102, 3725.0, "100% проход 102 из 102, прошло 1:02:05, осталось 0:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgressText(c.done, c.planned, c.elapsed), c.text);
}

TEST(TrainProgress, StylesPrintEveryTenthRedrawOrNothing) {
    auto show = [](ProgressStyle style) {
        std::ostringstream out;
        ProgressReport report(style, 100, out);
        for (long long done : {0, 5, 9, 10, 35, 36, 99}) report.Update(done, 1.0);
        report.Finish(100, 2.0);
        return out.str();
    };
    EXPECT_EQ(show(ProgressStyle::Quiet), "");
    const std::string tenths = show(ProgressStyle::EveryTenth);
    EXPECT_EQ(tenths,
              "5% проход 5 из 100, прошло 0:01, осталось 0:19\n"
              "10% проход 10 из 100, прошло 0:01, осталось 0:09\n"
              "35% проход 35 из 100, прошло 0:01, осталось 0:01\n"
              "99% проход 99 из 100, прошло 0:01, осталось 0:00\n"
              "100% проход 100 из 100, прошло 0:02, осталось 0:00\n");
    const std::string redrawn = show(ProgressStyle::Redrawn);
    EXPECT_EQ(std::count(redrawn.begin(), redrawn.end(), '\r'), 7);
    EXPECT_EQ(std::count(redrawn.begin(), redrawn.end(), '\n'), 1) << "one line, ended once";
}

}  // namespace
