// Drives the modal windows a test opens: answers message boxes in order,
// hands other modal dialogs to the test's actions, and records what was shown.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QDialog;

class ModalDriver : public QObject {
  public:
    ModalDriver();
    ~ModalDriver() override;

    // Buttons for the next message boxes, in order. A box beyond the script
    // is answered OK and counted in unscriptedBoxes.
    void Answer(std::initializer_list<QMessageBox::StandardButton> buttons);
    // The action for the next modal dialog that is not a message box. It runs
    // from its own timer, so message boxes it opens are answered meanwhile.
    // A dialog without an action is rejected and counted in unexpectedDialogs.
    void OnDialog(std::function<void(QDialog*)> action);

    // Texts of the message boxes, UTF-8, in the order they appeared.
    std::vector<std::string> texts;
    // Buttons each box offered (Ok, Ok|Cancel), in the same order.
    std::vector<QMessageBox::StandardButtons> offered;
    int unscriptedBoxes = 0;
    int unexpectedDialogs = 0;

  private:
    void Tick();
    bool Handled(QWidget* widget) const;

    QTimer m_timer;
    std::deque<QMessageBox::StandardButton> m_answers;
    std::deque<std::function<void(QDialog*)>> m_actions;
    std::vector<QPointer<QWidget>> m_handled;
};
