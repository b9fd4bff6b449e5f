#include "ui/inputblocker.h"

#include <QApplication>
#include <QEvent>

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

CInputBlocker::CInputBlocker(QWidget* window) : m_window(window) {
    qApp->installEventFilter(this);
}

CInputBlocker::~CInputBlocker() {
    qApp->removeEventFilter(this);
}

bool CInputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window || !IsUserInput(event->type())) return false;
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        if (widget == m_window || widget->window() == m_window) {
            event->ignore();
            return true;
        }
    }
    return false;
}
