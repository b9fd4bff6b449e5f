#include "ui/importdlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QListWidgetItem>
#include <QPushButton>
#include <QSignalBlocker>

#include "dataset/columnkind.h"
#include "dataset/datacheck.h"
#include "ui/messagebox.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"
#include "ui_importdlg.h"

namespace {

constexpr int PreviewRows = 20;
constexpr int ExactValuesStep = 1;

void SelectData(QComboBox* combo, int value, const QString& textIfNew) {
    int index = combo->findData(value);
    if (index < 0) {
        combo->addItem(textIfNew, value);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

}  // namespace

ImportDlg::ImportDlg(DataTable table, const QString& source, Reader reread, ImportAttempt tryImport,
                     QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::ImportDlg>()),
      m_table(std::move(table)),
      m_source(source),
      m_reread(std::move(reread)),
      m_tryImport(std::move(tryImport)) {
    m_ui->setupUi(this);
    for (char mark : {';', ',', '\t', '|', ' '})
        m_ui->separatorCombo->addItem(FromUtf8(MarkName(mark)), mark);
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Windows1251,
                                  TextEncoding::Utf16Le, TextEncoding::Utf16Be})
        m_ui->encodingCombo->addItem(EncodingName(encoding), static_cast<int>(encoding));
    for (char mark : {'\0', '.', ','}) m_ui->decimalCombo->addItem(FromUtf8(MarkName(mark)), mark);
    // The step below 2 intervals stands for one variant per distinct number.
    m_ui->binsSpin->setRange(ExactValuesStep, MaxVariants);
    m_ui->binsSpin->setSpecialValueText(UiTexts::ExactValues());
    m_ui->binsSpin->setValue(DefaultBins == ExactValues ? ExactValuesStep : DefaultBins);
    m_ui->columnTable->setColumnCount(3);
    m_ui->columnTable->setHorizontalHeaderLabels(
        {UiTexts::ColumnHeading(), UiTexts::KindHeading(), UiTexts::DistinctHeading()});
    m_ui->columnTable->verticalHeader()->hide();
    m_ui->columnTable->horizontalHeader()->setStretchLastSection(true);
    connect(m_ui->resultCombo, &QComboBox::currentIndexChanged, this, &ImportDlg::OnResultChanged);
    connect(m_ui->inputList, &QListWidget::itemChanged, this, &ImportDlg::ShowFindings);
    connect(m_ui->binsSpin, &QSpinBox::valueChanged, this, &ImportDlg::ShowFindings);
    // What the user chooses is kept; the rest is found from the file again.
    connect(m_ui->separatorCombo, &QComboBox::activated, this, [this] {
        m_chosen.separator = static_cast<char>(m_ui->separatorCombo->currentData().toInt());
        OnReadingChanged();
    });
    connect(m_ui->encodingCombo, &QComboBox::activated, this, [this] {
        m_chosen.encoding = static_cast<TextEncoding>(m_ui->encodingCombo->currentData().toInt());
        OnReadingChanged();
    });
    connect(m_ui->decimalCombo, &QComboBox::activated, this, [this] {
        m_chosen.decimal = static_cast<char>(m_ui->decimalCombo->currentData().toInt());
        OnReadingChanged();
    });
    ShowReadingChoices();
    ShowTable({});
}

ImportDlg::~ImportDlg() = default;

void ImportDlg::ShowReadingChoices() {
    const DataReading& reading = m_table.reading;
    // ARFF has no separator to choose.
    m_ui->separatorCombo->setEnabled(reading.separator != 0);
    if (reading.separator != 0)
        SelectData(m_ui->separatorCombo, reading.separator, FromUtf8(MarkName(reading.separator)));
    SelectData(m_ui->encodingCombo, static_cast<int>(reading.encoding),
               EncodingName(reading.encoding));
    SelectData(m_ui->decimalCombo, reading.decimal, FromUtf8(MarkName(reading.decimal)));
}

