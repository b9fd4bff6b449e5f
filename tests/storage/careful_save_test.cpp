// Saving respects what a careful editor respects: write protection, other
// names of the file, its owner and group, links, and leftovers of killed saves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>

#include "storage/atomicfile.h"
#include "storage/taskfile.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string OldBytes = "old file contents\n";

std::unique_ptr<NetTask> FruitTask() {
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, SampleBytes("fruit.task")).code(), 1);
    return task;
}

struct stat Stat(const std::string& path) {
    struct stat info = {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// A folder inside dir that belongs to the ordinary user.
std::string UserFolder(const TempDir& dir) {
    EXPECT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string folder = dir.Path("work");
    EXPECT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_EQ(::chown(folder.c_str(), OrdinaryUid(), OrdinaryGid()), 0);
    return folder;
}

// Runs body in a child process as the same user; its exit status, or 128 +
// the signal that killed it.
int InChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A task whose file is about 20 KB, larger than the file size limit below.
std::unique_ptr<NetTask> BigTask() {
    auto task = MakeTask();
    AddParam(*task, {"p", {{1.0, std::string(20000, 'v')}}});
    SetOutputs(*task, {"a", "b"});
    return task;
}

void WriteOwned(const std::string& path, uid_t uid, gid_t gid, mode_t mode) {
    TempDir::Write(path, OldBytes);
    ASSERT_EQ(::chown(path.c_str(), uid, gid), 0);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

}  // namespace

TEST(CarefulSave, PermissionsOwnersAndLinksAreKeptAsAnOrdinaryUser) {
    struct Case {
        const char* what;
        bool rootOnly;  // gives the file to another owner or group
        std::function<void(const std::string& folder, const std::string& target)> prepare;
        int result;
        bool inPlace;  // the same inode afterwards
        mode_t mode;
    };
    const uid_t user = OrdinaryUid();
    const gid_t group = OrdinaryGid();
    const Case cases[] = {
        {"write-protected file", false,
         [&](auto&, auto& target) { WriteOwned(target, user, group, 0444); }, -1, true, 0444},
        {"folder not writable, file writable", false,
         [&](auto& folder, auto& target) {
             WriteOwned(target, user, group, 0640);
             ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
         },
         1, true, 0640},
        {"neither writable", false,
         [&](auto& folder, auto& target) {
             WriteOwned(target, user, group, 0444);
             ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
         },
         -1, true, 0444},
        {"second hard link", false,
         [&](auto& folder, auto& target) {
             WriteOwned(target, user, group, 0604);
             ASSERT_EQ(::link(target.c_str(), (folder + "/other-name").c_str()), 0);
         },
         1, true, 0604},
        {"group the user is not in", true,
         [&](auto&, auto& target) { WriteOwned(target, user, 0, 0664); }, 1, true, 0664},
        {"another user's writable file", true,
         [&](auto&, auto& target) { WriteOwned(target, 0, 0, 0666); }, 1, true, 0666},
        {"own file", false, [&](auto&, auto& target) { WriteOwned(target, user, group, 0620); }, 1,
         false, 0620},
    };
    auto task = FruitTask();
    const std::string newBytes = SampleBytes("fruit.task");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.rootOnly && !RunningAsRoot()) continue;
        TempDir dir;
        const std::string folder = UserFolder(dir);
        const std::string target = folder + "/t.task";
        c.prepare(folder, target);
        const struct stat before = Stat(target);

