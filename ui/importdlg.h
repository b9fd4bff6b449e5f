// The import dialog: shows a table read from a data file as parsed (the
// first rows, what the reading decided, each column's kind and distinct
// values), lets the user change the separator, encoding and decimal mark
// (the file is parsed again at once) and a column's kind between number and
// words, and picks the result column, the input columns and the number of
// intervals for numeric columns. The rows left out and the data checks'
// findings show before OK, which hands the choice to a check that may refuse
// it (the dialog stays open).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "dataset/datafile.h"
#include "dataset/datatable.h"
#include "dataset/importer.h"

namespace Ui {
class ImportDlg;
}

class ImportDlg : public QDialog {
    Q_OBJECT

  public:
    // tryImport returns false (after telling the user why) to keep the dialog open.
    using ImportAttempt = std::function<bool(const DataTable&, const ImportOptions&)>;
    // Reads the file again with other reading options; a failure with its message.
    using Reader = std::function<Status(const DataReadOptions&, DataTable&)>;

    ImportDlg(DataTable table, const QString& source, Reader reread, ImportAttempt tryImport,
              QWidget* parent = nullptr);
    ~ImportDlg() override;

    ImportOptions Options() const;
    const DataTable& Table() const { return m_table; }
    void accept() override;

  private:
    // The result column is never offered as an input at the same time.
    void OnResultChanged(int column);
    // A separator, encoding or decimal mark was chosen: parse again with the
    // choices made so far (m_chosen).
    void OnReadingChanged();
    void ShowReadingChoices();
    void ShowTable(const std::string& keepResult);
    void ShowColumns();
    // What an import with the current choice would leave out and find.
    void ShowFindings();

    std::unique_ptr<Ui::ImportDlg> m_ui;
    DataTable m_table;
    QString m_source;
    Reader m_reread;
    ImportAttempt m_tryImport;
    std::vector<std::string> m_names;
    std::vector<bool> m_words;  // per column: read as words by the user's choice
    bool m_readable = true;     // the last parse succeeded
    DataReadOptions m_chosen;   // the user's reading choices; the rest is found
};
