// Starting the desktop program: its command line, the task file named on it,
// the version in the about box and the per-user activation file.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <set>
#include <string>

#include "storage/taskfile.h"
#include "tests/support/man_page.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/aboutdlg.h"
#include "ui/automationserver.h"
#include "ui/commandline.h"
#include "zarnversion.h"

namespace {

TEST(StartCommandLine, ReadsTheFileTheAnswersAndTheUsageErrors) {
    const QString here = QDir::currentPath();
    const struct {
        QStringList args;  // after the program name
        int exitCode;      // -1: the program starts
        QString taskFile;  // expected when it starts
        QString text;      // part of what it prints
    } cases[] = {
        {{}, -1, {}, {}},
        {{"fruit.task"}, -1, here + "/fruit.task", {}},
        {{"-Automation", "fruit.task"}, -1, here + "/fruit.task", {}},
        {{"/Embedding"}, -1, {}, {}},
        {{"-embedding", "--", "-odd.task"}, -1, here + "/-odd.task", {}},
        {{"--version"}, 0, {}, "zarn " ZARN_VERSION "\n"},
        {{"--help", "--no-such-option"}, 0, {}, " [options] [FILE]\n"},
        {{"--no-such-option"}, 64, {}, "zarn: Unknown option 'no-such-option'."},
        {{"a.task", "b.task"}, 64, {}, "zarn: Only one task file can be opened."},
    };
    for (const auto& c : cases) {
        const StartCommand command = ReadStartCommand(QStringList{"zarn"} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(command.exit, c.exitCode >= 0) << what;
        if (command.exit) {
            EXPECT_EQ(command.exitCode, c.exitCode) << what;
            EXPECT_TRUE(command.text.contains(c.text)) << command.text.toStdString();
            EXPECT_TRUE(command.text.endsWith('\n')) << what;
        } else {
            EXPECT_EQ(command.taskFile, c.taskFile) << what;
        }
    }
}

TEST(StartCommandLine, ProgramAnswersHelpAndVersionWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const std::pair<const char*, QString> cases[] = {{"--version", "zarn " ZARN_VERSION "\n"},
                                                     {"--help", "Usage: "}};
    for (const auto& [arg, out] : cases) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ZARN_GUI_PATH), {QString::fromLatin1(arg)});
        ASSERT_TRUE(program.waitForFinished(20000)) << arg;
        EXPECT_EQ(program.exitCode(), 0) << arg;
        EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardOutput()).startsWith(out)) << arg;
    }
}

TEST(StartCommandLine, UnknownOptionWithoutADisplayIsAUsageError) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZARN_GUI_PATH), {QStringLiteral("--bogus")});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // not aborted by Qt
    EXPECT_EQ(program.exitCode(), StartUsageError);
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()),
              QStringLiteral("zarn: Unknown option 'bogus'. Try 'zarn --help'.\n"));
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

TEST(StartCommandLine, AWindowSystemIsNamedByTheEnvironmentOrAPlatformOption) {
    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    EXPECT_FALSE(WindowSystemNamed({"zarn", "--bogus"}));
    EXPECT_TRUE(WindowSystemNamed({"zarn", "-platform", "offscreen", "--bogus"}));
    EXPECT_TRUE(WindowSystemNamed({"zarn", "--platform=offscreen"}));
    qputenv("DISPLAY", ":0");
    EXPECT_TRUE(WindowSystemNamed({"zarn", "--bogus"}));
    qunsetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(WindowSystemNamed({"zarn"}));
    // Back as it was for the other tests.
    qputenv("QT_QPA_PLATFORM", saved);
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    if (!wayland.isEmpty()) qputenv("WAYLAND_DISPLAY", wayland);
}

TEST(StartCommandLine, TheManualPageListsTheOptionsOfTheHelp) {
    const std::string page = ReadWholeFile(ZARN_SOURCE_DIR "/res/man/zarn.1");
    ASSERT_FALSE(page.empty());
    QProcess program;
    program.start(QStringLiteral(ZARN_GUI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished(20000));
    ASSERT_EQ(program.exitCode(), 0);
    const std::string help = program.readAllStandardOutput().toStdString();
    // The help names the server switches in its description, so all of it counts.
    const std::set<std::string> helpOptions = OptionsIn(help);
    EXPECT_TRUE(helpOptions.count("--version")) << help;
    EXPECT_EQ(OptionsIn(ManSection(page, "OPTIONS")), helpOptions);
}

class StartFileTest : public MainDialogTest {};

TEST_F(StartFileTest, NamedFileLoadsWithTheLoadCommandsMessages) {
    QTemporaryDir dir;
    auto source = MakeTask();
    AddParam(*source, {"colour", {{1, "red"}}});
    SetOutputs(*source, {"apple"});
    source->hiddenCount = 3;
    const QString path = dir.filePath("fruit.task");
    ASSERT_EQ(SaveToFile(*source, path.toStdString()), 1);

    dlg->LoadTaskFile(dir.filePath("missing.task"));
    dlg->LoadTaskFile(path);
    EXPECT_EQ(driver.texts, (std::vector<std::string>{"Файл не открылся.", "Загружено успешно!"}));
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("3"));
    EXPECT_EQ(Rows(Grid("outputGrid"), 0), std::vector<QString>{QStringLiteral("apple")});
}

TEST(AboutBox, ShowsTheVersion) {
    CAboutDlg about;
    auto* label = about.findChild<QLabel*>(QStringLiteral("versionLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().endsWith(QStringLiteral(ZARN_VERSION)));
}

TEST(AutomationActivationFile, NotKeptWhenTheInstalledFileSaysTheSame) {
    const QByteArray ours =
        "[D-BUS Service]\nName=Zarn.Application\nExec=/usr/bin/zarn -Automation\n";
    const struct {
        const char* installed;  // nullptr: nothing installed
        bool perUserKept;
    } cases[] = {
        {nullptr, true},
        {ours.constData(), false},
        {"[D-BUS Service]\nName=Zarn.Application\nExec=/opt/zarn -Automation\n", true},
    };
    for (const auto& c : cases) {
        QTemporaryDir home, system;
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_DIRS", ("relative:" + system.path() + ":/usr/share").toUtf8());
        if (c.installed) {
            ASSERT_TRUE(QDir().mkpath(system.filePath("dbus-1/services")));
            QFile file(system.filePath("dbus-1/services/Zarn.Application.service"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.installed);
        }
        // A stale per-user file from another build goes too.
        ASSERT_TRUE(QDir().mkpath(home.filePath("dbus-1/services")));
        QFile stale(ActivationFilePath());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("[D-BUS Service]\nName=Zarn.Application\nExec=/old/zarn -Automation\n");
        stale.close();

        EXPECT_TRUE(WriteActivationFile(QStringLiteral("/usr/bin/zarn")));
        QFile perUser(ActivationFilePath());
        EXPECT_EQ(perUser.exists(), c.perUserKept) << (c.installed ? c.installed : "none");
        if (c.perUserKept) {
            ASSERT_TRUE(perUser.open(QIODevice::ReadOnly));
            EXPECT_EQ(perUser.readAll(), ours);
        }
    }
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
}

}  // namespace
