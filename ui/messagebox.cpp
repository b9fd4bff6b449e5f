#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "ui/tasktext.h"

MessageBox::MessageBox(QWidget* parent) : m_parent(parent) {}

QString MessageBox::Title() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Zarn") : name;
}

bool MessageBox::Ask(const std::string& question) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(question),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void MessageBox::Tell(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(message), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
