#include "tests/cli/cli_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

CliRun Run(const std::vector<std::string>& args, bool interrupt) {
    TempDir dir;
    const std::string outPath = dir.Path("out"), errPath = dir.Path("err");
    const pid_t pid = StartCli(args, outPath, errPath);
    if (pid < 0) return {};
    if (interrupt) {
        // Generous: the program is up and training once it reports progress.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        auto started = [&] {
            const std::string err = TempDir::Read(errPath);
            return !err.empty() && err != "<missing>";
        };
        while (!started() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(pid, SIGINT);
    }
    return WaitCli(pid, outPath, errPath);
}

}  // namespace

pid_t StartCli(const std::vector<std::string>& args, const std::string& outPath,
               const std::string& errPath) {
    std::vector<std::string> argv{ZARN_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, ZARN_CLI_PATH, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << ZARN_CLI_PATH;
    return spawned == 0 ? pid : -1;
}

CliRun WaitCli(pid_t pid, const std::string& outPath, const std::string& errPath) {
    CliRun run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.out = TempDir::Read(outPath);
    run.err = TempDir::Read(errPath);
    return run;
}

CliRun RunCli(const std::vector<std::string>& args) {
    return Run(args, false);
}

CliRun RunCliInterrupted(const std::vector<std::string>& args) {
    return Run(args, true);
}
