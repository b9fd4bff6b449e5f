// zarn-cli import, export, check and evaluate as a user runs them: exit codes
// and what they print or write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "tests/cli/cli_run.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Data(const std::string& name) {
    return std::string(ZARN_SOURCE_DIR) + "/tests/dataset/data/" + name;
}

}  // namespace

TEST(CliData, ImportExportCheckWithTheirExitCodes) {
    TempDir dir;
    const std::string task = dir.Path("shop.task"), csv = dir.Path("shop.csv");
    TempDir::Write(dir.Path("wide.csv"), "a,b,c\n1,2,3\n");
    TempDir::Write(dir.Path("dup.csv"), "a,r\nx,p\nx,p\ny,q\n");
    ASSERT_EQ(::mkfifo(dir.Path("pipe.csv").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string outPart, errPart;
    } cases[] = {
        {{"import", Data("shop.csv"), task, "--result", "bought", "--bins", "3", "--hidden", "5"},
         0,
         "скрытый слой 5",
         ""},
        {{"export", task, csv}, 0, "", ""},
        {{"check", task}, 0, "замечаний нет", ""},
        {{"import", dir.Path("dup.csv"), dir.Path("dup.task")}, 0, "Повторы", ""},
        {{"check", dir.Path("dup.task")}, 1, "Повторы (одинаковые примеры): 1 = 2.", ""},
        {{"import", dir.Path("wide.csv"), dir.Path("x.task"), "--inputs", "a,c"},
         1,
         "",
         "выбран и результатом"},
        {{"import", Data("missing.csv"), dir.Path("x.task")}, 2, "", "Файл не открылся"},
        {{"import", dir.Path("pipe.csv"), dir.Path("x.task")}, 2, "", "Файл не открылся"},
        {{"import", Data("shop.csv"), dir.Path("no-folder/x.task")}, 2, "", "Не удалось записать"},
        {{"import", Data("../data"), dir.Path("x.task")}, 1, "", "ни на CSV, ни на ARFF"},
        {{"export", task, dir.Path("no-folder/x.csv")}, 2, "", "Не удалось записать"},
        {{"check", dir.Path("none.task")}, 2, "", "Файл не открылся"},
        {{"evaluate", task, "--folds", "9"}, 1, "", "--folds"},
        {{"evaluate", task, "--folds", "2", "--iterations", "50", "--seed", "3"},
         0,
         "Точность на отложенных примерах: ",
         ""},
        {{"evaluate", task, "--folds", "2", "--iterations", "50", "--threads", "6000"},
         0,
         "Точность на отложенных примерах: ",
         ""},
        {{"evaluate", task, "--folds", "2", "--tune", "--tune-folds", "2", "--max-iterations",
          "100"},
         0,
         "Выбранные настройки (скрытый слой/коэффициент/итераций): ",
         ""},
        {{"tune", task, "--folds", "9"}, 1, "", "--folds"},
        {{"tune", task, "--folds", "2", "--out", dir.Path("no-folder/t.task")},
         2,
         "",
         "Нельзя записать " + dir.Path("no-folder/t.task") + ": "},  // before the search
        {{"tune", task, "--folds", "2", "--max-iterations", "100", "--seed", "3", "--out",
          dir.Path("tuned.task")},
         0,
         "Network is ",
         "Подбор: 100%"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        const std::string what = c.args[0] + " " + c.args[1];
        EXPECT_EQ(run.exitCode, c.exitCode) << what << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find(c.outPart), std::string::npos) << what << "\n" << run.out;
        EXPECT_NE(run.err.find(c.errPart), std::string::npos) << what << "\n" << run.err;
    }
    EXPECT_EQ(TempDir::Read(csv),
              "age,sex,income,Результат\n20-29,m,\"1,5\",yes\n30-39,f,\"2,5\",no\n10-19,f,?,yes\n"
              "20-29,m,3,no\n");
}

TEST(CliData, RepeatedHeadingsBecomeParametersThatAskReadsApart) {
    TempDir dir;
    TempDir::Write(dir.Path("d.csv"), "x,x,r\na,p,yes\nb,q,no\n");
    const CliRun import = RunCli({"import", dir.Path("d.csv"), dir.Path("d.task")});
    EXPECT_EQ(import.exitCode, 0) << import.err;
    EXPECT_NE(import.out.find("переименованы: «x (2)»"), std::string::npos) << import.out;
    const CliRun train = RunCli({"train", dir.Path("d.task"), "--iterations", "20", "--seed", "1",
                                 "--quiet", "--out", dir.Path("t.task")});
    ASSERT_EQ(train.exitCode, 0) << train.err;
    // The second "x" column holds p and q, which only "x (2)" knows.
    const CliRun ask = RunCli({"ask", dir.Path("t.task"), "--csv", dir.Path("d.csv")});
    EXPECT_EQ(ask.exitCode, 0) << ask.err;
    EXPECT_EQ(std::count(ask.out.begin(), ask.out.end(), '\n'), 2) << ask.out;
}

TEST(CliData, ImportOverridesTheReadingDecisions) {
    TempDir dir;
    TempDir::Write(dir.Path("d.csv"), "a;b,c\n1;2,x\n3;4,y\n");
    const struct {
        std::vector<std::string> extra;
        int exitCode;
        std::string part;
    } cases[] = {
        {{}, 0, "разделитель «;»"},
        {{"--separator", ","}, 0, "«a;b» — слова (2), «c» — слова (2)"},
        {{"--separator", ",", "--decimal", ","}, 0, "десятичный знак «,»"},
        {{"--encoding", "utf-16"}, 1, "В таблице один столбец"},
        {{"--words", "a"}, 0, "Импортировано"},
        {{"--words", "nope"}, 1, "Нет столбца «nope»"},
        {{"--separator", "ab"}, 64, "--separator"},
        {{"--decimal", ";"}, 64, "--decimal"},
        {{"--encoding", "koi8"}, 64, "--encoding"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"import", dir.Path("d.csv"), dir.Path("d.task")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_NE((run.out + run.err).find(c.part), std::string::npos) << run.out << run.err;
    }
}
