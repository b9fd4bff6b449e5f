#include "ui/zarndlgautoproxy.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "ui/zarndlg.h"

CZarnDlgAutoProxy::CZarnDlgAutoProxy(CZarnDlg* dialog, const QString& client, QObject* parent)
    : QDBusVirtualObject(parent), m_dialog(dialog), m_client(client) {
    if (m_dialog) m_dialog->SetProxy(this);
}

CZarnDlgAutoProxy::~CZarnDlgAutoProxy() {
    if (m_dialog && m_dialog->Proxy() == this) m_dialog->SetProxy(nullptr);
}

QString CZarnDlgAutoProxy::introspect(const QString&) const {
    return {};
}

bool CZarnDlgAutoProxy::handleMessage(const QDBusMessage& message,
                                      const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    if (!message.isReplyRequired()) return true;
    connection.send(message.createErrorReply(QDBusError::UnknownMethod,
                                             QStringLiteral("No such method '%1' in interface '%2'")
                                                 .arg(message.member(), message.interface())));
    return true;
}
