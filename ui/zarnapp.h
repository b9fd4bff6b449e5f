// The application: Qt set-up, the one program-wide task record with its
// dialog state, and the main window, which runs until the user ends it.
#pragma once

#include <QApplication>
#include <memory>

#include "model/task.h"

class AutomationServer;
class CZarnDlg;

class CZarnApp : public QApplication {
    Q_OBJECT

  public:
    CZarnApp(int& argc, char** argv);
    ~CZarnApp() override;

    // Shows the main window (loading a task file named on the command line)
    // and runs until it has ended; the exit code. Answers a command line that
    // is not understood on stderr with exit code 64 instead.
    int Run();

  private:
    // Created once and kept for the whole run; the record is too large for the stack.
    std::unique_ptr<NetTask> m_task;
    DialogState m_state;
    std::unique_ptr<CZarnDlg> m_dialog;
    std::unique_ptr<AutomationServer> m_automation;
};
