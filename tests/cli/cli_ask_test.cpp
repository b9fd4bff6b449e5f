// zarn-cli ask and train --out as a user runs them.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string Trained = ZARN_EXAMPLES_DIR "/fruit-trained.task";

}  // namespace

TEST(CliAsk, PrintsTheRankedAnswerForNamesInOrderOrByParameter) {
    const std::vector<std::vector<std::string>> sameQuestion = {
        {"green", "large"}, {"size=large", "colour=green"}, {"size=large", "green"}};
    for (const auto& words : sameQuestion) {
        std::vector<std::string> args{"ask", Trained};
        args.insert(args.end(), words.begin(), words.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "pear 0.981\nplum 0.007\napple 0.006\n") << words[0];
    }
    const CliRun explained = RunCli({"ask", Trained, "red", "small", "--explain"});
    EXPECT_EQ(explained.out,
              "apple 0.989\nplum 0.028\npear 0.000\n\n"
              "colour: green → plum (0.96)\ncolour: yellow → pear (0.99)\n"
              "size: другие варианты ответ не меняют\n");
}

TEST(CliAsk, UnknownNamesAndMissingNetworkExitOneSayingWhatIsValid) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"ask", Trained, "blue", "small"},
         "Нет варианта «blue» у параметра «colour». Есть: red, green, yellow.\n"},
        {{"ask", Trained, "weight=5"}, "Нет параметра «weight». Есть: colour, size.\n"},
        {{"ask", Trained, "red"}, "Не задан вариант параметра «size». Есть: small, large.\n"},
        {{"ask", ZARN_EXAMPLES_DIR "/fruit.task", "red", "small"},
         "В файле нет сохранённой сети: обучите её и сохраните с задачей "
         "(zarn-cli train ФАЙЛ --out ФАЙЛ).\n"},
    };
    for (const auto& [args, message] : refused) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1) << args[2];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
}

TEST(CliAsk, TableGivesOneAnswerPerRow) {
    TempDir dir;
    TempDir::Write(dir.Path("q.csv"), "size;colour;note\nsmall;red;x\n\"large\";yellow;y\n");
    const CliRun run = RunCli({"ask", Trained, "--csv", dir.Path("q.csv")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "apple 0.989\npear 0.999\n");

    TempDir::Write(dir.Path("bad.csv"), "colour,size\nred,small\nred,huge\n");
    const CliRun bad = RunCli({"ask", Trained, "--csv", dir.Path("bad.csv")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "apple 0.989\n");
    EXPECT_EQ(bad.err, "Вопрос 2: Нет варианта «huge» у параметра «size». Есть: small, large.\n");
}

TEST(CliTrain, OutWritesTheTaskWithItsNetworkForAsk) {
    TempDir dir;
    const CliRun train = RunCli(
        {"train", ZARN_EXAMPLES_DIR "/fruit.task", "--seed", "1", "--out", dir.Path("out.task")});
    EXPECT_EQ(train.exitCode, 0) << train.err;
    EXPECT_EQ(TempDir::Read(dir.Path("out.task")), TempDir::Read(Trained));
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"out.task"}) << "no leftovers";

    // The section is no task data: show and copy keep working, copy keeps it.
    EXPECT_EQ(RunCli({"show", Trained}).out, RunCli({"show", ZARN_EXAMPLES_DIR "/fruit.task"}).out);
    EXPECT_EQ(RunCli({"copy", Trained, dir.Path("copy.task")}).exitCode, 0);
    EXPECT_EQ(TempDir::Read(dir.Path("copy.task")), TempDir::Read(Trained));
}
