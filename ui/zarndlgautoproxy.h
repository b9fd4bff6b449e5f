// The automation object a client holds: it offers no methods and no
// properties, and while it lives the main dialog only hides when closed.
#pragma once

#include <QDBusVirtualObject>
#include <QPointer>
#include <QString>

class CZarnDlg;

class CZarnDlgAutoProxy : public QDBusVirtualObject {
    Q_OBJECT

  public:
    // Links itself with the dialog (the dialog's m_proxy).
    CZarnDlgAutoProxy(CZarnDlg* dialog, const QString& client, QObject* parent = nullptr);
    ~CZarnDlgAutoProxy() override;

    // Every call names a member that does not exist.
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

    const QString& Client() const { return m_client; }

  private:
    QPointer<CZarnDlg> m_dialog;  // the dialog this proxy controls; null once it is gone
    QString m_client;             // unique bus name of the client that holds the object
};
