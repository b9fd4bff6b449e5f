#include "ui/aboutdlg.h"

#include "ui_aboutdlg.h"
#include "zarnversion.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CAboutDlg>()) {
    ui->setupUi(this);
    ui->versionLabel->setText(QStringLiteral("Версия " ZARN_VERSION));
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;
