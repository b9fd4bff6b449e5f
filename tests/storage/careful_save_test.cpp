// Saving respects what a careful editor respects: write protection, other
// names of the file, its owner and group, links, and leftovers of killed saves.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
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
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string OldBytes = "old file contents\n";

std::unique_ptr<NetTask> FruitTask() {
    auto task = MakeTask();
    EXPECT_EQ(LoadFromBytes(*task, SampleBytes("fruit.task")).code(), 1);
    return task;
}

// A task whose file (about 20 KB) is larger than the file size limit below.
std::unique_ptr<NetTask> BigTask() {
    auto task = MakeTask();
    AddParam(*task, {"p", {{1.0, std::string(20000, 'v')}}});
    SetOutputs(*task, {"a", "b"});
    return task;
}

struct stat Stat(const std::string& path) {
    struct stat info = {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// Runs body in a child process whose files may grow to 4096 bytes; its exit
// status, or 128 + the signal that killed it.
int WithSizeLimit(bool killedAtTheLimit, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!killedAtTheLimit) std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::_exit(::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 99);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Root may write anything, so permission tests run as `nobody` when the
// tests run as root, and as the current user otherwise.
bool RunningAsRoot() {
    return ::geteuid() == 0;
}

uid_t OrdinaryUid() {
    const passwd* nobody = ::getpwnam("nobody");
    return !RunningAsRoot() ? ::geteuid() : nobody ? nobody->pw_uid : 65534;
}

gid_t OrdinaryGid() {
    const group* nogroup = ::getgrnam("nogroup");
    return !RunningAsRoot() ? ::getegid() : nogroup ? nogroup->gr_gid : 65534;
}

constexpr int CannotDropPrivileges = 77;

// body's exit status in a child process run as the ordinary user.
int RunAsOrdinaryUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (RunningAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(OrdinaryGid()) != 0 ||
                                ::setuid(OrdinaryUid()) != 0 || ::geteuid() == 0))
            ::_exit(CannotDropPrivileges);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CarefulSave, PermissionsOwnersAndLinksAreKeptAsAnOrdinaryUser) {
    const uid_t user = OrdinaryUid();
    const gid_t group = OrdinaryGid();
    struct Case {
        const char* what;
        uid_t owner;
        gid_t group;
        mode_t mode;
        mode_t folderMode;
        bool secondName;
        int result;
        bool inPlace;  // the same inode afterwards
    };
    const Case cases[] = {
        {"write-protected file", user, group, 0444, 0755, false, -1, true},
        {"folder not writable, file writable", user, group, 0640, 0555, false, 1, true},
        {"second hard link", user, group, 0604, 0755, true, 1, true},
        {"group the user is not in", user, 0, 0664, 0755, false, 1, true},
        {"another user's writable file", 0, 0, 0666, 0755, false, 1, true},
        {"own file", user, group, 0620, 0755, false, 1, false},
    };
    auto task = FruitTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Without root, files cannot be given to other owners or groups.
        if (!RunningAsRoot() && (c.owner != user || c.group != group)) continue;
        TempDir dir;
        ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
        const std::string folder = dir.Path("work"), target = folder + "/t.task";
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        TempDir::Write(target, OldBytes);
        if (c.secondName) {
            ASSERT_EQ(::link(target.c_str(), (folder + "/other").c_str()), 0);
        }
        ASSERT_EQ(::chown(folder.c_str(), user, group), 0);
        ASSERT_EQ(::chown(target.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const struct stat before = Stat(target);

        const int status = RunAsOrdinaryUser([&] { return SaveToFile(*task, target) == 1; });
        if (status == CannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
        EXPECT_EQ(status, c.result == 1);

        const struct stat after = Stat(target);
        const std::string expected = c.result == 1 ? SampleBytes("fruit.task") : OldBytes;
        EXPECT_EQ(TempDir::Read(target), expected);
        EXPECT_EQ(TempDir::Read(folder + "/other"), c.secondName ? expected : "<missing>");
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        EXPECT_EQ(after.st_uid, c.owner);
        EXPECT_EQ(after.st_gid, c.group);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        EXPECT_EQ(TempDir::List(folder).size(), c.secondName ? 2u : 1u) << "temporary left";
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
    std::string longest = "t";
    for (int i = 0; i < 127; ++i) longest += "ж";
    EXPECT_EQ(SaveToFile(*FruitTask(), dir.Path(longest)), 1);
    EXPECT_EQ(TempDir::Read(dir.Path(longest)), SampleBytes("fruit.task"));
}

TEST(CarefulSave, KilledSaveLeavesATemporaryOfTheFinalModeThatTheNextSaveRemoves) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    auto task = BigTask();
    ASSERT_EQ(WithSizeLimit(true, [&] { return SaveToFile(*task, target); }), 128 + SIGXFSZ);
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    const std::string prefix = TemporaryNamePrefix("t.task");
    const std::vector<std::string> names = TempDir::List(dir.path());
    ASSERT_EQ(names.size(), 2u);
    const std::string stale = names[0];
    EXPECT_EQ(stale.size(), 25u);
    EXPECT_EQ(stale.rfind(prefix, 0), 0u) << stale;
    EXPECT_EQ(Stat(dir.Path(stale)).st_mode & 07777, 0640u) << "the mode came before the bytes";
    EXPECT_EQ(Stat(dir.Path(stale)).st_size, 4096);

    // What only looks like a stale temporary of this target stays.
    std::vector<std::string> kept = {prefix + "L1ve00.tmp",
                                     prefix + "abc!23.tmp",
                                     TemporaryNamePrefix("other.task") + "abc123.tmp",
                                     prefix + "folder.tmp",
                                     prefix + "named2.tmp",
                                     "t.task"};
    for (int i = 0; i < 3; ++i) TempDir::Write(dir.Path(kept[i]), "not ours to remove");
    const int held = ::open(dir.Path(kept[0]).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a save in progress
    ASSERT_EQ(::mkdir(dir.Path(kept[3]).c_str(), 0700), 0);
    ASSERT_EQ(::link(dir.Path(kept[1]).c_str(), dir.Path(kept[4]).c_str()), 0);
    if (RunningAsRoot()) {
        kept.push_back(prefix + "nobody.tmp");
        TempDir::Write(dir.Path(kept.back()), "another user's");
        ASSERT_EQ(::chown(dir.Path(kept.back()).c_str(), OrdinaryUid(), 0), 0);
    }

    EXPECT_EQ(SaveToFile(*FruitTask(), target), 1);
    ::close(held);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(TempDir::List(dir.path()), kept);
}

TEST(CarefulSave, FailedWriteInPlaceWritesTheOldBytesBack) {
    TempDir dir;
    const std::string target = dir.Path("t.task");
    TempDir::Write(target, OldBytes);
    ASSERT_EQ(::link(target.c_str(), dir.Path("other").c_str()), 0);
    auto task = BigTask();
    EXPECT_EQ(WithSizeLimit(false, [&] { return SaveToFile(*task, target) == -1; }), 1);
    EXPECT_EQ(TempDir::Read(target), OldBytes);
    EXPECT_EQ(TempDir::Read(dir.Path("other")), OldBytes);
    EXPECT_EQ(Stat(target).st_nlink, 2u);
}
