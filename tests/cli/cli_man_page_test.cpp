// zarn-cli(1) lists the options the program has: the page's options, command
// by command, against each command's --help.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/cli/cli_run.h"
#include "tests/support/man_page.h"

namespace {

const std::string Page = ReadWholeFile(ZARN_SOURCE_DIR "/res/man/zarn-cli.1");

std::set<std::string> Without(std::set<std::string> options, const std::set<std::string>& gone) {
    for (const std::string& option : gone) options.erase(option);
    return options;
}

TEST(CliManPage, ListsTheProgramsOptions) {
    ASSERT_FALSE(Page.empty());
    const CliRun help = RunCli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_EQ(OptionsIn(ManSection(Page, "OPTIONS")), HelpOptions(help.out));
}

TEST(CliManPage, ListsEveryCommandWithItsOptions) {
    const std::map<std::string, std::string> entries = ManEntries(Page, "COMMANDS");
    const std::set<std::string> commands = HelpListed(RunCli({"--help"}).out, "Subcommands:");
    ASSERT_GE(commands.size(), 3u);
    std::set<std::string> described;
    for (const auto& [name, text] : entries) described.insert(name);
    EXPECT_EQ(described, commands);

    for (const std::string& command : commands) {
        const CliRun help = RunCli({command, "--help"});
        ASSERT_EQ(help.exitCode, 0) << command;
        const auto entry = entries.find(command);
        if (entry == entries.end()) continue;  // reported above
        // --help is described once for all commands under OPTIONS.
        EXPECT_EQ(OptionsIn(entry->second), Without(HelpOptions(help.out), {"-h", "--help"}))
            << command;
    }
}

TEST(ManPageReading, FindsOptionsWhereThePageAndTheHelpNameThem) {
    const std::string roff =
        ".SH OPTIONS\n.TP\n.BI \"train \" TASKFILE \" \\fR[\\fB\\-\\-coef \\fIC\\fR]\"\n"
        "Values outside \\-3..3 of zarn\\-cli, see \\-q.\n.SH SEE ALSO\n\\-\\-gone\n";
    EXPECT_EQ(OptionsIn(ManSection(roff, "OPTIONS")), (std::set<std::string>{"--coef", "-q"}));
    EXPECT_EQ(ManEntries(roff, "OPTIONS").count("train"), 1u);
    const std::string help =
        "Usage: x\n\nOptions:\n  -h,--help   Print help\n  -v, --version  The\n"
        "              version --not-this\n  --seed UINT  Seed\n\nSubcommands:\n  train  T\n";
    EXPECT_EQ(HelpOptions(help),
              (std::set<std::string>{"-h", "--help", "-v", "--version", "--seed"}));
    EXPECT_EQ(HelpListed(help, "Subcommands:"), std::set<std::string>{"train"});
}

}  // namespace
