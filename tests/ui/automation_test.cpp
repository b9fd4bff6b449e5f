// The automation server on a private session bus that each test starts itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>

#include "tests/support/task_builder.h"
#include "ui/automationserver.h"
#include "ui/zarndlg.h"

namespace {

// Runs the event loop until done() holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 15000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
    return true;
}

// A dbus-daemon of our own; programs it starts see dataHome as XDG_DATA_HOME
// and draw offscreen.
class PrivateBus {
  public:
    explicit PrivateBus(const QString& dataHome) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_daemon.setProcessEnvironment(env);
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--nopidfile"), QStringLiteral("--print-address")});
        if (m_daemon.waitForStarted(5000) && WaitFor([this] { return m_daemon.canReadLine(); }))
            address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        m_daemon.kill();
        m_daemon.waitForFinished(3000);
    }
    QString address;

  private:
    QProcess m_daemon;
};

class AutomationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_home.isValid());
        m_bus = std::make_unique<PrivateBus>(m_home.path());
        ASSERT_FALSE(m_bus->address.isEmpty()) << "dbus-daemon did not start";
        static int connections = 0;
        m_name = QStringLiteral("automation-test-%1").arg(++connections);
        m_connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_bus->address, m_name));
        ASSERT_TRUE(m_connection->isConnected());
    }
    void TearDown() override {
        for (QProcess* process : m_processes) {
            process->kill();
            process->waitForFinished(3000);
            delete process;
        }
        for (qint64 pid : m_activated) ::kill(static_cast<pid_t>(pid), SIGKILL);
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_name);
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus->address);
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QProcess* Start(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& env) {
        auto* process = new QProcess;
        m_processes.push_back(process);
        process->setProcessEnvironment(env);
        process->start(program, arguments);
        return process;
    }

    // The next line a client prints, while this process keeps serving the bus.
    static QString ReadLine(QProcess* process) {
        if (!WaitFor([process] { return process->canReadLine(); })) return {};
        return QString::fromUtf8(process->readLine()).trimmed();
    }

    bool NameOwned() const {
        return m_connection->interface()
            ->isServiceRegistered(QLatin1String(AutomationServiceName))
            .value();
    }

    // The program as a client-started server would run it, inside this process.
    struct ServedProgram {
        ServedProgram(const QString& address, const QString& connection)
            : name(connection),
              bus(QDBusConnection::connectToBus(address, connection)),
              task(MakeTask()),
              dialog(*task, state),
              automation(&dialog, bus) {
            dialog.show();
            started = automation.StartServer();
            EndWhenReleased(automation, dialog, true);
            QObject::connect(&dialog, &QDialog::finished, [this] { ended = true; });
        }
        ~ServedProgram() { QDBusConnection::disconnectFromBus(name); }
        void ClickExit() {
            auto* exitButton = dialog.findChild<QPushButton*>("exitButton");
            ASSERT_NE(exitButton, nullptr);
            QTest::mouseClick(exitButton, Qt::LeftButton);
        }

        QString name;
        QDBusConnection bus;
        std::unique_ptr<NetTask> task;
        DialogState state;
        CZarnDlg dialog;
        AutomationServer automation;
        bool started = false;
        bool ended = false;
    };

    std::unique_ptr<ServedProgram> Serve() {
        static int programs = 0;
        auto program = std::make_unique<ServedProgram>(
            m_bus->address, QStringLiteral("zarn-server-%1").arg(++programs));
        EXPECT_TRUE(program->started);
        return program;
    }

    QProcess* StartClient() { return Start(ZARN_AUTOMATION_CLIENT_PATH, {}, Environment()); }

    QTemporaryDir m_home;
    std::unique_ptr<PrivateBus> m_bus;
    QString m_name;
    std::unique_ptr<QDBusConnection> m_connection;
    std::vector<QProcess*> m_processes;
    std::vector<qint64> m_activated;
};

TEST(AutomationSwitches, RecogniseTheStandardServerSwitches) {
    for (const char* sw : {"-Automation", "/Automation", "-Embedding", "/Embedding", "-automation"})
        EXPECT_TRUE(IsServerStart({QStringLiteral("zarn"), QString::fromLatin1(sw)})) << sw;
    EXPECT_FALSE(IsServerStart({QStringLiteral("zarn")}));
    EXPECT_FALSE(IsServerStart({QStringLiteral("zarn"), QStringLiteral("Automation")}));
    EXPECT_FALSE(IsServerStart({QStringLiteral("-Automation")})) << "the program name is no switch";
    EXPECT_FALSE(IsServerStart({QStringLiteral("zarn"), QStringLiteral("-Automations")}));
}

