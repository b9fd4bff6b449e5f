#include "model/savecheck.h"

#include <gtest/gtest.h>

#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

TEST(ReadyToSave, NeedsAnInputParameterAndAnOutputVariant) {
    const struct {
        bool input, output, ready;
    } cases[] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
    for (const auto& c : cases) {
        auto task = MakeTask();
        if (c.input) AddParam(*task, {"A", {{1.0, "a"}}});
        if (c.output) SetOutputs(*task, {"x"});
        EXPECT_EQ(Refusal(ReadyToSave(*task)), c.ready ? "" : NotEnoughToSaveMessage)
            << c.input << c.output;
    }
}
