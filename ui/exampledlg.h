// Modal dialog for one example. Adding role (any mode but ModeCheck): one
// list per input parameter and a list of the output variants; OK stores the
// chosen example. Check role (ModeCheck): the same input lists and a
// result button that shows the output variant the network picks; OK and
// Cancel only close. There the list of a numeric parameter also takes a typed
// number, and the answer shown goes whenever an input changes.
#pragma once

#include <QDialog>
#include <memory>

#include "model/numericscale.h"
#include "model/task.h"
#include "model/userdialog.h"

class QComboBox;
class QLabel;

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
    // selection is reported with UiTexts::ExampleIncomplete and the dialog stays
    // open. Check role: closes.
    void accept() override;
    // Check role: shows the name of the output variant the network chooses
    // and, below it, the leading outputs with their signals and the values
    // used for numbers typed; when the network cannot be evaluated all are
    // emptied and UiTexts::NoAnswer (or UiTexts::UnknownValue) is shown.
    void OnResult();

  private:
    bool CheckRole() const;
    void FillLists();
    void ShowRole();
    void SizeRankingList();
    // The chosen variant of every input parameter, in parameter order.
    void InputSelections(int* variantIndex) const;
    // Check role: what each list asks of its parameter (a variant, or a number
    // typed into a numeric parameter's list); false after telling the user.
    bool CheckInputs(ParamInput* inputs);
    // Empties the shown answer: it belongs to the inputs it was computed for.
    void ClearAnswer();

    NetTask& m_task;
    DialogState& m_state;
    UserDialog& m_user;
    std::unique_ptr<Ui::CExampleDlg> m_ui;
    // Input parameter p (1..12) always uses the same label and list.
    QComboBox* m_combos[MaxInputs];
    QLabel* m_labels[MaxInputs];
};
