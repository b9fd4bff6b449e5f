// Ranking order and the single changes that turn the answer (the texts are
// checked where they are shown: the check dialog and zarn-cli ask).
#include <gtest/gtest.h>

#include "network/network.h"
#include "tests/support/task_builder.h"

TEST(Ranking, EqualSignalsKeepTheListedOrderAndABadQuestionRanksNothing) {
    auto task = MakeTask();  // untrained: every output gives 0.5
    AddParam(*task, {"p", {{1.0, "a"}}});
    SetOutputs(*task, {"x", "y", "z"});
    task->hiddenCount = 2;
    const int first[] = {0}, missing[] = {7};
    const std::vector<RankedOutput> tied = RankOutputs(*task, first);
    ASSERT_EQ(tied.size(), 3u);
    for (int o = 0; o < 3; ++o) EXPECT_EQ(tied[o].output, o);
    EXPECT_TRUE(RankOutputs(*task, missing).empty());
    EXPECT_TRUE(ExplainAnswer(*task, missing).empty());
}

TEST(Ranking, ExplainNamesOnlyTheVariantsThatAloneTurnTheAnswer) {
    // "signal" drives one hidden neuron: "no" wins for weak, "yes" otherwise;
    // "noise" has no weight and never matters.
    auto task = MakeTask();
    AddParam(*task, {"signal", {{-5.0, "weak"}, {5.0, "strong"}, {6.0, "very strong"}}});
    AddParam(*task, {"noise", {{1.0, "a"}, {2.0, "b"}}});
    SetOutputs(*task, {"no", "yes"});
    task->hiddenCount = 1;
    task->weightsInputHidden[0][0] = 1.0;
    task->weightsHiddenOutput[0][0] = -10.0;
    task->weightsHiddenOutput[0][1] = 10.0;
    task->weightsHiddenOutput[1][0] = 5.0;
    task->weightsHiddenOutput[1][1] = -5.0;
    const int weak[] = {0, 1}, strong[] = {1, 0};
    const auto fromWeak = ExplainAnswer(*task, weak);
    ASSERT_EQ(fromWeak.size(), 2u);
    ASSERT_EQ(fromWeak[0].size(), 2u);
    EXPECT_EQ(fromWeak[0][0].variant, 1);
    EXPECT_EQ(fromWeak[0][0].becomes.output, 1);
    EXPECT_EQ(fromWeak[0][1].variant, 2);
    EXPECT_TRUE(fromWeak[1].empty());
    const auto fromStrong = ExplainAnswer(*task, strong);
    ASSERT_EQ(fromStrong[0].size(), 1u) << "very strong keeps the answer";
    EXPECT_EQ(fromStrong[0][0].variant, 0);
}
