// Numbers asked by value (zarn-cli ask) and whole tables answered (predict),
// on tasks imported from tables with numeric columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/support/temp_dir.h"

namespace {

// 40 customers: age 20..59, calls a day 0.5..20, a city.
std::string Customers(char decimal) {
    std::string text = "age;calls;city;churn\n";
    for (int r = 0; r < 40; ++r) {
        const int age = 20 + r;
        const int calls = (r * 7) % 40 + 1;
        const bool churn = (age < 35) != (calls > 20);
        text += std::to_string(age) + ";" + std::to_string(calls / 2) + decimal +
                (calls % 2 ? "5" : "0") + ";" + (r % 3 ? "Тула" : "Москва") + ";" +
                (churn ? "да" : "нет") + "\n";
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.push_back("");
    return cells;
}

// The task trained briefly, so that its accuracy is well below 100%.
std::string TrainedTask(TempDir& dir, char decimal, const std::vector<std::string>& importOptions) {
    TempDir::Write(dir.Path("c.csv"), Customers(decimal));
    std::vector<std::string> import{"import", dir.Path("c.csv"), dir.Path("c.task")};
    import.insert(import.end(), importOptions.begin(), importOptions.end());
    EXPECT_EQ(RunCli(import).exitCode, 0);
    const CliRun train = RunCli({"train", dir.Path("c.task"), "--seed", "1", "--iterations", "40",
                                 "--out", dir.Path("t.task")});
    EXPECT_EQ(train.exitCode, 0) << train.err;
    return train.out;
}

}  // namespace

TEST(CliAskByValue, NumbersLandInTheIntervalTheCutPointsSay) {
    TempDir dir;
    TrainedTask(dir, ',', {"--bins", "3"});
    const std::string task = TempDir::Read(dir.Path("t.task"));
    // "0 intervals 20 59 C1 C2": the cut points of age.
    std::istringstream line(task.substr(task.find("\n0 intervals ") + 1));
    std::string index, kind;
    double low, high, c1, c2;
    line >> index >> kind >> low >> high >> c1 >> c2;
    ASSERT_EQ(kind, "intervals");
    const auto text = [](double x) {
        std::ostringstream out;
        out << x;
        return out.str();
    };
    const std::string names[] = {"< " + text(c1), text(c1) + " – " + text(c2), ">= " + text(c2)};
    const struct {
        double age;
        int interval;
        bool outside;
    } cases[] = {{low - 10, 0, true}, {low, 0, false},       {c1 - 0.01, 0, false},
                 {c1, 1, false},      {c1 + 0.01, 1, false}, {c2 - 0.01, 1, false},
                 {c2, 2, false},      {c2 + 0.01, 2, false}, {high, 2, false},
                 {high + 10, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.age);
        const CliRun run = RunCli(
            {"ask", dir.Path("t.task"), "age=" + text(c.age), "calls=3", "city=Тула", "--explain"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string used = "age = «" + names[c.interval] + "»";
        const std::size_t at = run.out.find(used);
        ASSERT_NE(at, std::string::npos) << run.out;
        EXPECT_EQ(run.out.substr(at + used.size(), 1) == ";", c.outside) << run.out;
        // The interval's own name asks the same question.
        const CliRun byName =
            RunCli({"ask", dir.Path("t.task"), "age=" + names[c.interval], "calls=3", "city=Тула"});
        EXPECT_EQ(byName.out, run.out.substr(0, byName.out.size()));
    }
    const CliRun word = RunCli({"ask", dir.Path("t.task"), "сорок", "3", "Тула"});
    EXPECT_EQ(word.exitCode, 1);
    EXPECT_EQ(word.err,
              "Нет варианта «сорок» у параметра «age»: задайте число (сеть обучена на значениях "
              "от 20 до 59).\n");
    // Grouped thousands, as a table writes them.
    const CliRun grouped = RunCli({"ask", dir.Path("t.task"), "1 000", "3", "Тула", "--explain"});
    EXPECT_NE(grouped.out.find("age = «" + names[2] + "»; вне обученного диапазона 20 … 59"),
              std::string::npos)
        << grouped.err;
    const CliRun missing = RunCli({"ask", dir.Path("t.task"), "age=40", "city=Тула"});
    EXPECT_EQ(missing.err,
              "Не задан вариант параметра «calls»: задайте число (сеть обучена на значениях от "
              "0.5 до 20).\n");
}

TEST(CliPredict, AnswersEveryRowAsAskDoesAndReportsTheTrainingAccuracy) {
    TempDir dir;
    const std::string trained = TrainedTask(dir, '.', {});
    const CliRun run =
        RunCli({"predict", dir.Path("t.task"), dir.Path("c.csv"), "--out", dir.Path("a.csv")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // "Network is 72.50% correct": the same share of the same rows.
    const std::string percent = trained.substr(11, trained.find('%') - 11);
    EXPECT_NE(run.out.find("Отвечено строк: 40 из 40. Верно: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("(" + percent + "%) по столбцу «churn»."), std::string::npos)
        << run.out << trained;
    EXPECT_NE(percent, "100.00");

    const std::vector<std::string> rows = Lines(TempDir::Read(dir.Path("a.csv")));
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(rows[0], "age,calls,city,churn,Ответ,Сигнал,Причина");
    const std::vector<std::string> table = Lines(Customers('.'));
    for (std::size_t r = 1; r < rows.size(); r += 3) {
        const std::vector<std::string> answered = Cells(rows[r]);
        std::string row = table[r];
        std::replace(row.begin(), row.end(), ';', ',');
        const std::vector<std::string> in = Cells(row);
        ASSERT_EQ(answered.size(), 7u) << rows[r];
        EXPECT_EQ(answered[6], "") << "no reason";
        const CliRun ask = RunCli({"ask", dir.Path("t.task"), in[0], in[1], in[2]});
        EXPECT_EQ(ask.out.substr(0, ask.out.find('\n')), answered[4] + " " + answered[5]) << row;
    }
}

TEST(CliPredict, ColumnsByNameOthersIgnoredRefusedRowsSayWhy) {
    TempDir dir;
    TrainedTask(dir, '.', {});
    TempDir::Write(dir.Path("new.csv"),
                   "note,city,calls,age\nx,Тула,3.5,20\ny,Тверь,3.5,20\nz,Москва,3.25,19.5\n");
    const CliRun run = RunCli({"predict", dir.Path("t.task"), dir.Path("new.csv"), "--all"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = Lines(run.out);
    ASSERT_EQ(rows.size(), 4u) << run.out;
    EXPECT_EQ(rows[0], "note,city,calls,age,Ответ,Сигнал,да,нет,Причина");
    const CliRun first = RunCli({"ask", dir.Path("t.task"), "20", "3.5", "Тула"});
    EXPECT_EQ(Cells(rows[1])[4] + " " + Cells(rows[1])[5],
              first.out.substr(0, first.out.find('\n')));
    EXPECT_EQ(rows[2], "y,Тверь,3.5,20,,,,,«city»: нет варианта «Тверь»");
    const CliRun between = RunCli({"ask", dir.Path("t.task"), "19.5", "3.25", "Москва"});
    EXPECT_EQ(Cells(rows[3])[4] + " " + Cells(rows[3])[5],
              between.out.substr(0, between.out.find('\n')));
    EXPECT_EQ(run.err, "Отвечено строк: 2 из 3. Без ответа: 1 (причина в столбце «Причина»).\n");

    TempDir::Write(dir.Path("short.csv"), "age,city\n20,Тула\n");
    const CliRun refused = RunCli({"predict", dir.Path("t.task"), dir.Path("short.csv")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "В таблице нет столбца «calls» (входной параметр задачи).\n");

    // copy and train --out keep the scale section byte for byte.
    EXPECT_NE(TempDir::Read(dir.Path("c.task")).find("\n#zarn-scale 1\n0 exact 20 59\n"),
              std::string::npos);
    ASSERT_EQ(RunCli({"copy", dir.Path("t.task"), dir.Path("copy.task")}).exitCode, 0);
    EXPECT_EQ(TempDir::Read(dir.Path("copy.task")), TempDir::Read(dir.Path("t.task")));
    ASSERT_EQ(RunCli({"train", dir.Path("c.task"), "--seed", "1", "--iterations", "40", "--quiet",
                      "--out", dir.Path("again.task")})
                  .exitCode,
              0);
    EXPECT_EQ(TempDir::Read(dir.Path("again.task")), TempDir::Read(dir.Path("t.task")));

    // A damaged section is reported; the task loads and answers by names.
    std::string damaged = TempDir::Read(dir.Path("t.task"));
    damaged.replace(damaged.find("0 exact 20 59"), 13, "0 exact 20 58");
    TempDir::Write(dir.Path("damaged.task"), damaged);
    const CliRun names = RunCli({"ask", dir.Path("damaged.task"), "20", "3.5", "Тула"});
    EXPECT_EQ(names.exitCode, 0);
    EXPECT_EQ(names.err, "Шкалы числовых параметров в файле повреждены и не загружены.\n");
    EXPECT_EQ(names.out, first.out);
    EXPECT_EQ(RunCli({"ask", dir.Path("damaged.task"), "19.5", "3.5", "Тула"}).exitCode, 1);
}
