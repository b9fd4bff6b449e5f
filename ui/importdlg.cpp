#include "ui/importdlg.h"

#include <QListWidgetItem>

#include "ui/messagebox.h"
#include "ui/tasktext.h"
#include "ui_importdlg.h"

CImportDlg::CImportDlg(const DataTable& table, const QString& source, ImportAttempt tryImport,
                       QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CImportDlg>()), m_tryImport(std::move(tryImport)) {
    ui->setupUi(this);
    ui->sourceLabel->setText(
        source +
        QStringLiteral(": строк %1, столбцов %2").arg(table.rows.size()).arg(table.columns.size()));
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const std::string& name = table.columns[c].name;
        m_names.push_back(name.empty() ? "Столбец " + std::to_string(c + 1) : name);
        ui->resultCombo->addItem(FromUtf8(m_names.back()));
        auto* item = new QListWidgetItem(FromUtf8(m_names.back()), ui->inputList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    ui->binsSpin->setRange(2, MaxVariants);
    ui->binsSpin->setValue(DefaultBins);
    connect(ui->resultCombo, &QComboBox::currentIndexChanged, this, &CImportDlg::OnResultChanged);
    ui->resultCombo->setCurrentIndex(ui->resultCombo->count() - 1);
    OnResultChanged(ui->resultCombo->currentIndex());
}

CImportDlg::~CImportDlg() = default;

void CImportDlg::OnResultChanged(int column) {
    for (int row = 0; row < ui->inputList->count(); ++row) {
        QListWidgetItem* item = ui->inputList->item(row);
        const bool wasResult = !(item->flags() & Qt::ItemIsEnabled);
        if (row == column) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setCheckState(Qt::Unchecked);
        } else if (wasResult) {
            item->setFlags(item->flags() | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
        }
    }
}

ImportOptions CImportDlg::Options() const {
    ImportOptions options;
    const int result = ui->resultCombo->currentIndex();
    if (result >= 0) options.result = m_names[result];
    for (int row = 0; row < ui->inputList->count(); ++row)
        if (row != result && ui->inputList->item(row)->checkState() == Qt::Checked)
            options.inputs.push_back(m_names[row]);
    options.bins = ui->binsSpin->value();
    return options;
}

void CImportDlg::accept() {
    const ImportOptions options = Options();
    if (options.inputs.empty()) {
        CMessageBox(this).Tell("Не выбран ни один входной столбец.");
        return;
    }
    if (m_tryImport && !m_tryImport(options)) return;
    QDialog::accept();
}
