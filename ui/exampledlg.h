// Modal dialog for one example. Adding role (any mode but ModeCheck): one
// list per input parameter and a list of the output variants; OK stores the
// chosen example. Check role (ModeCheck): the same input lists and a
// "Результат" button that shows the output variant the network picks; OK and
// Cancel only close.
#pragma once

#include <QDialog>
#include <memory>

#include "model/task.h"
#include "model/userdialog.h"

class QComboBox;
class QLabel;

// Messages of the dialog's own refusals (UTF-8).
inline constexpr const char* ExampleIncompleteMessage =
    "Пример не добавлен: для каждого входного параметра и для результата нужно выбрать вариант.";
inline constexpr const char* NoAnswerMessage =
    "Сеть не может дать ответ: проверьте параметры задачи и размер скрытого слоя.";

namespace Ui {
class CExampleDlg;
}

class CExampleDlg : public QDialog {
    Q_OBJECT
  public:
    // Fills the lists once, here: hiding, minimising and restoring the dialog
    // keep the user's selections and the shown answer.
    CExampleDlg(NetTask& task, DialogState& state, UserDialog& user, QWidget* parent = nullptr);
    ~CExampleDlg() override;

  public slots:
    // Adding role: stores the example and closes. A full set is reported with
    // ExamplesFullMessage and the dialog closes storing nothing; a missing
    // selection is reported with ExampleIncompleteMessage and the dialog stays
    // open. Check role: closes.
    void accept() override;
    // Check role: shows the name of the output variant the network chooses
    // and, below it, the leading outputs with their signals; when the network
    // cannot be evaluated both are emptied and NoAnswerMessage is shown.
    void OnResult();

  private:
    bool CheckRole() const;
    void FillLists();
    void ShowRole();
    void SizeRankingList();
    // The chosen variant of every input parameter, in parameter order.
    void InputSelections(int* variantIndex) const;

    NetTask& m_task;
    DialogState& m_state;
    UserDialog& m_user;
    std::unique_ptr<Ui::CExampleDlg> m_ui;
    // Input parameter p (1..12) always uses the same label and list.
    QComboBox* m_combos[MaxInputs];
    QLabel* m_labels[MaxInputs];
};
