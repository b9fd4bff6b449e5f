// zarn-cli train --out killed at many points while it saves, and two runs
// saving one file at once. The file must always be the old one or the whole
// new one; after SIGKILL a mixture is allowed only with a recovery copy that
// holds the old bytes exactly. Half of the kills aim at the save itself (they
// follow the first new bytes in the file, or the temporary file of a save by
// renaming, by up to a little more than the rest of the run, most of them
// soon), half are spread over the run. ZARN_KILL_RUNS sets
// the runs per case and ZARN_WRITER_TRIES the tries of two writers (small defaults keep the suite
// quick; raise them for a thorough run). Each case prints what it saw.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "storage/recoverycopy.h"
#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "tests/cli/cli_run.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

int CountFromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    int value = 0;
    if (!text || std::from_chars(text, text + std::strlen(text), value).ec != std::errc() ||
        value < 1)
        return fallback;
    return value;
}

// A task file of about 4.8 MB (long variant names), so that writing it takes
// long enough to be caught half-way. letter tells two such tasks apart.
std::string BigTaskBytes(char letter, const std::string& scratch) {
    auto task = MakeTask();
    for (int p = 0; p < 4; ++p) {
        ParamSpec param{Numbered("p", p), {}};
        for (int v = 0; v < 60; ++v)
            param.variants.push_back({v / 60.0, std::string(20000, letter) + Numbered("v", v)});
        AddParam(*task, param);
    }
    SetOutputs(*task, {"yes", "no"});
    for (int e = 0; e < 200; ++e)
        PutExample(*task, {e % 60, (e * 7) % 60, (e * 13) % 60, (e * 17) % 60}, e % 2);
    task->hiddenCount = 3;
    EXPECT_EQ(SaveToFile(*task, scratch), 1);
    return TempDir::Read(scratch);
}

// Writes bytes over the file itself, keeping its inode and other names.
void Overwrite(const std::string& path, const std::string& bytes) {
    TempDir::Write(path, bytes);
}

void RemoveRecoveryCopies(const std::string& target) {
    for (std::string copy = FindRecoveryCopy(target); !copy.empty();
         copy = FindRecoveryCopy(target))
        ASSERT_EQ(::unlink(copy.c_str()), 0) << copy;
}

