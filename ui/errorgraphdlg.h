// Modal dialog showing the error graph of the last training run, with the
// titles of its axes and a choice of a logarithmic error axis; OK and Cancel
// both just close it.
#pragma once

#include <QDialog>
#include <memory>

#include "model/task.h"

namespace Ui {
class CErrorGraphDlg;
}

class CErrorGraphDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CErrorGraphDlg(const NetTask& task, QWidget* parent = nullptr);
    ~CErrorGraphDlg() override;

  private:
    std::unique_ptr<Ui::CErrorGraphDlg> m_ui;
};
