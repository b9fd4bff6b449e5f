// zarn-cli show, copy and train as a user runs them: output and exit codes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <regex>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Sample(const std::string& name) {
    return std::string(ZARN_EXAMPLES_DIR) + "/" + name;
}

std::string WithCrLf(const std::string& lf) {
    std::string out;
    for (char c : lf) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

const std::string BadIndexFile = "1\n1\n2\n1\n1 p\n1 a\nx\ny\n0,=5\n";

// zarn-cli train with ZARN_KERNEL set to path (RunCli passes the environment on).
CliRun TrainWithKernel(const char* path, const std::vector<std::string>& args) {
    setenv("ZARN_KERNEL", path, 1);
    const CliRun run = RunCli(args);
    unsetenv("ZARN_KERNEL");
    return run;
}

}  // namespace

TEST(CliShow, PrintsParametersOutputsHiddenSizeAndExamplesByName) {
    const CliRun run = RunCli({"show", Sample("fruit.task")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Входные параметры: 2\n"
              "  colour: red = 1; green = 2; yellow = 3\n"
              "  size: small = 0.5; large = 1.5\n"
              "Выходные варианты: 3\n"
              "  apple\n  pear\n  plum\n"
              "Скрытый слой: 4\n"
              "Примеры: 6\n"
              "  colour=red size=small -> apple\n"
              "  colour=red size=large -> apple\n"
              "  colour=green size=small -> plum\n"
              "  colour=green size=large -> pear\n"
              "  colour=yellow size=small -> pear\n"
              "  colour=yellow size=large -> pear\n");
}

TEST(CliShow, ConvertsWindows1251NamesToUtf8) {
    const CliRun run = RunCli({"show", Sample("weather-ru.task")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  Температура: Холодно = -0.5; Тепло = 0.5\n"), std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("  Погода=Солнечно Ветер=Сильный Температура=Тепло -> Кататься на яхте\n"),
        std::string::npos)
        << run.out;
}

TEST(CliShow, RefusedFileExitsOneAndMissingFileExitsTwo) {
    TempDir dir;
    TempDir::Write(dir.Path("bad.task"), BadIndexFile);
    const CliRun refused = RunCli({"show", dir.Path("bad.task")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("Строка 9: в примере 1 номер результата равен 5"), std::string::npos)
        << refused.err;

    const CliRun missing = RunCli({"show", dir.Path("missing.task")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Файл не открылся"), std::string::npos) << missing.err;
}

TEST(CliShow, NamedPipeIsRefusedAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    const CliRun run = RunCli({"show", dir.Path("pipe")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Файл не открылся"), std::string::npos) << run.err;
}

TEST(CliCopy, CrLfFileComesOutWithLfLineEnds) {
    TempDir dir;
    const std::string lf = TempDir::Read(Sample("weather-ru.task"));
    TempDir::Write(dir.Path("crlf.task"), WithCrLf(lf));
    const CliRun run = RunCli({"copy", dir.Path("crlf.task"), dir.Path("out.task")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(TempDir::Read(dir.Path("out.task")), lf);
}

TEST(CliCopy, RefusedOrMissingInputWritesNothing) {
    TempDir dir;
    TempDir::Write(dir.Path("bad.task"), BadIndexFile);
    EXPECT_EQ(RunCli({"copy", dir.Path("bad.task"), dir.Path("out.task")}).exitCode, 1);
    EXPECT_EQ(RunCli({"copy", dir.Path("missing.task"), dir.Path("out.task")}).exitCode, 2);
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"bad.task"});
}

TEST(CliCopy, FolderAsTargetExitsTwoAndIsLeftAlone) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
    const CliRun run = RunCli({"copy", Sample("fruit.task"), dir.Path("folder")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Не удалось записать"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::List(dir.path()), std::vector<std::string>{"folder"});
}

TEST(CliTrain, TrainsASampleWithAFixedSeed) {
    const CliRun run = RunCli({"train", Sample("fruit.task"), "--seed", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("Network is [0-9]+\\.[0-9]{2}% correct\n")))
        << run.out;
    // The same seed gives the same run.
    EXPECT_EQ(RunCli({"train", Sample("fruit.task"), "--seed", "1"}).out, run.out);
}

TEST(CliTrain, EveryKernelPathGivesTheSameWeightsAndHistory) {
    // 37 hidden neurons leave a vector part-filled; fruit.task has 3 outputs.
    TempDir dir;
    std::vector<std::string> files;
    for (const char* path : {"generic", "avx2", ""}) {
        const std::string name = std::string("run-") + path;
        const CliRun run =
            TrainWithKernel(path, {"train", Sample("fruit.task"), "--seed", "7", "--hidden", "37",
                                   "--iterations", "300", "--weights-out", dir.Path(name + ".w"),
                                   "--history-out", dir.Path(name + ".h")});
        ASSERT_EQ(run.exitCode, 0) << path << ": " << run.err;
        files.push_back(TempDir::Read(dir.Path(name + ".w")) +
                        TempDir::Read(dir.Path(name + ".h")));
    }
    EXPECT_GT(files[0].size(), 1000u);
    EXPECT_EQ(files[1], files[0]) << "avx2 against generic";
    EXPECT_EQ(files[2], files[0]) << "default path against generic";
}

TEST(CliTrain, UnknownKernelPathIsReportedAndTheDefaultUsed) {
    const CliRun run = TrainWithKernel("sse9", {"train", Sample("fruit.task"), "--seed", "1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("ZARN_KERNEL: неизвестный путь"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, RunCli({"train", Sample("fruit.task"), "--seed", "1"}).out);
}

TEST(CliTrain, BadIterationCountOrFileIsRefused) {
    const CliRun iterations = RunCli({"train", Sample("fruit.task"), "--iterations", "0"});
    EXPECT_EQ(iterations.exitCode, 1);
    EXPECT_EQ(iterations.out, "");
    EXPECT_NE(iterations.err.find("Не корректное число иттераций! (Допускается от 1 до 10 млн.)"),
              std::string::npos)
        << iterations.err;

    TempDir dir;
    TempDir::Write(dir.Path("bad.task"), BadIndexFile);
    EXPECT_EQ(RunCli({"train", dir.Path("bad.task"), "--seed", "1"}).exitCode, 1);
    EXPECT_EQ(RunCli({"train", dir.Path("missing.task"), "--seed", "1"}).exitCode, 2);
}

TEST(CliTrain, CtrlCStopsTheRunWritesTheOutputsAndExits130) {
    TempDir dir;
    const CliRun run = RunCliInterrupted({"train", Sample("fruit.task"), "--iterations", "10000000",
                                          "--seed", "1", "--history-out", dir.Path("history"),
                                          "--weights-out", dir.Path("weights")});
    EXPECT_EQ(run.signal, 0) << "ended by the signal instead of stopping";
    EXPECT_EQ(run.exitCode, 130) << run.err;
    std::smatch stopped;
    ASSERT_TRUE(std::regex_match(
        run.out, stopped,
        std::regex("Network is [0-9]+\\.[0-9]{2}% correct\nОбучение остановлено после "
                   "прохода ([0-9]+) из 10000002\\.\n")))
        << run.out;
    // One history line per pass done, and the weights of a 2-4-3 network.
    const std::string history = TempDir::Read(dir.Path("history"));
    EXPECT_EQ(std::to_string(std::count(history.begin(), history.end(), '\n')), stopped[1].str());
    EXPECT_EQ(TempDir::Read(dir.Path("weights")).substr(0, 6), "2 4 3\n");
    // Progress went to stderr as whole lines (stderr is no terminal here), the
    // first one within the first tenth of the run.
    EXPECT_TRUE(std::regex_search(run.err, std::regex("^[0-9]% проход [0-9]+ из 10000002, прошло "
                                                      "[0-9]+:[0-9]{2}, осталось [0-9:]+\n")))
        << run.err;
}

TEST(CliTrain, QuietPrintsNothing) {
    TempDir dir;
    const CliRun run = RunCli({"train", Sample("fruit.task"), "--iterations", "200000", "--seed",
                               "1", "--quiet", "--history-out", dir.Path("history")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(TempDir::Read(dir.Path("history")).find('\n'), std::string::npos);
}
