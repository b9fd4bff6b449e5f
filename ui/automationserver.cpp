#include "ui/automationserver.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "factoryadaptor.h"
#include "ui/installedactivation.h"
#include "ui/zarndlg.h"
#include "ui/zarndlgautoproxy.h"

const char* const AutomationServiceName = "Zarn.Application";
const char* const AutomationFactoryPath = "/Zarn/Application";

bool IsServerStart(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg.size() < 2 || (arg[0] != u'-' && arg[0] != u'/')) continue;
        const QString word = arg.mid(1);
        if (word.compare(u"Automation", Qt::CaseInsensitive) == 0 ||
            word.compare(u"Embedding", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ActivationFilePath() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/dbus-1/services/") + QLatin1String(AutomationServiceName) +
           QStringLiteral(".service");
}

namespace {

// The bus reads Exec in two steps: it first undoes the service file's own
// escapes (\\ \n \t \r \s; any other backslash makes the whole file
// invalid, and a raw line break or CR would end the line), then splits the
// value like a shell, where single quotes keep everything but a single quote.
QString ExecWord(const QString& path) {
    static const QString plain =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+");
    bool quote = path.isEmpty();
    for (QChar c : path)
        if (!plain.contains(c)) quote = true;
    QString word = path;
    if (quote) {
        word.replace(u'\'', QStringLiteral("'\\''"));
        word = u'\'' + word + u'\'';
    }
    QString escaped;
    for (QChar c : word) {
        switch (c.unicode()) {
            case u'\\':
                escaped += QStringLiteral("\\\\");
                break;
            case u'\n':
                escaped += QStringLiteral("\\n");
                break;
            case u'\r':
                escaped += QStringLiteral("\\r");
                break;
            case u'\t':
                escaped += QStringLiteral("\\t");
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

bool WriteActivationFile(const QString& executable) {
    const QString path = ActivationFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    const QString text = QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 -Automation\n")
                             .arg(QLatin1String(AutomationServiceName), ExecWord(executable));
    const QByteArray bytes = text.toUtf8();
    // The installed program's file already says this; a per-user one would
    // only stand in front of it (and an older one would point elsewhere).
    if (InstalledActivationFileSays(QFileInfo(path).fileName(), bytes)) {
        QFile::remove(path);
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

AutomationServer::AutomationServer(CZarnDlg* dialog, QDBusConnection bus, QObject* parent)
    : QObject(parent),
      m_dialog(dialog),
      m_bus(std::move(bus)),
      m_watcher(new QDBusServiceWatcher(this)) {
    m_watcher->setConnection(m_bus);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &AutomationServer::OnClientGone);
    new FactoryAdaptor(this);
}

AutomationServer::~AutomationServer() {
    for (auto& [path, proxy] : m_proxies) m_bus.unregisterObject(path);
    m_proxies.clear();
    if (m_ownsName) m_bus.unregisterService(QLatin1String(AutomationServiceName));
    m_bus.unregisterObject(QLatin1String(AutomationFactoryPath));
}

bool AutomationServer::StartServer() {
    if (!m_bus.isConnected()) return false;
    if (!m_bus.registerObject(QLatin1String(AutomationFactoryPath), this,
                              QDBusConnection::ExportAdaptors))
        return false;
    m_ownsName = m_bus.registerService(QLatin1String(AutomationServiceName));
    // Without the name no client is meant to find this instance.
    if (!m_ownsName) m_bus.unregisterObject(QLatin1String(AutomationFactoryPath));
    return m_ownsName;
}

QDBusObjectPath AutomationServer::CreateObject() {
    // One client per instance: once the name is given up, a request can only
    // come by this instance's unique name, and it must not share the object's
    // window with another client (nor keep it alive for it).
    if (m_served) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::LimitsExceeded,
                           QStringLiteral("This instance already serves a client"));
        return {};
    }
    const QString client = calledFromDBus() ? message().service() : QString();
    const QString path =
        QStringLiteral("%1/Object%2").arg(QLatin1String(AutomationFactoryPath)).arg(m_nextObject++);
    auto proxy = std::make_unique<CZarnDlgAutoProxy>(m_dialog, client);
    if (!m_bus.registerVirtualObject(path, proxy.get())) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::Failed, QStringLiteral("Cannot export the object"));
        return {};
    }
    m_proxies.emplace(path, std::move(proxy));
    m_served = true;
    if (!client.isEmpty()) {
        m_watcher->addWatchedService(client);
        // A client that left before the watch began is caught here.
        if (!m_bus.interface()->isServiceRegistered(client).value())
            QMetaObject::invokeMethod(
                this, [this, client] { OnClientGone(client); }, Qt::QueuedConnection);
    }
    // Single use: the next client's request starts a fresh instance.
    if (m_ownsName) {
        m_bus.unregisterService(QLatin1String(AutomationServiceName));
        m_ownsName = false;
    }
    return QDBusObjectPath(path);
}

void AutomationServer::ReleaseObject(const QDBusObjectPath& object) {
    auto found = m_proxies.find(object.path());
    if (found == m_proxies.end() ||
        (calledFromDBus() && found->second->Client() != message().service())) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("No such object of this client"));
        return;
    }
    Drop(object.path());
}

void AutomationServer::OnClientGone(const QString& client) {
    std::vector<QString> gone;
    for (const auto& [path, proxy] : m_proxies)
        if (proxy->Client() == client) gone.push_back(path);
    m_watcher->removeWatchedService(client);
    for (const QString& path : gone) Drop(path);
}

void AutomationServer::Drop(const QString& path) {
    auto found = m_proxies.find(path);
    if (found == m_proxies.end()) return;
    m_bus.unregisterObject(path);
    std::unique_ptr<CZarnDlgAutoProxy> proxy = std::move(found->second);
    m_proxies.erase(found);
    proxy.reset();
    // The factory makes one object per instance (m_served), so this was the last.
    emit LastObjectReleased();
}

void EndWhenReleased(AutomationServer& server, CZarnDlg& dialog, bool serverStart) {
    if (!serverStart) return;
    QObject::connect(&server, &AutomationServer::LastObjectReleased, &dialog, [&dialog] {
        if (dialog.isHidden()) dialog.done(QDialog::Rejected);
    });
}
