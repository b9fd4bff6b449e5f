// The parameter editor: builds one input parameter (name and valued, named
// variants) or the output variant list on a ParamSheet, in the role the
// setup panel chose through dialogMode. It sets itself up once, when it is
// constructed; later show events change nothing.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "model/paramsheet.h"
#include "model/task.h"
#include "ui/messagebox.h"

namespace Ui {
class CParamDlg;
}
class QLineEdit;

class CParamDlg : public QDialog {
    Q_OBJECT

  public:
    CParamDlg(NetTask& task, DialogState& state, QWidget* parent = nullptr);
    ~CParamDlg() override;

    // OK: commits the sheet; the dialog stays open after a message.
    void accept() override;

  private:
    void OnAddVariant();
    void OnDeleteVariant();
    void SetUpForRole();
    void ShowSheetRows();
    // The value field as a number; false after a message when it holds none.
    bool ReadValue(double* value);
    // A name field as task bytes; nothing after a message when it cannot be stored.
    std::optional<std::string> ReadName(const QLineEdit* field, const QString& what);
    bool OutputRole() const { return m_sheet.role == ModeOutput; }

    std::unique_ptr<Ui::CParamDlg> m_ui;
    NetTask& m_task;
    MessageBox m_user;
    ParamSheet m_sheet;
};
