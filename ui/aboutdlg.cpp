#include "ui/aboutdlg.h"

#include "ui/uitexts.h"
#include "ui_aboutdlg.h"
#include "zarnversion.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>()) {
    m_ui->setupUi(this);
    m_ui->versionLabel->setText(UiTexts::Version(QStringLiteral(ZARN_VERSION)));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;