bool Ended(pid_t pid) {
    siginfo_t ended{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           ended.si_pid == pid;  // left for WaitCli to collect
}

// Watches a folder for the first file a save makes there whose name begins
// with prefix: ".zarn-previous-", the recovery copy that comes right before an
// in-place write, or ".zarn-", the temporary file of any save.
class SaveWatch {
  public:
    SaveWatch(const std::string& folder, const char* prefix)
        : m_fd(::inotify_init1(IN_CLOEXEC)), m_prefix(prefix) {
        EXPECT_GE(::inotify_add_watch(m_fd, folder.c_str(), IN_CREATE | IN_MOVED_TO), 0);
    }
    ~SaveWatch() { ::close(m_fd); }

    // true once the save of the program pid has begun; false when the program
    // ended first or nothing began within the wait.
    bool WaitForSave(pid_t pid, std::chrono::milliseconds wait) {
        const auto deadline = Clock::now() + wait;
        alignas(inotify_event) char buffer[4096];
        while (Clock::now() < deadline) {
            if (Ended(pid)) return false;
            pollfd ready{m_fd, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len && std::string_view(event->name).starts_with(m_prefix)) return true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return false;
    }

  private:
    int m_fd;
    std::string_view m_prefix;
};

// The task part of a trained task file (all before its network section).
std::string TaskPart(const std::string& bytes) {
    return bytes.substr(0, bytes.find("#zarn-network"));
}

// A whole file of a run that Ctrl+C stopped early: the new task part and a
// network whose checksum holds, ending where the section ends.
bool WholeStoppedRun(const std::string& bytes, const std::string& newBytes) {
    auto task = MakeTask();
    const LoadResult loaded = LoadFromBytes(*task, bytes);
    return loaded.status.kind == StatusKind::Ok && loaded.network == NetworkLoad::Loaded &&
           TaskPart(bytes) == TaskPart(newBytes) && bytes.size() > TaskPart(bytes).size() &&
           FormatTaskFile(*task) == bytes;
}

// true once the first page of the file at path stops being the old one's
// (the in-place write has begun); false when the program pid ended first.
bool WaitForNewBytes(const std::string& path, const std::string& oldBytes, pid_t pid) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const std::string_view oldHead(oldBytes.data(), std::min<std::size_t>(oldBytes.size(), 4096));
    char head[4096];
    bool changed = false;
    for (int polls = 0; !changed; ++polls) {
        const ssize_t got = ::pread(fd, head, oldHead.size(), 0);
        changed = got >= 0 && std::string_view(head, static_cast<std::size_t>(got)) != oldHead;
        if (!changed && polls % 64 == 0 && Ended(pid)) break;
    }
    ::close(fd);
    return changed;
}

void SpinFor(std::chrono::microseconds span) {
    const auto until = Clock::now() + span;
    while (Clock::now() < until) {
    }
}

struct KillCase {
    const char* what;
    int signal;
    bool twice;       // a second one follows (Ctrl+C, Ctrl+C)
    bool hardLinked;  // the target has a second name, so it is written in place
};

struct Tally {
    int old = 0, whole = 0, recovered = 0, exited = 0;
    int copyLeft = 0;  // killed while a recovery copy existed (between its writing and removal)
};

class KillHarness : public ::testing::Test {
  protected:
    void SetUp() override {
        input = dir.Path("input.task");
        target = dir.Path("target.task");
        oldBytes = BigTaskBytes('o', dir.Path("scratch"));
        TempDir::Write(input, BigTaskBytes('n', dir.Path("scratch")));
        ASSERT_EQ(::unlink(dir.Path("scratch").c_str()), 0);
    }

    std::vector<std::string> TrainArgs(int seed) const {
        return {"train",   input,   "--seed", std::to_string(seed), "--iterations", "20",
                "--quiet", "--out", target};
    }

    // A fresh old target (with its second name where asked) and no copies.
    void ResetTarget(bool hardLinked) {
        RemoveRecoveryCopies(target);
        ::unlink(dir.Path("twin.task").c_str());
        Overwrite(target, oldBytes);
        if (hardLinked) {
            ASSERT_EQ(::link(target.c_str(), dir.Path("twin.task").c_str()), 0);
        }
    }

    TempDir dir;
    std::string input, target, oldBytes;
};

TEST_F(KillHarness, TargetIsOldOrWholeNewOrItsOldBytesAreKept) {
    const int runs = CountFromEnvironment("ZARN_KILL_RUNS", 12);
    const KillCase cases[] = {
        {"SIGTERM, hard-linked target", SIGTERM, false, true},
        {"SIGINT twice, hard-linked target", SIGINT, true, true},
        {"SIGKILL, hard-linked target", SIGKILL, false, true},
        {"SIGTERM, single-name target", SIGTERM, false, false},
        {"SIGKILL, single-name target", SIGKILL, false, false},
    };
    for (const KillCase& c : cases) {
        SCOPED_TRACE(c.what);
        // An undisturbed run: the new bytes, the run's length and the save's.
        ResetTarget(c.hardLinked);
        const char* trigger = c.hardLinked ? ".zarn-previous-" : ".zarn-";
        SaveWatch calibration(dir.path(), trigger);
        const auto start = Clock::now();
        const pid_t first = StartCli(TrainArgs(5), dir.Path("out"), dir.Path("err"));
        ASSERT_TRUE(calibration.WaitForSave(first, std::chrono::seconds(60)));
        // In place, the bytes begin to change a little after the copy is made.
        if (c.hardLinked) {
            ASSERT_TRUE(WaitForNewBytes(target, oldBytes, first));
        }
        const auto saveStart = Clock::now();
        const CliRun clean = WaitCli(first, dir.Path("out"), dir.Path("err"));
        ASSERT_EQ(clean.exitCode, 0) << clean.err;
        const auto runLength = Clock::now() - start, saveLength = Clock::now() - saveStart;
        const std::string newBytes = TempDir::Read(target);
        ASSERT_NE(newBytes, oldBytes);
        EXPECT_EQ(FindRecoveryCopy(target), "") << "a finished save keeps no copy";

        Tally seen;
        for (int i = 0; i < runs; ++i) {
            SCOPED_TRACE("run " + std::to_string(i));
            ResetTarget(c.hardLinked);
            SaveWatch watch(dir.path(), trigger);
            const double share = (i / 2 + 0.5) / ((runs + 1) / 2);
            const pid_t pid = StartCli(TrainArgs(5), dir.Path("out"), dir.Path("err"));
            ASSERT_GT(pid, 0);
            if (i % 2 == 0) {   // aimed at the save: from its start to a bit beyond its end
                if (c.twice) {  // the first stops the training, the second meets the save
                    std::this_thread::sleep_for(runLength * 0.8 * share);
                    ::kill(pid, c.signal);
                }
                // Only a first Ctrl+C before the program was ready ends it unsaved.
                if (!watch.WaitForSave(pid, std::chrono::seconds(60)) ||
                    (c.hardLinked && !WaitForNewBytes(target, oldBytes, pid))) {
                    EXPECT_TRUE(c.twice) << "the program ended without saving";
                }
                // Denser near the start, where the bytes go into the file.
                SpinFor(std::chrono::duration_cast<std::chrono::microseconds>(
                    saveLength * 1.2 * share * share * share));
            } else {  // spread over the whole run
                std::this_thread::sleep_for(runLength * 1.1 * share);
                if (c.twice) {
                    ::kill(pid, c.signal);
                    SpinFor(std::chrono::microseconds(200 * i));
                }
            }
            ::kill(pid, c.signal);
            const CliRun run = WaitCli(pid, dir.Path("out"), dir.Path("err"));
            if (run.signal == 0) ++seen.exited;
            if (!FindRecoveryCopy(target).empty()) ++seen.copyLeft;

            const std::string now = TempDir::Read(target);
            if (c.hardLinked) {
                EXPECT_EQ(TempDir::Read(dir.Path("twin.task")), now);
            }
            if (now == oldBytes) {
                ++seen.old;
            } else if (now == newBytes || (c.twice && WholeStoppedRun(now, newBytes))) {
                ++seen.whole;
            } else {
                const std::string copy = FindRecoveryCopy(target);
                ASSERT_EQ(c.signal, SIGKILL) << "mixed file after a signal that must wait";
                ASSERT_NE(copy, "") << "mixed file and no recovery copy";
                ASSERT_TRUE(TempDir::Read(copy) == oldBytes) << "the copy is not the old file";
                ++seen.recovered;
                // What a user sees when loading the damaged file.
                const CliRun show = RunCli({"show", target});
                EXPECT_NE(show.err.find(RecoveryCopyMessage + copy), std::string::npos) << show.err;
            }
        }
        std::printf(
            "[harness] %s: %d runs (run %.0f ms, save %.1f ms): old file %d, whole new file %d, "
            "mixed with the old bytes kept %d; ended before the signal %d, recovery copy left "
            "%d\n",
            c.what, runs, std::chrono::duration<double, std::milli>(runLength).count(),
            std::chrono::duration<double, std::milli>(saveLength).count(), seen.old, seen.whole,
            seen.recovered, seen.exited, seen.copyLeft);
        EXPECT_EQ(seen.old + seen.whole + seen.recovered, runs);
    }
}

TEST_F(KillHarness, TwoWritersNeverMixAndOneThatDidNotWriteSaysSo) {
    const int tries = CountFromEnvironment("ZARN_WRITER_TRIES", 10);
    // The two runs' files, each made alone.
    std::string expected[2];
    for (int w = 0; w < 2; ++w) {
        ResetTarget(true);
        const CliRun alone = RunCli(TrainArgs(5 + w));
        ASSERT_EQ(alone.exitCode, 0) << alone.err;
        expected[w] = TempDir::Read(target);
    }
    ASSERT_NE(expected[0], expected[1]);

    int bothWrote = 0, oneRefused = 0;
    for (int t = 0; t < tries; ++t) {
        SCOPED_TRACE("try " + std::to_string(t));
        ResetTarget(true);
        // The later start moves by half a millisecond per try, so that some
        // tries meet the other's save half-way; the order alternates.
        pid_t pids[2];
        for (int k = 0; k < 2; ++k) {
            const int w = (k + t) % 2;
            if (k == 1) SpinFor(std::chrono::microseconds(500 * (t / 2 % 20)));
            pids[w] = StartCli(TrainArgs(5 + w), dir.Path("out" + std::to_string(w)),
                               dir.Path("err" + std::to_string(w)));
        }
        CliRun runs[2];
        for (int w = 0; w < 2; ++w)
            runs[w] = WaitCli(pids[w], dir.Path("out" + std::to_string(w)),
                              dir.Path("err" + std::to_string(w)));
        const std::string now = TempDir::Read(target);
        ASSERT_TRUE(now == expected[0] || now == expected[1]) << "mixed file";
        EXPECT_EQ(FindRecoveryCopy(target), "");
        int refused = 0;
        for (int w = 0; w < 2; ++w) {
            if (runs[w].exitCode == 0) continue;
            ++refused;
            EXPECT_EQ(runs[w].exitCode, 2);
            EXPECT_NE(runs[w].err.find("Не удалось записать " + target), std::string::npos)
                << runs[w].err;
            EXPECT_EQ(now, expected[1 - w]) << "a writer that failed left its bytes";
        }
        ASSERT_LT(refused, 2);
        ++(refused ? oneRefused : bothWrote);
    }
    std::printf("[harness] two writers: %d tries: both wrote in turn %d, one refused %d\n", tries,
                bothWrote, oneRefused);
}

TEST_F(KillHarness, WriterThatCannotGetTheFileFailsAndLeavesItAlone) {
    ResetTarget(true);
    // Another program holds the file through its other name the whole time.
    const int held = ::open(dir.Path("twin.task").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const CliRun run = RunCli(TrainArgs(5));
    ::close(held);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Не удалось записать " + target + ": файл записывает другая программа"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(TempDir::Read(target), oldBytes);
    EXPECT_EQ(FindRecoveryCopy(target), "");
}

}  // namespace
