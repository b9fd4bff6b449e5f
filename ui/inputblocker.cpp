#include "ui/inputblocker.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

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

InputBlocker::InputBlocker(QWidget* window) : m_window(window) {
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    qApp->removeEventFilter(this);
}

void InputBlocker::SetStopRequest(QWidget* stopButton, std::function<void()> stop) {
    m_stopButton = stopButton;
    m_stop = std::move(stop);
}

bool InputBlocker::IsStopRequest(QWidget* widget, QEvent* event) const {
    if (!m_stop) return false;
    if (event->type() == QEvent::KeyPress)
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    return event->type() == QEvent::MouseButtonPress && widget == m_stopButton &&
           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window || !IsUserInput(event->type())) return false;
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        if (widget == m_window || widget->window() == m_window) {
            if (IsStopRequest(widget, event)) m_stop();
            event->ignore();
            return true;
        }
    }
    return false;
}
