// While it lives, a window takes no user input (mouse, keyboard, wheel,
// touch, context menus, closing) but goes on painting and running timers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class InputBlocker : public QObject {
    Q_OBJECT

  public:
    explicit InputBlocker(QWidget* window);
    ~InputBlocker() override;

    // The one way through: Escape anywhere in the window, or a press on
    // stopButton, calls stop (the input itself is still taken away).
    void SetStopRequest(QWidget* stopButton, std::function<void()> stop);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsStopRequest(QWidget* widget, QEvent* event) const;

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_stopButton;
    std::function<void()> m_stop;
};
