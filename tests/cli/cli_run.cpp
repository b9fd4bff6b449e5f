#include "tests/cli/cli_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include "tests/support/temp_dir.h"

extern char** environ;

CliRun RunCli(const std::vector<std::string>& args) {
    TempDir dir;
    const std::string outPath = dir.Path("out"), errPath = dir.Path("err");
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
    CliRun run;
    const int spawned =
        posix_spawn(&pid, ZARN_CLI_PATH, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << ZARN_CLI_PATH;
    if (spawned != 0) return run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = TempDir::Read(outPath);
    run.err = TempDir::Read(errPath);
    return run;
}
