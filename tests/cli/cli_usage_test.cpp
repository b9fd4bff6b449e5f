// zarn-cli's command line as a whole: version, help on every command, usage errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "zarnversion.h"

namespace {

const std::string Fruit = std::string(ZARN_EXAMPLES_DIR) + "/fruit.task";

// The command names listed under "Subcommands:" in the top-level help.
std::vector<std::string> ListedCommands() {
    std::istringstream help(RunCli({"--help"}).out);
    std::vector<std::string> names;
    bool inList = false;
    for (std::string line; std::getline(help, line);) {
        if (line.rfind("Subcommands:", 0) == 0) {
            inList = true;
        } else if (inList && line.rfind("  ", 0) == 0) {
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
        } else if (inList) {
            break;
        }
    }
    return names;
}

}  // namespace

TEST(CliUsage, VersionAndHelpAnswerOnStdoutWithExitZero) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "zarn-cli " ZARN_VERSION "\n");

    const std::vector<std::string> commands = ListedCommands();
    EXPECT_GE(commands.size(), 3u);
    for (const std::string& command : commands) {
        const CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.err, "") << command;
        EXPECT_NE(help.out.find("Usage: zarn-cli " + command), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("  64  the command line was not understood"), std::string::npos)
            << command;
    }
}

TEST(CliUsage, UsageErrorsExit64WithAOneLineHint) {
    const struct {
        std::vector<std::string> args;
        std::string hint;  // the line on stderr starts with it
    } cases[] = {
        {{}, "zarn-cli: A subcommand is required (see 'zarn-cli --help')"},
        {{"trian", Fruit}, "zarn-cli: unknown command 'trian' (see 'zarn-cli --help')"},
        {{"--frobnicate"}, "zarn-cli: "},
        {{"train"}, "zarn-cli train: TASKFILE is required (see 'zarn-cli train --help')"},
        {{"train", Fruit, "--seed", "abc"}, "zarn-cli train: "},
        {{"show", Fruit, "extra"}, "zarn-cli show: "},
        {{"copy", Fruit}, "zarn-cli copy: "},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        const std::string what = c.args.empty() ? "(nothing)" : c.args.front();
        EXPECT_EQ(run.exitCode, 64) << what;
        EXPECT_EQ(run.out, "") << what;
        EXPECT_EQ(run.err.rfind(c.hint, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find("--help')\n"), std::string::npos) << run.err;
    }
}
