#include "ui/zarnapp.h"

#include <QIcon>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

#include "ui/automationserver.h"
#include "ui/commandline.h"
#include "ui/qttranslation.h"
#include "ui/zarndlg.h"

CZarnApp::CZarnApp(int& argc, char** argv)
    : QApplication(argc, argv), m_task(std::make_unique<NetTask>()) {
    setApplicationName(QStringLiteral("Zarn"));
    setDesktopFileName(QStringLiteral("org.zarn.Zarn"));
    setWindowIcon(QIcon(QStringLiteral(":/zarn.png")));
    // The main window may be hidden while the program goes on (an automation
    // client holds it); the program ends when the dialog has ended.
    setQuitOnLastWindowClosed(false);
}

CZarnApp::~CZarnApp() {
    m_automation.reset();
    m_dialog.reset();  // before the task it shows
}

int CZarnApp::Run() {
    // Read again now that QApplication has taken out Qt's own options.
    const StartCommand command = ReadStartCommand(arguments());
    if (command.exit) {
        std::fputs(command.text.toLocal8Bit().constData(), command.exitCode ? stderr : stdout);
        return command.exitCode;
    }

    // File dialogs and standard buttons in Russian, like the rest of the
    // program (after the command line, whose help stays as written); without
    // the translation file they stay English.
    InstallQtTranslation(*this);
    m_dialog = std::make_unique<CZarnDlg>(*m_task, m_state);
    connect(m_dialog.get(), &QDialog::finished, this, &QCoreApplication::quit);
    // The session is ending (log-out, shut-down): the same question as the
    // exit button, while the session manager lets the program ask.
    connect(this, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!m_dialog->TaskChanged() || !m_dialog->isVisible()) return;
        if (!manager.allowsInteraction()) return;  // no way to ask: nothing to do
        const bool mayEnd = m_dialog->MayDiscardChanges();
        manager.release();
        if (!mayEnd) manager.cancel();
    });

    // Automation: a server start serves clients on the session bus; a
    // stand-alone start refreshes the activation file through which the bus
    // starts the program for a client. Failures only mean no automation.
    const bool serverStart = IsServerStart(arguments());
    m_automation =
        std::make_unique<AutomationServer>(m_dialog.get(), QDBusConnection::sessionBus());
    if (serverStart) {
        m_automation->StartServer();
        EndWhenReleased(*m_automation, *m_dialog, true);
    } else {
        WriteActivationFile(applicationFilePath());
    }

    m_dialog->show();
    // A file named on the command line loads once the window shows, so its
    // message box stands over it.
    if (!command.taskFile.isEmpty())
        QTimer::singleShot(0, m_dialog.get(),
                           [this, file = command.taskFile] { m_dialog->LoadFile(file); });
    exec();
    m_automation.reset();
    return 0;
}
