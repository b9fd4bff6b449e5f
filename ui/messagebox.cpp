#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "ui/tasktext.h"

CMessageBox::CMessageBox(QWidget* parent) : m_parent(parent) {}

QString CMessageBox::Title() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Zarn") : name;
}

bool CMessageBox::Ask(const std::string& question) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(question),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void CMessageBox::Tell(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(message), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
