#include "ui/errorgraphdlg.h"

#include "ui_errorgraphdlg.h"

CErrorGraphDlg::CErrorGraphDlg(const NetTask& task, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CErrorGraphDlg>()) {
    m_ui->setupUi(this);
    m_ui->errorGraphArea->SetTask(&task);
    connect(m_ui->logAxisCheck, &QCheckBox::toggled, this, [this](bool logarithmic) {
        m_ui->errorGraphArea->SetErrorAxis(logarithmic ? ErrorAxis::Logarithmic
                                                       : ErrorAxis::Linear);
    });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CErrorGraphDlg::~CErrorGraphDlg() = default;
