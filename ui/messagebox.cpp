#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "ui/tasktext.h"
#include "ui/uitexts.h"

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

MessageBox::SaveAnswer MessageBox::AskSaveChanges() {
    QMessageBox box(QMessageBox::Question, Title(), UiTexts::SaveChangesQuestion(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    // Our own texts, whatever translation of Qt is (or is not) loaded.
    box.button(QMessageBox::Yes)->setText(UiTexts::YesButton());
    box.button(QMessageBox::No)->setText(UiTexts::NoButton());
    box.button(QMessageBox::Cancel)->setText(UiTexts::CancelButton());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    switch (answer) {
        case QMessageBox::Yes:
            return SaveAnswer::Save;
        case QMessageBox::No:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void MessageBox::TellReport(const std::string& report) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(report), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    // Qt's name for the text label of a message box.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box.exec();
}

void MessageBox::Tell(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, Title(), FromUtf8(message), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
