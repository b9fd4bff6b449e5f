// The program's automation server on the D-Bus session bus.
//
// Started with one of the server switches, the program owns the well-known
// name Zarn.Application and exports a factory; each object a client creates
// is a CZarnDlgAutoProxy kept until the client releases it or leaves the bus.
// Once an object exists the name is given up, so the bus starts a fresh
// instance for the next client, and the factory refuses every further
// request: one client per instance. A stand-alone start only refreshes the
// activation file through which the bus starts the program for a client.
// Failures are silent: the program then runs without automation.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class CZarnDlg;
class CZarnDlgAutoProxy;
class QDBusServiceWatcher;

extern const char* const AutomationServiceName;  // "Zarn.Application"
extern const char* const AutomationFactoryPath;  // "/Zarn/Application"

// True for the standard server switches -Automation, /Automation,
// -Embedding and /Embedding (letter case ignored).
bool IsServerStart(const QStringList& arguments);

// The activation file's full path under $XDG_DATA_HOME (or ~/.local/share).
QString ActivationFilePath();
// Writes the activation file naming executable with -Automation, quoted and
// escaped so that the bus starts exactly that file; false on failure. When
// the installed program's file (InstalledActivationFilePath) says the same,
// no per-user file is kept.
bool WriteActivationFile(const QString& executable);

class AutomationServer : public QObject, public QDBusContext {
    Q_OBJECT

  public:
    AutomationServer(CZarnDlg* dialog, QDBusConnection bus, QObject* parent = nullptr);
    ~AutomationServer() override;

    // Exports the factory and owns the well-known name; false when the bus
    // cannot be reached or the name is taken (the factory is then withdrawn).
    bool StartServer();
    int ObjectCount() const { return static_cast<int>(m_proxies.size()); }

  public slots:
    // Called through the generated adaptor.
    QDBusObjectPath CreateObject();
    void ReleaseObject(const QDBusObjectPath& object);

  signals:
    // The last object was released (or its client left the bus).
    void LastObjectReleased();

  private:
    void OnClientGone(const QString& client);
    void Drop(const QString& path);

    CZarnDlg* m_dialog;
    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    std::map<QString, std::unique_ptr<CZarnDlgAutoProxy>> m_proxies;  // by object path
    int m_nextObject = 1;
    bool m_ownsName = false;
    bool m_served = false;  // an object has been made
};

// For a program started by a client: when the last object is released while
// the main window is hidden (the user has not taken control), the dialog
// ends, and with it the program. Otherwise closing simply works again.
void EndWhenReleased(AutomationServer& server, CZarnDlg& dialog, bool serverStart);
