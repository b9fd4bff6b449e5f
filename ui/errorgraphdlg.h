// Modal dialog showing the error graph of the last training run; only OK and
// Cancel, both of which just close it.
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
