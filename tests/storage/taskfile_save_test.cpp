// Saving: the old file survives every failure, and no temporary file is left.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "storage/taskfile.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string OldBytes = "old file contents\n";

std::unique_ptr<NetTask> FruitTask() {
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, SampleBytes("fruit.task")).code(), 1);
    return task;
}

// A task whose file is about 200 KB, larger than the small limits below.
std::unique_ptr<NetTask> BigTask() {
    auto task = MakeTask();
    AddParam(*task, {"p", {{1.0, std::string(20000, 'v')}}});
    std::vector<std::string> outputs(10, std::string(20000, 'o'));
    SetOutputs(*task, outputs);
    return task;
}

// Runs body in a child process and returns its exit status (77 means skipped).
template <typename Body>
int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

constexpr int Skipped = 77;

}  // namespace

TEST(TaskFileSave, ReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(SaveToFile(*FruitTask(), target), 1);
    EXPECT_EQ(TempDir::Read(target), SampleBytes("fruit.task"));
    struct stat info;
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"t.task"});
}

TEST(TaskFileSave, SymbolicLinkStaysAndTheFileItNamesIsReplaced) {
    TempDir dir;
    TempDir::Write(dir.Path("real.task"), OldBytes);
    ASSERT_EQ(::symlink("real.task", dir.Path("link.task").c_str()), 0);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path("link.task")), 1);
    struct stat info;
    ASSERT_EQ(::lstat(dir.Path("link.task").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(TempDir::Read(dir.Path("real.task")), SampleBytes("fruit.task"));
}

TEST(TaskFileSave, TargetsThatAreNotRegularFilesAreLeftAlone) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path("folder")), -1);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path("pipe")), -1);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path("missing/t.task")), -1);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.path() + "/"), -1);
    struct stat info;
    ASSERT_EQ(::stat(dir.Path("pipe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(TempDir::List(dir.path()), (std::vector<std::string>{"folder", "pipe"}));
}

TEST(TaskFileSave, FolderWithoutWritePermissionGivesMinusOneAndKeepsTheOldFile) {
    TempDir dir;
    const std::string folder = dir.Path("ro");
    const std::string target = folder + "/t.task";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    auto task = FruitTask();
    // root writes anywhere, so the save runs as an ordinary user when the tests run as root.
    const int status = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return Skipped;
        return SaveToFile(*task, target) == -1 ? 0 : 1;
    });
    if (status == Skipped) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 0) << "SaveToFile did not return -1";
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    EXPECT_EQ(TempDir::List(folder), std::vector<std::string>{"t.task"});
}

TEST(TaskFileSave, WriteFailingMidwayGivesMinusOneAndKeepsTheOldFile) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    auto task = BigTask();
    // A file size limit makes write() fail part of the way, as a full disk does.
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return Skipped;
        return SaveToFile(*task, target) == -1 ? 0 : 1;
    });
    if (status == Skipped) GTEST_SKIP() << "cannot limit the file size";
    EXPECT_EQ(status, 0) << "SaveToFile did not return -1";
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"t.task"});
}

TEST(TaskFileSave, FullFileSystemGivesMinusOneAndKeepsTheOldFile) {
    TempDir dir;
    auto task = BigTask();
    // A 64 KB tmpfs in a private mount namespace of a child process.
    const int status = InChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            return Skipped;
        const std::string target = dir.Path("t.task");
        TempDir::Write(target, OldBytes);
        if (SaveToFile(*task, target) != -1) return 1;
        if (TempDir::Read(target) != OldBytes) return 2;
        if (TempDir::List(dir.path()) != std::vector<std::string>{"t.task"}) return 3;
        return 0;
    });
    if (status == Skipped) GTEST_SKIP() << "no permission to mount a tmpfs";
    EXPECT_EQ(status, 0) << "1: not -1, 2: old file changed, 3: temporary file left";
}

TEST(TaskFileSave, TaskThatWouldReadBackDifferentlyIsNotWritten) {
    struct Case {
        const char* what;
        void (*spoil)(NetTask&);
    };
    const Case cases[] = {
        {"LF in an input name", [](NetTask& t) { t.inputNames[1] = "si\nze"; }},
        {"LF in a variant name", [](NetTask& t) { t.inputParams[0].variantNames[2] = "x\n"; }},
        {"CR in an output name", [](NetTask& t) { t.outputNames[0] = "apple\r"; }},
        {"name too long", [](NetTask& t) { t.outputNames[2] = std::string(40000, 'p'); }},
        {"no result", [](NetTask& t) { t.examples[3].target[1] = 0.0; }},
        {"two results", [](NetTask& t) { t.examples[0].target[2] = 1.0; }},
        {"variant index out of range", [](NetTask& t) { t.examples[5].inputVariant[0] = 3; }},
        {"negative variant index", [](NetTask& t) { t.examples[5].inputVariant[1] = -1; }},
        {"too many inputs", [](NetTask& t) { t.inputCount = MaxInputs + 1; }},
        {"too many variants", [](NetTask& t) { t.inputParams[0].variantCount = MaxVariants + 1; }},
        {"negative outputs", [](NetTask& t) { t.outputCount = -1; }},
        {"too many examples", [](NetTask& t) { t.exampleCount = MaxExamples + 1; }},
    };
    TempDir dir;
    const std::string target = dir.Path("t.task");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir::Write(target, OldBytes);
        auto task = FruitTask();
        c.spoil(*task);
        auto before = MakeTask();
        CopyTask(*task, *before);
        EXPECT_EQ(SaveToFile(*task, target), -1);
        EXPECT_EQ(TempDir::Read(target), OldBytes);
        EXPECT_EQ(DescribeDifference(*task, *before), "");
    }
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"t.task"});
}
