// The numeric scales saved after the task: kept byte for byte, absent from a
// task without them, and never a reason for a task not to load.
#include "storage/scalesection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "network/network.h"
#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/comma_locale.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string Fruit = SampleBytes("fruit.task");

// fruit.task with scales on both parameters (colour: 3 variants, size: 2).
std::unique_ptr<NetTask> ScaledFruit(bool trained) {
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, Fruit).status.kind, StatusKind::Ok);
    if (trained) {
        EXPECT_TRUE(TrainNetwork(*task, "0.2", "300", 1, nullptr).status.ok());
    }
    task->inputParams[0].scale = {NumericScale::Kind::Exact, -0.1, 0.1 + 0.2, {}};
    task->inputParams[1].scale = {NumericScale::Kind::Intervals, 1e-300, 7, {2.5}};
    return task;
}

// The section's checksum of these lines, as the writer makes it.
std::string Fnv1aHex(const std::string& lines) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : lines) hash = (hash ^ byte) * 0x100000001b3ULL;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string Section(const NetTask& task) {
    const std::string bytes = FormatTaskFile(task).value();
    return bytes.substr(bytes.find("#zarn-scale"));
}

}  // namespace

TEST(ScaleSection, SavedScalesLoadExactlyBesideTheNetwork) {
    CommaLocale comma;
    for (const bool trained : {false, true}) {
        SCOPED_TRACE(trained);
        auto task = ScaledFruit(trained);
        const std::string lines = "0 exact -0.1 0.30000000000000004\n1 intervals 1e-300 7 2.5\n";
        EXPECT_EQ(Section(*task), "#zarn-scale 1\n" + lines + "#end " + Fnv1aHex(lines) + "\n");
        TempDir dir;
        ASSERT_EQ(SaveToFile(*task, dir.Path("t.task")), 1);
        auto loaded = MakeNoisyTask();
        const LoadResult result = LoadFromFile(*loaded, dir.Path("t.task"));
        ASSERT_EQ(result.status.kind, StatusKind::Ok);
        EXPECT_EQ(result.scales, ScaleLoad::Loaded);
        EXPECT_EQ(result.network, trained ? NetworkLoad::Loaded : NetworkLoad::None);
        EXPECT_TRUE(loaded->inputParams[0].scale == task->inputParams[0].scale);
        EXPECT_TRUE(loaded->inputParams[1].scale == task->inputParams[1].scale);
        EXPECT_EQ(FormatTaskFile(*loaded), TempDir::Read(dir.Path("t.task")))
            << "saves to the same bytes";
    }
    // No scale: the old bytes, and loading them clears any scale the record held.
    auto plain = ScaledFruit(false);
    plain->inputParams[0].scale = {};
    plain->inputParams[1].scale.cuts = {2.5, 3};  // no longer fits two variants: not written
    EXPECT_EQ(FormatTaskFile(*plain), Fruit);
    auto loaded = ScaledFruit(false);
    EXPECT_EQ(LoadFromBytes(*loaded, Fruit).scales, ScaleLoad::None);
    EXPECT_EQ(loaded->inputParams[0].scale.kind, NumericScale::Kind::None);
}

TEST(ScaleSection, CutAtEveryByteNeverRefusesTheTask) {
    const auto task = ScaledFruit(true);
    const std::string full = FormatTaskFile(*task).value();
    const std::size_t sectionAt = full.find("#zarn-scale");
    auto loaded = MakeTask();
    for (std::size_t cut = sectionAt; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        const LoadResult result = LoadFromBytes(*loaded, std::string_view(full).substr(0, cut));
        ASSERT_EQ(result.status.kind, StatusKind::Ok);
        EXPECT_EQ(result.network, NetworkLoad::Loaded) << "the network before it stays whole";
        const bool whole = cut >= full.size() - 1;
        // Until "#zarn-scale " is whole, the bytes are no section of ours.
        const bool marker = cut >= sectionAt + std::string_view("#zarn-scale ").size();
        EXPECT_EQ(result.scales, !marker ? ScaleLoad::None
                                 : whole ? ScaleLoad::Loaded
                                         : ScaleLoad::Damaged);
        EXPECT_EQ(loaded->inputParams[1].scale.kind,
                  whole ? NumericScale::Kind::Intervals : NumericScale::Kind::None);
    }
}

TEST(ScaleSection, DamagedOrNotFittingSectionsAreIgnored) {
    const std::string full = FormatTaskFile(*ScaledFruit(false)).value();
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = full;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"other version", replaced("#zarn-scale 1", "#zarn-scale 2")},
        {"changed digit", replaced("1 intervals 1e-300 7 2.5", "1 intervals 1e-300 7 2.6")},
        {"unknown kind", replaced(" exact ", " steps ")},
        {"double space", replaced("0 exact", "0  exact")},
        {"no end line", full.substr(0, full.find("#end"))},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        auto task = MakeNoisyTask();
        const LoadResult result = LoadFromBytes(*task, bytes);
        ASSERT_EQ(result.status.kind, StatusKind::Ok);
        EXPECT_EQ(result.scales, ScaleLoad::Damaged);
        EXPECT_EQ(task->exampleCount, 6) << "the task itself loads";
        EXPECT_EQ(task->inputParams[0].scale.kind, NumericScale::Kind::None);
    }
    // A true checksum cannot vouch for lines that do not fit the parameters.
    const std::string head = full.substr(0, full.find("#zarn-scale"));
    const struct {
        const char* lines;
        ScaleLoad load;
    } sections[] = {
        {"0 exact 0 1\n1 intervals 0 7 2.5\n", ScaleLoad::Loaded},
        {"1 intervals 0 7 2.5 3\n", ScaleLoad::Damaged},  // three intervals, two variants
        {"2 exact 0 1\n", ScaleLoad::Damaged},            // no parameter 2
        {"1 exact 0 1\n0 exact 0 1\n", ScaleLoad::Damaged},
        {"0 exact 1 0\n", ScaleLoad::Damaged},
        {"0 exact 0 nan\n", ScaleLoad::Damaged},
        {"", ScaleLoad::Damaged},
    };
    for (const auto& c : sections) {
        SCOPED_TRACE(c.lines);
        auto loaded = MakeTask();
        const std::string bytes =
            head + "#zarn-scale 1\n" + c.lines + "#end " + Fnv1aHex(c.lines) + "\n";
        EXPECT_EQ(LoadFromBytes(*loaded, bytes).scales, c.load);
        EXPECT_EQ(loaded->inputParams[0].scale.kind == NumericScale::Kind::Exact,
                  c.load == ScaleLoad::Loaded);
    }
    std::string crlf;
    for (char c : full) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, crlf).scales, ScaleLoad::Loaded);
}
