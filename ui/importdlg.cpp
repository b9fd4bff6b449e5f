#include "ui/importdlg.h"

#include <QListWidgetItem>

#include "ui/messagebox.h"
#include "ui/tasktext.h"
#include "ui_importdlg.h"

namespace {

constexpr int ExactValuesStep = 1;

}  // namespace

ImportDlg::ImportDlg(const DataTable& table, const QString& source, ImportAttempt tryImport,
                     QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ImportDlg>()), m_tryImport(std::move(tryImport)) {
    m_ui->setupUi(this);
    m_ui->sourceLabel->setText(
        source +
        QStringLiteral(": строк %1, столбцов %2").arg(table.rows.size()).arg(table.columns.size()));
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const std::string& name = table.columns[c].name;
        m_names.push_back(name.empty() ? "Столбец " + std::to_string(c + 1) : name);
        m_ui->resultCombo->addItem(FromUtf8(m_names.back()));
        auto* item = new QListWidgetItem(FromUtf8(m_names.back()), m_ui->inputList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    // The step below 2 intervals stands for one variant per distinct number.
    m_ui->binsSpin->setRange(ExactValuesStep, MaxVariants);
    m_ui->binsSpin->setSpecialValueText(QStringLiteral("точные значения"));
    m_ui->binsSpin->setValue(DefaultBins == ExactValues ? ExactValuesStep : DefaultBins);
    connect(m_ui->resultCombo, &QComboBox::currentIndexChanged, this, &ImportDlg::OnResultChanged);
    m_ui->resultCombo->setCurrentIndex(m_ui->resultCombo->count() - 1);
    OnResultChanged(m_ui->resultCombo->currentIndex());
}

ImportDlg::~ImportDlg() = default;

void ImportDlg::OnResultChanged(int column) {
    for (int row = 0; row < m_ui->inputList->count(); ++row) {
        QListWidgetItem* item = m_ui->inputList->item(row);
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

ImportOptions ImportDlg::Options() const {
    ImportOptions options;
    const int result = m_ui->resultCombo->currentIndex();
    if (result >= 0) options.result = m_names[result];
    for (int row = 0; row < m_ui->inputList->count(); ++row)
        if (row != result && m_ui->inputList->item(row)->checkState() == Qt::Checked)
            options.inputs.push_back(m_names[row]);
    const int bins = m_ui->binsSpin->value();
    options.bins = bins == ExactValuesStep ? ExactValues : bins;
    return options;
}

void ImportDlg::accept() {
    const ImportOptions options = Options();
    if (options.inputs.empty()) {
        MessageBox(this).Tell("Не выбран ни один входной столбец.");
        return;
    }
    if (m_tryImport && !m_tryImport(options)) return;
    QDialog::accept();
}