TEST(AutomationActivationFile, NamesTheExecutableWithTheServerSwitch) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QString expected = home.path() + "/dbus-1/services/Zarn.Application.service";
    EXPECT_EQ(ActivationFilePath(), expected);
    ASSERT_TRUE(WriteActivationFile(QStringLiteral("/opt/zarn/bin/zarn")));
    QFile file(expected);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              "[D-BUS Service]\nName=Zarn.Application\nExec=/opt/zarn/bin/zarn -Automation\n");
    file.close();
    // A path the bus would split is quoted, and the quoting's backslash is
    // escaped for the service file.
    ASSERT_TRUE(WriteActivationFile(QStringLiteral("/opt/my zarn/it's")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("Exec='/opt/my zarn/it'\\\\''s' -Automation\n"));
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(AutomationTest, HeldWindowOnlyHidesAndTheProgramEndsWhenTheClientIsKilled) {
    auto program = Serve();
    EXPECT_TRUE(NameOwned());

    QProcess* client = StartClient();
    const QString line = ReadLine(client);
    ASSERT_TRUE(line.startsWith("object /Zarn/Application/")) << line.toStdString();
    EXPECT_NE(program->dialog.Proxy(), nullptr);
    EXPECT_EQ(program->automation.ObjectCount(), 1);
    EXPECT_FALSE(NameOwned()) << "the name is given up once an object exists";

    // The proxy offers nothing.
    client->write("call\n");
    EXPECT_EQ(ReadLine(client), "org.freedesktop.DBus.Error.UnknownMethod");

    // Exit button and close box only hide the window.
    program->ClickExit();
    EXPECT_TRUE(program->dialog.isHidden());
    EXPECT_FALSE(program->ended);
    program->dialog.show();
    program->dialog.close();
    EXPECT_TRUE(program->dialog.isHidden());
    EXPECT_FALSE(program->ended);

    client->kill();
    EXPECT_TRUE(WaitFor([&] { return program->ended; })) << "the program ends with its client";
    EXPECT_EQ(program->dialog.Proxy(), nullptr);
    EXPECT_EQ(program->automation.ObjectCount(), 0);
}

TEST_F(AutomationTest, ReleasedWhileShownClosingWorksAgain) {
    auto program = Serve();
    QProcess* client = StartClient();
    ASSERT_TRUE(ReadLine(client).startsWith("object "));
    client->write("release\n");
    EXPECT_EQ(ReadLine(client), "released");
    EXPECT_EQ(program->dialog.Proxy(), nullptr);
    EXPECT_FALSE(program->ended) << "the window is showing: the user keeps the program";
    EXPECT_TRUE(program->dialog.isVisible());
    program->ClickExit();
    EXPECT_TRUE(program->ended);
}

TEST_F(AutomationTest, ReleaseAfterHidingEndsTheProgram) {
    auto program = Serve();
    QProcess* client = StartClient();
    ASSERT_TRUE(ReadLine(client).startsWith("object "));
    program->dialog.close();
    EXPECT_TRUE(program->dialog.isHidden());
    client->write("release\n");
    EXPECT_EQ(ReadLine(client), "released");
    EXPECT_TRUE(program->ended);
}

TEST_F(AutomationTest, StandAloneStartWritesTheActivationFileAndTheBusStartsTheProgram) {
    const QString gui = QStringLiteral(ZARN_GUI_PATH);
    ASSERT_FALSE(gui.isEmpty());
    const QString serviceFile = m_home.path() + "/dbus-1/services/Zarn.Application.service";

    // A stand-alone start refreshes the activation file and does not own the name.
    QProcess* standAlone = Start(gui, {}, Environment());
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(serviceFile); }));
    QFile file(serviceFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString canonical = QFileInfo(gui).canonicalFilePath();
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              "[D-BUS Service]\nName=Zarn.Application\nExec=" + canonical + " -Automation\n");
    QTest::qWait(300);
    EXPECT_EQ(standAlone->state(), QProcess::Running);
    EXPECT_FALSE(NameOwned());
    standAlone->kill();
    standAlone->waitForFinished(3000);

    // The bus starts a fresh program for a client; it owns the name until
    // the object exists.
    QDBusMessage start =
        QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus", "StartServiceByName");
    start << QStringLiteral("Zarn.Application") << 0u;
    QDBusMessage started = m_connection->call(start, QDBus::Block, 30000);
    ASSERT_EQ(started.type(), QDBusMessage::ReplyMessage) << started.errorMessage().toStdString();
    EXPECT_TRUE(NameOwned());
    const qint64 pid =
        m_connection->interface()->servicePid(QStringLiteral("Zarn.Application")).value();
    ASSERT_GT(pid, 0);
    m_activated.push_back(pid);

    QProcess* client = Start(ZARN_AUTOMATION_CLIENT_PATH, {}, Environment());
    const QStringList words = ReadLine(client).split(' ');
    ASSERT_EQ(words.size(), 4);
    EXPECT_EQ(words[0], "object");
    EXPECT_EQ(words[3].toLongLong(), pid) << "the client is served by the started program";
    EXPECT_FALSE(NameOwned());
    client->write("call\n");
    EXPECT_EQ(ReadLine(client), "org.freedesktop.DBus.Error.UnknownMethod");
    client->write("release\n");
    EXPECT_EQ(ReadLine(client), "released");
    // Its window is showing, so the program stays for the user.
    QTest::qWait(300);
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0);
}

