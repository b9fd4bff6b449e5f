#include "ui/paramdlg.h"

#include "model/numtext.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"
#include "ui_paramdlg.h"

namespace {

constexpr long NameColumnTwips = 3150;

}  // namespace

CParamDlg::CParamDlg(NetTask& task, DialogState& state, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CParamDlg>()), m_task(task), m_user(this) {
    m_ui->setupUi(this);
    m_sheet = OpenSheet(task, state.dialogMode, state.editIndex);
    SetUpForRole();
    connect(m_ui->addVariantButton, &QPushButton::clicked, this, &CParamDlg::OnAddVariant);
    connect(m_ui->deleteVariantButton, &QPushButton::clicked, this, &CParamDlg::OnDeleteVariant);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CParamDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CParamDlg::reject);
}

CParamDlg::~CParamDlg() = default;

void CParamDlg::SetUpForRole() {
    CMSFlexGrid* grid = m_ui->variantGrid;
    grid->SetDesign(2, 2, 1);
    if (OutputRole()) {
        setWindowTitle(UiTexts::AddOutputTitle());
        grid->SetCols(1);
        grid->SetTextMatrix(0, 0, UiTexts::NameHeading());
        grid->SetColWidth(0, NameColumnTwips);
        m_ui->paramNameEdit->hide();
        m_ui->paramNameLabel->hide();
        m_ui->variantValueEdit->setEnabled(false);
        m_ui->variantNameEdit->setFocus();
    } else {
        setWindowTitle(m_sheet.role == ModeEditInput ? UiTexts::EditInputTitle()
                                                     : UiTexts::AddInputTitle());
        grid->SetCols(2);
        grid->SetTextMatrix(0, 0, UiTexts::ValueHeading());
        grid->SetTextMatrix(0, 1, UiTexts::NameHeading());
        grid->SetColWidth(1, NameColumnTwips);
        m_ui->paramNameEdit->setText(FromTask(m_sheet.name));
        m_ui->paramNameEdit->setFocus();
    }
    ShowSheetRows();
}

void CParamDlg::ShowSheetRows() {
    CMSFlexGrid* grid = m_ui->variantGrid;
    grid->SetRows(static_cast<long>(m_sheet.rows.size()) + 1);
    for (std::size_t r = 0; r < m_sheet.rows.size(); ++r) {
        const SheetRow& row = m_sheet.rows[r];
        const long gridRow = static_cast<long>(r) + 1;
        if (OutputRole()) {
            grid->SetTextMatrix(gridRow, 0, FromTask(row.name));
        } else {
            grid->SetTextMatrix(gridRow, 0, FromUtf8(row.valueText));
            grid->SetTextMatrix(gridRow, 1, FromTask(row.name));
        }
    }
}

bool CParamDlg::ReadValue(double* value) {
    const std::string text = ToUtf8(m_ui->variantValueEdit->text());
    if (!IsNumberText(text)) {
        m_user.Tell(ValueNotNumberMessage);
        return false;
    }
    *value = LenientAtof(text);
    return true;
}

std::optional<std::string> CParamDlg::ReadName(const QLineEdit* field, const QString& what) {
    const QString text = field->text();
    const std::string refusal = NameRefusal(what, text);
    if (!refusal.empty()) {
        m_user.Tell(refusal);
        return std::nullopt;
    }
    return ToTask(text);
}

void CParamDlg::OnAddVariant() {
    double value = 0.0;
    if (OutputRole())
        value = LenientAtof(ToUtf8(m_ui->variantValueEdit->text()));
    else if (!ReadValue(&value))
        return;
    const std::optional<std::string> name =
        ReadName(m_ui->variantNameEdit, UiTexts::VariantNameField());
    if (!name) return;
    if (!SheetAddVariant(m_sheet, value, *name, m_user)) return;
    ShowSheetRows();
    m_ui->variantGrid->scrollToBottom();
    m_ui->variantNameEdit->clear();
}

void CParamDlg::OnDeleteVariant() {
    CMSFlexGrid* grid = m_ui->variantGrid;
    if (grid->GetRows() <= 1) return;
    SheetDeleteRow(m_sheet, static_cast<int>(grid->GetRowSel()) - 1);
    ShowSheetRows();
}

void CParamDlg::accept() {
    if (!OutputRole()) {
        double value = 0.0;
        if (!ReadValue(&value)) return;
        const std::optional<std::string> name =
            ReadName(m_ui->paramNameEdit, UiTexts::ParamNameField());
        if (!name) return;
        m_sheet.name = *name;
    }
    if (CommitSheet(m_task, m_sheet, m_user)) QDialog::accept();
}
