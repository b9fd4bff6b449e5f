// Ranked outputs and the single changes that turn the answer.
#include "network/ranking.h"

#include <gtest/gtest.h>

#include "network/forward.h"
#include "tests/support/task_builder.h"

namespace {

// Input "signal" drives one hidden neuron towards 0 (weak) or 1 (strong):
// output "no" wins for weak, "yes" for strong; "maybe" is always far behind.
// Input "noise" has no weight and can never change the answer.
std::unique_ptr<NetTask> Switch() {
    auto task = MakeTask();
    AddParam(*task, {"signal", {{-5.0, "weak"}, {5.0, "strong"}, {6.0, "very strong"}}});
    AddParam(*task, {"noise", {{1.0, "a"}, {2.0, "b"}}});
    SetOutputs(*task, {"no", "yes", "maybe"});
    task->hiddenCount = 1;
    task->weightsInputHidden[0][0] = 1.0;
    task->weightsHiddenOutput[0][0] = -10.0;
    task->weightsHiddenOutput[0][1] = 10.0;
    task->weightsHiddenOutput[1][0] = 5.0;
    task->weightsHiddenOutput[1][1] = -5.0;
    task->weightsHiddenOutput[1][2] = -20.0;
    return task;
}

}  // namespace

TEST(Ranking, OutputsComeHighestFirstWithTheAnswerAtTheHead) {
    auto task = Switch();
    const int strong[] = {1, 0};
    const std::vector<RankedOutput> ranked = RankOutputs(*task, strong);
    ASSERT_EQ(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].output, CheckAnswer(*task, strong));
    EXPECT_EQ(RankedText(*task, ranked[0]), "yes 0.993");
    EXPECT_EQ(RankedText(*task, ranked[1]), "no 0.007");
    EXPECT_EQ(RankedText(*task, ranked[2]), "maybe 0.000");

    // Equal signals (an untrained network) keep the listed order.
    auto untrained = MakeTask();
    AddParam(*untrained, {"p", {{1.0, "a"}}});
    SetOutputs(*untrained, {"x", "y", "z"});
    untrained->hiddenCount = 2;
    const int first[] = {0};
    const std::vector<RankedOutput> tied = RankOutputs(*untrained, first);
    ASSERT_EQ(tied.size(), 3u);
    for (int o = 0; o < 3; ++o) EXPECT_EQ(tied[o].output, o);

    const int missing[] = {7, 0};  // no such variant: nothing to rank
    EXPECT_TRUE(RankOutputs(*task, missing).empty());
    EXPECT_TRUE(ExplainAnswer(*task, missing).empty());
}

TEST(Ranking, ExplainNamesEachVariantThatAloneTurnsTheAnswer) {
    auto task = Switch();
    const int weak[] = {0, 1};
    const auto changes = ExplainAnswer(*task, weak);
    ASSERT_EQ(changes.size(), 2u);
    ASSERT_EQ(changes[0].size(), 2u);
    EXPECT_EQ(changes[0][0].variant, 1);
    EXPECT_EQ(changes[0][0].becomes.output, 1);
    EXPECT_EQ(RankedText(*task, changes[0][0].becomes), "yes 0.993");
    EXPECT_EQ(changes[0][1].variant, 2);
    EXPECT_TRUE(changes[1].empty()) << "noise changes nothing";

    const int strong[] = {1, 0};  // only weak turns it back; very strong keeps "yes"
    const auto back = ExplainAnswer(*task, strong);
    ASSERT_EQ(back[0].size(), 1u);
    EXPECT_EQ(back[0][0].variant, 0);
    EXPECT_EQ(back[0][0].becomes.output, 0);
}