void ImportDlg::ShowTable(const std::string& keepResult) {
    m_ui->sourceLabel->setText(UiTexts::TableSize(
        m_source, m_table.rows.size() + m_table.reading.leftOutRows, m_table.columns.size()));
    m_names.clear();
    m_words.assign(m_table.columns.size(), false);
    {
        const QSignalBlocker blockCombo(m_ui->resultCombo), blockList(m_ui->inputList);
        m_ui->resultCombo->clear();
        m_ui->inputList->clear();
        for (std::size_t c = 0; c < m_table.columns.size(); ++c) {
            m_names.push_back(ColumnName(m_table, c));
            m_ui->resultCombo->addItem(FromUtf8(m_names.back()));
            auto* item = new QListWidgetItem(FromUtf8(m_names.back()), m_ui->inputList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        const auto kept = std::find(m_names.begin(), m_names.end(), keepResult);
        m_ui->resultCombo->setCurrentIndex(kept != m_names.end()
                                               ? static_cast<int>(kept - m_names.begin())
                                               : m_ui->resultCombo->count() - 1);
    }
    QTableWidget* preview = m_ui->previewTable;
    preview->clear();
    preview->setColumnCount(static_cast<int>(m_table.columns.size()));
    QStringList headings;
    for (const std::string& name : m_names) headings << FromUtf8(name);
    preview->setHorizontalHeaderLabels(headings);
    const std::size_t rows = std::min<std::size_t>(m_table.rows.size(), PreviewRows);
    preview->setRowCount(static_cast<int>(rows));
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < m_table.columns.size(); ++c) {
            const DataCell& cell = m_table.rows[r][c];
            preview->setItem(static_cast<int>(r), static_cast<int>(c),
                             new QTableWidgetItem(cell ? FromUtf8(*cell) : QString()));
        }
    ShowColumns();
    OnResultChanged(m_ui->resultCombo->currentIndex());
}

void ImportDlg::ShowColumns() {
    QTableWidget* table = m_ui->columnTable;
    table->setRowCount(static_cast<int>(m_table.columns.size()));
    for (std::size_t c = 0; c < m_table.columns.size(); ++c) {
        const int row = static_cast<int>(c);
        const ColumnOverview overview = OverviewOf(m_table, c);
        table->setItem(row, 0, new QTableWidgetItem(FromUtf8(m_names[c])));
        table->setItem(row, 2, new QTableWidgetItem(QString::number(overview.distinct)));
        if (overview.kind == ValueKind::Words) {
            table->removeCellWidget(row, 1);
            table->setItem(row, 1, new QTableWidgetItem(ValueKindName(ValueKind::Words)));
            continue;
        }
        // Numbers and dates may be read as words instead.
        auto* kind = new QComboBox(table);
        kind->setObjectName(QStringLiteral("kindCombo%1").arg(row));
        kind->addItem(ValueKindName(overview.kind));
        kind->addItem(ValueKindName(ValueKind::Words));
        connect(kind, &QComboBox::currentIndexChanged, this, [this, c](int index) {
            m_words[c] = index == 1;
            ShowFindings();
        });
        table->setItem(row, 1, nullptr);
        table->setCellWidget(row, 1, kind);
    }
}

void ImportDlg::OnReadingChanged() {
    const DataReadOptions options = m_chosen;
    const std::string result = ToUtf8(m_ui->resultCombo->currentText());
    DataTable table;
    const Status read = m_reread ? m_reread(options, table) : Status::Refuse({});
    m_readable = read.ok();
    if (!m_readable) {
        m_ui->findingsLabel->setText(FromUtf8(read.message));
        m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
        return;
    }
    m_table = std::move(table);
    ShowReadingChoices();
    ShowTable(result);
}

void ImportDlg::OnResultChanged(int column) {
    {
        const QSignalBlocker block(m_ui->inputList);
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
    ShowFindings();
}

void ImportDlg::ShowFindings() {
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(m_readable);
    const ImportOptions options = Options();
    if (options.inputs.empty()) {
        m_ui->findingsLabel->setText(UiTexts::NoInputColumn());
        return;
    }
    TaskDraft staged;
    ImportSummary summary;
    std::string text = DescribeReading(m_table) + "\n";
    if (const Status imported = ImportTable(m_table, options, staged, summary); !imported.ok()) {
        m_ui->findingsLabel->setText(FromUtf8(text + imported.message));
        return;
    }
    auto task = std::make_unique<NetTask>();
    ApplyImportedTask(staged, *task);
    if (summary.skippedRows > 0)
        text += ToUtf8(UiTexts::RowsWithoutResult(summary.skippedRows)) + "\n";
    std::vector<std::string> renamed;
    for (const std::string& name : summary.renamedColumns) renamed.push_back("«" + name + "»");
    renamed.insert(renamed.end(), summary.renamed.begin(), summary.renamed.end());
    for (std::size_t i = 0; i < renamed.size(); ++i)
        text += (i ? std::string(", ") : ToUtf8(UiTexts::RenamedPrefix())) + renamed[i] +
                (i + 1 == renamed.size() ? ".\n" : "");
    m_ui->findingsLabel->setText(FromUtf8(text + FormatCheckReport(CheckTaskData(*task))));
}

ImportOptions ImportDlg::Options() const {
    ImportOptions options;
    const int result = m_ui->resultCombo->currentIndex();
    if (result >= 0) options.result = m_names[result];
    for (int row = 0; row < m_ui->inputList->count(); ++row)
        if (row != result && m_ui->inputList->item(row)->checkState() == Qt::Checked)
            options.inputs.push_back(m_names[row]);
    for (std::size_t c = 0; c < m_words.size(); ++c)
        if (m_words[c]) options.words.push_back(m_names[c]);
    const int bins = m_ui->binsSpin->value();
    options.bins = bins == ExactValuesStep ? ExactValues : bins;
    return options;
}

void ImportDlg::accept() {
    const ImportOptions options = Options();
    if (options.inputs.empty()) {
        MessageBox(this).Tell(ToUtf8(UiTexts::NoInputColumn()));
        return;
    }
    if (m_tryImport && !m_tryImport(m_table, options)) return;
    QDialog::accept();
}
