#include "tests/ui/main_dialog_fixture.h"

#include <QDialog>
#include <QTest>

void MainDialogTest::SetUp() {
    Reopen();
}

void MainDialogTest::TearDown() {
    EXPECT_EQ(driver.unexpectedDialogs, 0);
    dlg.reset();
}

void MainDialogTest::Reopen() {
    dlg.reset();
    dlg = std::make_unique<CZarnDlg>(*task, state);
    dlg->SetSeedProvider([] { return 1u; });
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
}

void MainDialogTest::Click(const char* button) const {
    QPushButton* target = Button(button);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->isVisible() && target->isEnabled()) << button << " cannot be pressed";
    QTest::mouseClick(target, Qt::LeftButton);
}

void MainDialogTest::SelectRow(const char* grid, int row) const {
    CMSFlexGrid* target = Grid(grid);
    ASSERT_NE(target, nullptr);
    const int bodyRow = row - static_cast<int>(target->GetFixedRows());
    const QRect cell = target->visualRect(target->model()->index(bodyRow, 0));
    ASSERT_TRUE(cell.isValid()) << grid << " row " << row;
    QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(target->GetRowSel(), row);
}

namespace {

void AddRows(QDialog* editor, const std::vector<std::pair<QString, QString>>& rows) {
    auto* value = editor->findChild<QLineEdit*>("variantValueEdit");
    auto* variant = editor->findChild<QLineEdit*>("variantNameEdit");
    auto* add = editor->findChild<QPushButton*>("addVariantButton");
    ASSERT_TRUE(value && variant && add);
    for (const auto& [valueText, name] : rows) {
        if (value->isEnabled()) value->setText(valueText);
        variant->setText(name);
        QTest::mouseClick(add, Qt::LeftButton);
    }
}

}  // namespace

void MainDialogTest::DefineInput(const QString& name, const Variants& variants) {
    driver.OnDialog([name, variants](QDialog* editor) {
        editor->findChild<QLineEdit*>("paramNameEdit")->setText(name);
        std::vector<std::pair<QString, QString>> rows;
        for (const auto& [value, variantName] : variants)
            rows.emplace_back(QString::number(value, 'g', 17), variantName);
        AddRows(editor, rows);
        QTest::mouseClick(editor->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Click("addInputButton");
}

void MainDialogTest::DefineOutputs(const std::vector<QString>& names) {
    driver.OnDialog([names](QDialog* editor) {
        auto* grid = editor->findChild<CMSFlexGrid*>("variantGrid");
        auto* del = editor->findChild<QPushButton*>("deleteVariantButton");
        while (grid->GetRows() > 1) QTest::mouseClick(del, Qt::LeftButton);
        std::vector<std::pair<QString, QString>> rows;
        for (const QString& n : names) rows.emplace_back(QString(), n);
        AddRows(editor, rows);
        QTest::mouseClick(editor->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Click("editOutputButton");
}

std::vector<QString> MainDialogTest::Rows(const CMSFlexGrid* grid, int first) {
    std::vector<QString> rows;
    for (long r = first; r < grid->GetRows(); ++r) {
        QString row;
        for (long c = 0; c < grid->GetCols(); ++c)
            row += (c ? "|" : "") + grid->GetTextMatrix(r, c);
        rows.push_back(row);
    }
    return rows;
}
