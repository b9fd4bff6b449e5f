// The trained network saved after the task: exact weights, old files
// untouched, damaged sections ignored without losing the task.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "network/network.h"
#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/comma_locale.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string Fruit = SampleBytes("fruit.task");

std::unique_ptr<NetTask> TrainedFruit() {
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, Fruit).network, NetworkLoad::None);
    EXPECT_TRUE(TrainNetwork(*task, "0.2", "2000", 1, nullptr).status.ok());
    EXPECT_GT(task->accuracyPercent, 0.0);
    return task;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST(NetworkSection, SavedNetworkLoadsBitForBitAndAnswersAlike) {
    CommaLocale comma;
    auto trained = TrainedFruit();
    // Values that survive only a shortest round-trip text.
    trained->weightsInputHidden[0][1] = 5e-324;
    trained->weightsHiddenOutput[4][2] = 0.1 + 0.2;
    TempDir dir;
    ASSERT_EQ(SaveToFile(*trained, dir.Path("t.task")), 1);
    auto loaded = MakeTask();
    const LoadResult result = LoadFromFile(*loaded, dir.Path("t.task"));
    ASSERT_EQ(result.status.kind, StatusKind::Ok);
    EXPECT_EQ(result.network, NetworkLoad::Loaded);

    EXPECT_TRUE(loaded->trainedShape == (NetworkShape{2, 4, 3}));
    EXPECT_EQ(std::memcmp(&loaded->accuracyPercent, &trained->accuracyPercent, 8), 0);
    EXPECT_EQ(std::memcmp(&loaded->learningCoef, &trained->learningCoef, 8), 0);
    EXPECT_EQ(std::memcmp(loaded->weightsInputHidden, trained->weightsInputHidden,
                          sizeof trained->weightsInputHidden),
              0);
    EXPECT_EQ(std::memcmp(loaded->weightsHiddenOutput, trained->weightsHiddenOutput,
                          sizeof trained->weightsHiddenOutput),
              0);
    for (int e = 0; e < trained->exampleCount; ++e) {
        const int* question = trained->examples[e].inputVariant;
        EXPECT_EQ(CheckAnswer(*loaded, question), CheckAnswer(*trained, question)) << e;
        EXPECT_EQ(std::memcmp(loaded->outputSignals, trained->outputSignals, 3 * 8), 0) << e;
    }
    EXPECT_EQ(FormatTaskFile(*loaded), FormatTaskFile(*trained)) << "saves to the same bytes";
}

TEST(NetworkSection, OnlyANetworkOfTheCurrentShapeIsSaved) {
    struct Case {
        const char* name;
        bool trained;
        std::function<void(NetTask&)> change;
        std::string bytes;  // what the file must hold: the old format exactly
    };
    const std::vector<Case> cases = {
        {"never trained", false, [](NetTask&) {}, Fruit},
        {"hidden size changed", true, [](NetTask& t) { t.hiddenCount = 5; },
         Replaced(Fruit, "2\n4\n", "2\n5\n")},
        {"examples reset", true, [](NetTask& t) { t.ResetExamples(); },
         Replaced(Fruit, "3\n6\n", "3\n0\n").substr(0, Fruit.find("0,0,=0"))},
        {"another task's network", true,
         [](NetTask& t) {
             t.trainedShape = {3, 4, 3};
         },
         Fruit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto task = c.trained ? TrainedFruit() : MakeTask();
        if (!c.trained) LoadFromBytes(*task, Fruit);
        c.change(*task);
        EXPECT_EQ(FormatTaskFile(*task), c.bytes);
    }
    EXPECT_EQ(FormatTaskFile(*TrainedFruit())->rfind(Fruit + "#zarn-network 1\n2 4 3\n", 0), 0u);
}

TEST(NetworkSection, SectionCutAtEveryByteNeverRefusesTheTask) {
    const std::string full = FormatTaskFile(*TrainedFruit()).value();
    auto plain = MakeTask();
    ASSERT_EQ(LoadFromBytes(*plain, Fruit).status.kind, StatusKind::Ok);
    // Without its section the file is the task as any reader of the format sees it.
    ASSERT_EQ(FormatTaskFile(*plain), Fruit);
    // One record for every cut: only the last two cuts may load the network.
    auto task = MakeTask();
    for (std::size_t cut = Fruit.size(); cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        const LoadResult result = LoadFromBytes(*task, std::string_view(full).substr(0, cut));
        ASSERT_EQ(result.status.kind, StatusKind::Ok);
        const bool whole = cut >= full.size() - 1;  // the last LF may go
        EXPECT_EQ(result.network, cut == Fruit.size() ? NetworkLoad::None
                                  : whole             ? NetworkLoad::Loaded
                                                      : NetworkLoad::Damaged);
        if (!whole) {
            EXPECT_TRUE(task->trainedShape == NetworkShape{});
            EXPECT_EQ(FormatTaskFile(*task), Fruit);
        }
        if (cut == full.size() - 2) {
            EXPECT_EQ(DescribeDifference(*task, *plain), "");
        }
    }
}

TEST(NetworkSection, DamagedOtherVersionOrShapeIsIgnoredAndTheTaskLoads) {
    const std::string full = FormatTaskFile(*TrainedFruit()).value();
    const std::string section = full.substr(Fruit.size());
    const std::size_t row = section.find('\n', section.find("100 ") + 1) + 1;  // first weight
    std::string digit = section;
    digit[row + 3] = digit[row + 3] == '7' ? '8' : '7';
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"other version", Replaced(full, "#zarn-network 1", "#zarn-network 2")},
        {"other shape", Replaced(full, "2\n4\n", "2\n5\n")},
        {"changed digit", Fruit + digit},
        {"extra number", Replaced(full, "\n#end", " 1\n#end")},
        {"line end lost", Fruit + section.substr(0, row - 1) + " " + section.substr(row)},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        auto task = MakeNoisyTask();
        auto before = MakeNoisyTask();
        const LoadResult result = LoadFromBytes(*task, bytes);
        ASSERT_EQ(result.status.kind, StatusKind::Ok);
        EXPECT_EQ(result.network, NetworkLoad::Damaged);
        EXPECT_EQ(task->exampleCount, 6) << "the task itself loads";
        EXPECT_TRUE(task->trainedShape == before->trainedShape) << "network untouched";
        EXPECT_EQ(task->accuracyPercent, before->accuracyPercent);
    }
    std::string crlf;
    for (char c : full) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, crlf).network, NetworkLoad::Loaded);
    EXPECT_EQ(LoadFromBytes(*task, Fruit + "notes\n").network, NetworkLoad::None);
}
