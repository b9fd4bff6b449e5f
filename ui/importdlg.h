// The import dialog: picks the result column, the input columns and the
// number of intervals for numeric columns of a table read from a data file.
// OK hands the choice to a check that may refuse it (the dialog stays open).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "dataset/datatable.h"
#include "dataset/importer.h"

namespace Ui {
class ImportDlg;
}

class ImportDlg : public QDialog {
    Q_OBJECT

  public:
    // tryImport returns false (after telling the user why) to keep the dialog open.
    using ImportAttempt = std::function<bool(const ImportOptions&)>;

    ImportDlg(const DataTable& table, const QString& source, ImportAttempt tryImport,
              QWidget* parent = nullptr);
    ~ImportDlg() override;

    ImportOptions Options() const;
    void accept() override;

  private:
    // The result column is never offered as an input at the same time.
    void OnResultChanged(int column);

    std::unique_ptr<Ui::ImportDlg> m_ui;
    std::vector<std::string> m_names;
    ImportAttempt m_tryImport;
};
