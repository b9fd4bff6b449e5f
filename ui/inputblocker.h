// While it lives, a window takes no user input (mouse, keyboard, wheel,
// touch, context menus, closing) but goes on painting and running timers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CInputBlocker : public QObject {
    Q_OBJECT

  public:
    explicit CInputBlocker(QWidget* window);
    ~CInputBlocker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> m_window;
};
