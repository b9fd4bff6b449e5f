// The files zarn-cli writes: every output path is checked before a run, and
// every output is written carefully, so a full disk keeps the old files.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "storage/taskfile.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Sample(const std::string& name) {
    return std::string(ZARN_EXAMPLES_DIR) + "/" + name;
}

// A tmpfs of 64 KiB at a folder, filled to the last byte; unmounted at the end.
class FullDisk {
  public:
    explicit FullDisk(const std::string& folder) : m_folder(folder) {
        ::mkdir(folder.c_str(), 0755);
        m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
        if (!m_mounted) m_why = std::strerror(errno);
    }
    ~FullDisk() {
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    const std::string& why() const { return m_why; }

    // Takes every block still free.
    void Fill() {
        std::FILE* filler = std::fopen((m_folder + "/filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }

  private:
    std::string m_folder, m_why;
    bool m_mounted = false;
};

}  // namespace

TEST(CliOutputs, BadOutputPathIsRefusedBeforeTrainingAndNothingIsWritten) {
    struct Case {
        const char* option;
        const char* path;  // in the test's folder
    };
    const Case cases[] = {
        {"--history-out", "missing-folder/h.txt"},
        {"--weights-out", "a-folder"},
        {"--out", "plain-file/x.task"},
        {"--history-out", "plain-file"},  // fine: an existing file is replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.path);
        TempDir dir;
        ASSERT_EQ(::mkdir(dir.Path("a-folder").c_str(), 0755), 0);
        TempDir::Write(dir.Path("plain-file"), "kept\n");
        const std::string bad = dir.Path(c.path);
        const std::string good = dir.Path("good");
        const bool valid = std::string(c.path) == "plain-file";
        const char* other = std::string(c.option) == "--out" ? "--weights-out" : "--out";
        const CliRun run = RunCli({"train", Sample("fruit.task"), "--seed", "1", "--iterations",
                                   "300", c.option, bad, other, good});
        if (valid) {
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_NE(TempDir::Read(bad), "kept\n");
            EXPECT_NE(TempDir::Read(good), "<missing>");
            continue;
        }
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("Нельзя записать " + bad + ": "), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << "no training ran";
        EXPECT_EQ(TempDir::Read(good), "<missing>");
        EXPECT_EQ(TempDir::List(dir.path()), (std::vector<std::string>{"a-folder", "plain-file"}));
        EXPECT_EQ(TempDir::Read(dir.Path("plain-file")), "kept\n");
    }
}

TEST(CliOutputs, TuneAndPredictRefuseABadOutputBeforeTheirWork) {
    TempDir dir;
    const std::string table = dir.Path("fruit.csv");
    ASSERT_EQ(RunCli({"export", Sample("fruit-trained.task"), table}).exitCode, 0);
    const std::string bad = dir.Path("missing-folder/out");
    const std::vector<std::vector<std::string>> commands = {
        {"tune", Sample("fruit.task"), "--folds", "2", "--seed", "1", "--budget", "1", "--out",
         bad},
        {"predict", Sample("fruit-trained.task"), table, "--out", bad},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "Нельзя записать " + bad + ": такой папки нет\n");
        EXPECT_EQ(run.out, "") << "no work was done";
    }
}

TEST(CliOutputs, AnOutputThatIsAnInputOrAnotherOutputIsRefused) {
    TempDir dir;
    const std::string task = dir.Path("t.task"), table = dir.Path("t.csv");
    TempDir::Write(task, TempDir::Read(Sample("fruit-trained.task")));
    ASSERT_EQ(RunCli({"export", task, table}).exitCode, 0);
    ASSERT_EQ(::link(table.c_str(), dir.Path("twin.csv").c_str()), 0);
    const std::string taskBytes = TempDir::Read(task), tableBytes = TempDir::Read(table);
    const std::vector<std::vector<std::string>> commands = {
        {"export", task, dir.Path("./t.task")},
        {"import", table, dir.Path("twin.csv")},
        {"predict", task, table, "--out", dir.Path("twin.csv")},
        {"train", task, "--weights-out", task},
        {"train", task, "--out", dir.Path("o"), "--history-out", dir.Path("o")},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(": это тот же файл, что и "), std::string::npos) << run.err;
        EXPECT_EQ(TempDir::Read(task), taskBytes);
        EXPECT_EQ(TempDir::Read(table), tableBytes);
        EXPECT_EQ(TempDir::Read(dir.Path("o")), "<missing>");
    }
    // Training a task into itself stays the way to keep its network.
    EXPECT_EQ(RunCli({"train", task, "--iterations", "10", "--out", task}).exitCode, 0);
}

TEST(CliOutputs, FullDiskKeepsTheOldFilesAndTheOtherOutputsAreWritten) {
    TempDir dir;
    const std::string disk = dir.Path("disk");
    FullDisk full(disk);
    if (!full.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << full.why()
                     << "): full-disk test skipped";
    const std::string weights = disk + "/weights.txt", history = disk + "/history.txt",
                      csv = disk + "/export.csv";
    TempDir::Write(weights, "old weights\n");
    TempDir::Write(history, "old history\n");
    ASSERT_EQ(::link(history.c_str(), (disk + "/history-twin").c_str()), 0);  // written in place
    TempDir::Write(csv, "old,csv\n");
    full.Fill();

    const CliRun train =
        RunCli({"train", Sample("fruit.task"), "--seed", "1", "--iterations", "300", "--quiet",
                "--weights-out", weights, "--history-out", history, "--out", dir.Path("out.task")});
    EXPECT_EQ(train.exitCode, 2) << train.err;
    for (const std::string& path : {weights, history})
        EXPECT_NE(train.err.find("Не удалось записать " + path + ": "), std::string::npos)
            << train.err;
    EXPECT_EQ(TempDir::Read(weights), "old weights\n");
    EXPECT_EQ(TempDir::Read(history), "old history\n");
    auto task = std::make_unique<NetTask>();
    EXPECT_EQ(LoadFromFile(*task, dir.Path("out.task")).code(), 1) << "the task output is kept";

    const CliRun exported = RunCli({"export", Sample("fruit.task"), csv});
    EXPECT_EQ(exported.exitCode, 2);
    EXPECT_NE(exported.err.find("Не удалось записать " + csv + ": на диске нет места"),
              std::string::npos)
        << exported.err;
    EXPECT_EQ(TempDir::Read(csv), "old,csv\n");
}