TEST_F(AutomationTest, FactoryServesOneClientOnly) {
    auto program = Serve();
    QProcess* client = StartClient();
    ASSERT_TRUE(ReadLine(client).startsWith("object "));
    // A second client can still reach the instance by its unique name.
    auto create = [&] {
        QDBusPendingCall call = m_connection->asyncCall(QDBusMessage::createMethodCall(
            program->bus.baseService(), QLatin1String(AutomationFactoryPath),
            QStringLiteral("Zarn.Application.Factory"), QStringLiteral("CreateObject")));
        EXPECT_TRUE(WaitFor([&] { return call.isFinished(); }));
        return call.reply().errorName();
    };
    EXPECT_EQ(create(), "org.freedesktop.DBus.Error.LimitsExceeded");
    EXPECT_EQ(program->automation.ObjectCount(), 1);
    client->write("release\n");
    EXPECT_EQ(ReadLine(client), "released");
    EXPECT_EQ(create(), "org.freedesktop.DBus.Error.LimitsExceeded") << "still used up";
    EXPECT_EQ(program->automation.ObjectCount(), 0);
}

// The bus starts the program from folders whose names need the service
// file's escapes on top of the shell's quoting.
TEST_F(AutomationTest, BusStartsTheProgramFromFoldersWithAwkwardNames) {
    const QString gui = QStringLiteral(ZARN_GUI_PATH);
    ASSERT_FALSE(gui.isEmpty());
    qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    const QString names[] = {
        QStringLiteral("it's mine"),
        QStringLiteral("back\\slash"),
        QStringLiteral("say \"hi\""),
        QStringLiteral("line\nbreak"),
        QStringLiteral("all of ' \\ \" $HOME `x` #no\ttab\r\nend"),
    };
    QString first;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = m_home.path() + u'/' + name;
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString program = folder + QStringLiteral("/zarn");
        // One copy of the program, hard-linked into the other folders.
        ASSERT_TRUE(first.isEmpty() ? QFile::copy(gui, program)
                                    : ::link(QFile::encodeName(first).constData(),
                                             QFile::encodeName(program).constData()) == 0);
        if (first.isEmpty()) first = program;
        ASSERT_TRUE(WriteActivationFile(program));
        // The bus keeps what it read while the file's time (in seconds) stays.
        const QDBusMessage reloaded = m_connection->call(
            QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus", "ReloadConfig"),
            QDBus::Block, 10000);
        ASSERT_EQ(reloaded.type(), QDBusMessage::ReplyMessage);

        QDBusMessage start =
            QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus", "StartServiceByName");
        start << QString::fromLatin1(AutomationServiceName) << 0u;
        const QDBusMessage started = m_connection->call(start, QDBus::Block, 30000);
        ASSERT_EQ(started.type(), QDBusMessage::ReplyMessage)
            << started.errorMessage().toStdString();
        const qint64 pid =
            m_connection->interface()->servicePid(QString::fromLatin1(AutomationServiceName));
        ASSERT_GT(pid, 0);
        m_activated.push_back(pid);
        EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget(), program);
        // The started program outlives its bus: end it, and wait until the
        // bus has noticed, so the next request starts a fresh one.
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        EXPECT_TRUE(WaitFor([&] { return !NameOwned(); }));
    }
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(AutomationTest, WithoutASessionBusTheProgramRunsNormally) {
    const QString gui = QStringLiteral(ZARN_GUI_PATH);
    ASSERT_FALSE(gui.isEmpty());
    QProcessEnvironment env = Environment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + m_home.path() + "/no-such-bus");
    QProcess* server = Start(gui, {QStringLiteral("-Automation")}, env);
    QProcess* standAlone = Start(gui, {}, env);
    ASSERT_TRUE(server->waitForStarted(5000));
    ASSERT_TRUE(standAlone->waitForStarted(5000));
    QTest::qWait(1500);
    EXPECT_EQ(server->state(), QProcess::Running) << server->readAllStandardError().toStdString();
    EXPECT_EQ(standAlone->state(), QProcess::Running);
}

}  // namespace
