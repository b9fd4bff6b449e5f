#include "model/savecheck.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialog.h"
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
        ScriptedDialog user;
        EXPECT_EQ(ReadyToSave(*task, user), c.ready) << c.input << c.output;
        EXPECT_EQ(user.messages, c.ready ? std::vector<std::string>{}
                                         : std::vector<std::string>{NotEnoughToSaveMessage});
    }
}
