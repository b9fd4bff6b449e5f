#include "ui/errorgraphdlg.h"

#include "ui_errorgraphdlg.h"

CErrorGraphDlg::CErrorGraphDlg(const NetTask& task, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CErrorGraphDlg>()) {
    ui_->setupUi(this);
    ui_->errorGraphArea->SetTask(&task);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CErrorGraphDlg::~CErrorGraphDlg() = default;
