// ZARN_KERNEL chooses the kernel path of every training run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "network/passes.h"
#include "tests/support/task_builder.h"

namespace {

TEST(KernelChoice, EnvironmentNamesThePathOfEveryRun) {
    const struct {
        const char* value;  // nullptr: unset
        std::optional<PassPath> path;
        bool unknown;
    } choices[] = {
        {nullptr, std::nullopt, false},        {"", std::nullopt, false},
        {"generic", PassPath::Generic, false}, {"avx2", PassPath::Avx2, false},
        {"AVX2", std::nullopt, true},          {"generic ", std::nullopt, true},
    };
    auto task = MakeTask();
    const PassPath fastest = PassPathAvailable(PassPath::Avx2) ? PassPath::Avx2 : PassPath::Generic;
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.value ? choice.value : "(unset)");
        choice.value ? setenv("ZARN_KERNEL", choice.value, 1) : unsetenv("ZARN_KERNEL");
        bool unknown = !choice.unknown;
        EXPECT_EQ(PassPathFromEnvironment(&unknown), choice.path);
        EXPECT_EQ(unknown, choice.unknown);
        EXPECT_EQ(DefaultPassOptions(*task).path, choice.path.value_or(fastest));
    }
    unsetenv("ZARN_KERNEL");
}

}  // namespace
