// While it lives, a window takes no user input (mouse, keyboard, wheel,
// touch, context menus, closing) but goes on painting and running timers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class InputBlocker : public QObject {
    Q_OBJECT

  public:
    explicit InputBlocker(QWidget* window);
    ~InputBlocker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> m_window;
};
