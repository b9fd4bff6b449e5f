#include "tests/ui/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

ModalDriver::ModalDriver() {
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::Tick);
    m_timer.start(5);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::Answer(std::initializer_list<QMessageBox::StandardButton> buttons) {
    m_answers.insert(m_answers.end(), buttons);
}

void ModalDriver::OnDialog(std::function<void(QDialog*)> action) {
    m_actions.push_back(std::move(action));
}

bool ModalDriver::Handled(QWidget* widget) const {
    for (const QPointer<QWidget>& seen : m_handled)
        if (seen == widget) return true;
    return false;
}

void ModalDriver::Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || Handled(modal)) return;
    m_handled.emplace_back(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts.push_back(box->text().toUtf8().toStdString());
        offered.push_back(box->standardButtons());
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        if (m_answers.empty())
            ++unscriptedBoxes;
        else {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog) return;
    if (m_actions.empty()) {
        ++unexpectedDialogs;
        dialog->reject();
        return;
    }
    auto action = std::move(m_actions.front());
    m_actions.pop_front();
    QPointer<QDialog> target = dialog;
    QTimer::singleShot(0, dialog, [action, target] {
        if (target) action(target);
    });
}
