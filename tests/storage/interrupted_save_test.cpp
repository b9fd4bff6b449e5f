// Saves that are interrupted or meet another writer: signals wait for the
// file to be whole, a copy of the old bytes outlives a kill, one writer at a
// time, and outputs are checked before long work.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

#include "storage/atomicfile.h"
#include "storage/recoverycopy.h"
#include "storage/signalhold.h"
#include "storage/taskfile.h"
#include "storage/texts.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// The exit status of body run in a child process, or 128 + the signal that ended it.
int InChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int g_marker = -1;  // where the child notes what happened, in order

void Note(const char* text) {
    if (::write(g_marker, text, std::strlen(text)) < 0) ::_exit(90);
}

void NoteHandler(int) {
    Note("handler;");
}

}  // namespace

TEST(SignalHold, SignalsWaitForTheEndOfTheHoldThenAct) {
    struct Case {
        const char* what;
        int signal;
        int times;
        bool ownHandler;  // once, then the default (like zarn-cli's Ctrl+C)
        bool fromOtherThread;
        const char* notes;
    };
    const Case cases[] = {
        {"SIGTERM", SIGTERM, 1, false, false, "held;"},
        {"SIGHUP sent to the process from another thread", SIGHUP, 1, false, true, "held;"},
        {"SIGINT twice: the handler, then the end", SIGINT, 2, true, false, "held;handler;"},
        {"SIGTERM from another thread, own handler", SIGTERM, 1, true, true,
         "held;handler;ran on;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string marker = dir.Path("marker");
        const int status = InChild([&] {
            g_marker = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            if (c.ownHandler) {
                struct sigaction once {};
                once.sa_handler = NoteHandler;
                once.sa_flags = SA_RESETHAND;
                sigaction(c.signal, &once, nullptr);
            }
            {
                SignalHold hold;
                for (int t = 0; t < c.times; ++t) {
                    if (c.fromOtherThread)
                        std::thread([&] { ::kill(::getpid(), c.signal); }).join();
                    else
                        ::raise(c.signal);
                }
                // Other threads had the chance to take it; it must still wait.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                Note("held;");
            }
            Note("ran on;");
            return 0;
        });
        const bool survives = c.ownHandler && c.times == 1;
        EXPECT_EQ(status, survives ? 0 : 128 + c.signal);
        EXPECT_EQ(TempDir::Read(marker), c.notes);
    }
}

namespace {

// A task file of about 20 KB (one long variant name).
std::string BigTaskBytes(const std::string& scratch) {
    auto task = MakeTask();
    AddParam(*task, {"p", {{1.0, std::string(20000, 'v')}}});
    SetOutputs(*task, {"a", "b"});
    EXPECT_EQ(SaveToFile(*task, scratch), 1);
    return TempDir::Read(scratch);
}

// Saves bytes over target in a child whose files may not grow past 4096
// bytes: writing in place, it is killed (SIGXFSZ) after the first 4096 new bytes.
int KilledHalfWay(const std::string& target, const std::string& bytes) {
    return InChild([&] {
        const rlimit limit{4096, 4096};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && ReplaceFileContents(target, bytes).ok()
                   ? 0
                   : 1;
    });
}

struct stat Stat(const std::string& path) {
    struct stat info = {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

std::string Hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx", value);
    return text;
}

}  // namespace

TEST(RecoveryCopy, KilledInPlaceSaveKeepsTheOldBytesAndTheNextSaveRemovesThem) {
    TempDir dir;
    const std::string oldBytes = SampleBytes("fruit.task");
    const std::string newBytes = BigTaskBytes(dir.Path("big"));
    const std::string runtime = dir.Path("runtime");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    struct Case {
        const char* what;
        const char* name;     // the target, in the test's folder
        const char* runtime;  // XDG_RUNTIME_DIR, or null for none
        bool besideTakesIt;
    };
    const Case cases[] = {
        {"beside the file", "t.task", nullptr, true},
        {"in the runtime folder when the file's folder takes none", "sub/t.task", "runtime", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = dir.Path(c.name);
        const std::string folder = target.substr(0, target.rfind('/'));
        ::mkdir(folder.c_str(), 0755);
        TempDir::Write(target, oldBytes);
        ASSERT_EQ(::link(target.c_str(), (target + ".twin").c_str()), 0);
        if (c.runtime) setenv("XDG_RUNTIME_DIR", dir.Path(c.runtime).c_str(), 1);
        const struct stat file = Stat(target);
        const std::string expected =
            c.besideTakesIt
                ? folder + "/.zarn-previous-" + Hex(file.st_ino)
                : runtime + "/zarn/previous-" + Hex(file.st_dev) + "-" + Hex(file.st_ino);
        // A shut folder would not stop root, so a folder in the way takes the
        // place of the copy beside the file.
        if (!c.besideTakesIt) {
            const std::string inTheWay = folder + "/.zarn-previous-" + Hex(file.st_ino);
            ASSERT_EQ(::mkdir(inTheWay.c_str(), 0700), 0);
        }

        EXPECT_EQ(KilledHalfWay(target, newBytes), 128 + SIGXFSZ);
        EXPECT_EQ(TempDir::Read(target), newBytes.substr(0, 4096)) << "killed half-way";
        EXPECT_EQ(TempDir::Read(expected), oldBytes);
        EXPECT_EQ(FindRecoveryCopy(target + ".twin"), expected) << "found through either name";

        // The cut file even loads (as a task with empty output names).
        auto task = MakeTask();
        EXPECT_EQ(LoadFromFile(*task, target).recoveryCopy, expected);
        EXPECT_EQ(LoadFromFile(*task, target + ".twin").recoveryCopy, expected);

        EXPECT_TRUE(ReplaceFileContents(target, newBytes).ok());
        EXPECT_EQ(TempDir::Read(target + ".twin"), newBytes);
        EXPECT_EQ(FindRecoveryCopy(target), "");
        EXPECT_EQ(TempDir::Read(expected), "<missing>");
        if (c.runtime) unsetenv("XDG_RUNTIME_DIR");
    }
}

TEST(WriteLock, SecondWriterWaitsForTheFirstWhicheverNameItUses) {
    struct Case {
        const char* what;
        bool holdThroughTwin;   // the file has a second name, held through it
        bool renamedMeanwhile;  // the first writer puts a new file under the name
    };
    const Case cases[] = {
        {"held through another hard link", true, false},
        {"held through the same name", false, false},
        {"a new file renamed over it while waiting", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string target = dir.Path("t.task");
        TempDir::Write(target, "old\n");
        if (c.holdThroughTwin) {
            ASSERT_EQ(::link(target.c_str(), dir.Path("twin").c_str()), 0);
        }
        const int held =
            ::open((c.holdThroughTwin ? dir.Path("twin") : target).c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        std::thread first([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (c.renamedMeanwhile) {
                TempDir::Write(dir.Path("first"), "first\n");
                ::rename(dir.Path("first").c_str(), target.c_str());
            }
            ::close(held);
        });
        const Status written = ReplaceFileContents(target, "second\n");
        EXPECT_TRUE(written.ok()) << written.message;
        first.join();
        EXPECT_EQ(TempDir::Read(target), "second\n");
    }
}

TEST(CarefulSave, CheckWritableNamesWhatStandsInTheWay) {
    TempDir dir;
    TempDir::Write(dir.Path("file"), "x");
    ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("missing/x", dir.Path("dangling").c_str()), 0);
    // The reason in words, or nothing when the file could be written.
    const std::pair<const char*, const char*> cases[] = {
        {"file", ""},
        {"new-file", ""},
        {"folder", NotRegularReason},
        {"pipe", NotRegularReason},
        {"missing-folder/x", NoFolderReason},
        {"file/x", NoFolderReason},
        {"dangling", NoFolderReason},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        const Status check = CheckWritable(dir.Path(name));
        EXPECT_EQ(check.message, reason);
        EXPECT_EQ(check.kind, *reason ? StatusKind::CannotWrite : StatusKind::Ok);
    }
    EXPECT_EQ(TempDir::List(dir.path()),
              (std::vector<std::string>{"dangling", "file", "folder", "pipe"}));
}