        const int status =
            RunAsOrdinaryUser([&] { return SaveToFile(*task, target) == 1 ? 1 : 2; });
        if (status == CannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
        EXPECT_EQ(status, c.result == 1 ? 1 : 2);

        const struct stat after = Stat(target);
        EXPECT_EQ(TempDir::Read(target), c.result == 1 ? newBytes : OldBytes);
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (before.st_nlink > 1) {
            EXPECT_EQ(TempDir::Read(folder + "/other-name"), newBytes);
        }
        for (const std::string& name : TempDir::List(folder))
            EXPECT_TRUE(name == "t.task" || name == "other-name") << "left behind: " << name;
    }
}

TEST(CarefulSave, DanglingLinkGetsItsFileWithTheUsualModeAndLongNamesSave) {
    TempDir dir;
    ASSERT_EQ(::symlink("sub/real.task", dir.Path("link.task").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.Path("sub").c_str(), 0755), 0);
    const mode_t previous = ::umask(027);
    const int saved = SaveToFile(*FruitTask(), dir.Path("link.task"));
    ::umask(previous);
    ASSERT_EQ(saved, 1);
    EXPECT_TRUE(S_ISLNK(Stat(dir.Path("link.task")).st_mode));
    EXPECT_EQ(TempDir::Read(dir.Path("sub/real.task")), SampleBytes("fruit.task"));
    EXPECT_EQ(Stat(dir.Path("sub/real.task")).st_mode & 07777, 0640u);

    // 127 Cyrillic letters and one more byte: the longest name a folder holds.
    std::string longest;
    for (int i = 0; i < 127; ++i) longest += "ж";
    longest += "t";
    ASSERT_EQ(longest.size(), 255u);
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path(longest)), 1);
    EXPECT_EQ(TempDir::Read(dir.Path(longest)), SampleBytes("fruit.task"));
}

TEST(CarefulSave, KilledSaveLeavesATemporaryOfTheFinalModeThatTheNextSaveRemoves) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    auto task = BigTask();
    // Writing past the file size limit kills the child in the middle of the save.
    const int status = InChild([&] {
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        SaveToFile(*task, target);
        return 4;
    });
    ASSERT_EQ(status, 128 + SIGXFSZ);
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    std::vector<std::string> names = TempDir::List(dir.path());
    ASSERT_EQ(names.size(), 2u);
    const std::string stale = names[0] == "t.task" ? names[1] : names[0];
    EXPECT_EQ(stale.size(), 25u);
    EXPECT_EQ(stale.rfind(TemporaryNamePrefix("t.task"), 0), 0u) << stale;
    const struct stat leftover = Stat(dir.Path(stale));
    EXPECT_EQ(leftover.st_mode & 07777, 0640u) << "the mode was set before the bytes";
    EXPECT_EQ(leftover.st_size, 4096);

    // Names like ours that are not stale temporaries of this target stay.
    const std::string prefix = TemporaryNamePrefix("t.task");
    const std::string live = prefix + "L1ve00.tmp";
    TempDir::Write(dir.Path(live), "a save in progress");
    const int held = ::open(dir.Path(live).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    std::vector<std::string> kept = {live, TemporaryNamePrefix("other.task") + "abc123.tmp",
                                     prefix + "abc12.tmp", prefix + "abc!23.tmp",
                                     prefix + "abc123.tmpx"};
    for (const std::string& name : kept)
        if (name != live) TempDir::Write(dir.Path(name), "not ours to remove");
    ASSERT_EQ(::mkdir(dir.Path(prefix + "folder.tmp").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("t.task", dir.Path(prefix + "link00.tmp").c_str()), 0);
    TempDir::Write(dir.Path("precious"), "other names of a file");
    ASSERT_EQ(::link(dir.Path("precious").c_str(), dir.Path(prefix + "named2.tmp").c_str()), 0);
    kept.insert(kept.end(), {prefix + "folder.tmp", prefix + "link00.tmp", prefix + "named2.tmp",
                             "precious", "t.task"});
    if (RunningAsRoot()) {
        TempDir::Write(dir.Path(prefix + "nobody.tmp"), "another user's");
        ASSERT_EQ(::chown(dir.Path(prefix + "nobody.tmp").c_str(), OrdinaryUid(), 0), 0);
        kept.push_back(prefix + "nobody.tmp");
    }

    EXPECT_EQ(SaveToFile(*FruitTask(), target), 1);
    ::close(held);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(TempDir::List(dir.path()), kept);
    EXPECT_EQ(TempDir::Read(target), SampleBytes("fruit.task"));
}

TEST(CarefulSave, FailedWriteInPlaceWritesTheOldBytesBack) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::link(target.c_str(), dir.Path("other-name").c_str()), 0);
    auto task = BigTask();
    // The limit makes the write fail part of the way, as a full device does.
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        return SaveToFile(*task, target) == -1 ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "SaveToFile did not return -1";
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    EXPECT_EQ(TempDir::Read(dir.Path("other-name")), OldBytes);
    EXPECT_EQ(Stat(target).st_nlink, 2u);
}
