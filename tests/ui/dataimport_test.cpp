// The load command's import branch: a data file goes through the import
// dialog into the task with one message; cancelling changes nothing.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "model/cp1251.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/importdlg.h"

namespace {

class DataImportTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        dlg->SetFileChooser([this](QWidget*, CZarnDlg::FileDialogKind) { return chosen; });
    }

    void Choose(const std::string& name, const std::string& bytes) {
        TempDir::Write(dir.Path(name), bytes);
        chosen = QString::fromStdString(dir.Path(name));
    }

    // Picks the result column, unchecks inputs, then presses a button of the import dialog.
    void OnImportDialog(int result, std::vector<int> unchecked,
                        QDialogButtonBox::StandardButton button) {
        driver.OnDialog([=, this](QDialog* dialog) {
            ASSERT_NE(qobject_cast<ImportDlg*>(dialog), nullptr);
            auto* combo = dialog->findChild<QComboBox*>("resultCombo");
            offeredResult = combo->currentText().toStdString();
            if (result >= 0) combo->setCurrentIndex(result);
            auto* list = dialog->findChild<QListWidget*>("inputList");
            for (int row : unchecked) list->item(row)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>("buttonBox")->button(button),
                              Qt::LeftButton);
            if (dialog->isVisible()) dialog->reject();
        });
    }

    TempDir dir;
    QString chosen;
    std::string offeredResult;
};

const std::string Csv = "colour;size;fruit\nred;1;apple\ngreen;2;pear\nred;2;apple\n";

}  // namespace

TEST_F(DataImportTest, CsvFileIsImportedWithTheLastColumnOfferedAsResult) {
    Choose("fruit.csv", Csv);
    OnImportDialog(-1, {}, QDialogButtonBox::Ok);
    Click("loadButton");
    EXPECT_EQ(offeredResult, "fruit");
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_EQ(task->outputCount, 2);
    EXPECT_EQ(task->exampleCount, 3);
    EXPECT_EQ(Cp1251ToUtf8(task->outputNames[1]), "pear");
    ASSERT_EQ(driver.texts.size(), 1u);
    EXPECT_EQ(driver.texts[0],
              "Импортировано: примеров 3, входных параметров 2, классов 2 (результат — «fruit»), "
              "скрытый слой 3.\n\nПроверка данных: замечаний нет.");
    EXPECT_EQ(Edit("hiddenEdit")->text(), QStringLiteral("3"));
    EXPECT_EQ(Rows(Grid("inputGrid"), 1).size(), 2u) << "the setup table shows the new task";
    EXPECT_TRUE(dlg->TaskChanged()) << "an imported task is saved nowhere yet";
}

TEST_F(DataImportTest, ArffContentWithoutItsEndingIsImportedWithTheChosenColumns) {
    Choose("fruit.data",
           "@relation f\n@attribute a {x,y}\n@attribute b {p,q}\n@attribute c {u,v}\n"
           "@data\nx,p,u\ny,q,u\n");
    OnImportDialog(0, {1}, QDialogButtonBox::Ok);
    Click("loadButton");
    EXPECT_EQ(task->inputCount, 1);
    EXPECT_EQ(Cp1251ToUtf8(task->inputNames[0]), "c");
    EXPECT_EQ(Cp1251ToUtf8(task->outputNames[0]), "x");
    ASSERT_EQ(driver.texts.size(), 1u);
    EXPECT_NE(driver.texts[0].find(
                  "примеры: 1, 2.\n- Варианты, которых нет ни в одном примере: «c»: «v»."),
              std::string::npos)
        << driver.texts[0];
}

TEST_F(DataImportTest, CancelOrARefusalLeavesTheTask) {
    AddParam(*task, {"kept", {{0, "v"}}});
    Choose("fruit.csv", Csv);
    OnImportDialog(-1, {}, QDialogButtonBox::Cancel);
    Click("loadButton");
    OnImportDialog(-1, {0, 1}, QDialogButtonBox::Ok);  // no input left: told, dialog stays
    Click("loadButton");
    Choose("broken.arff", "@relation r\n@data\n");
    Click("loadButton");
    EXPECT_EQ(task->inputCount, 1);
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{"Не выбран ни один входной столбец.",
                                        "Строка 2: перед @data нет ни одного @attribute."}));
}

TEST(ImportDlgBins, ExactValuesFirstThenIntervals) {
    DataTable table;
    table.columns = {{"a", DataColumn::Kind::Free, {}}, {"b", DataColumn::Kind::Free, {}}};
    ImportDlg dialog(table, QStringLiteral("t.csv"), nullptr, nullptr);
    auto* spin = dialog.findChild<QSpinBox*>("binsSpin");
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->text(), QStringLiteral("точные значения"));
    EXPECT_EQ(dialog.Options().bins, ExactValues);
    spin->stepUp();
    EXPECT_EQ(dialog.Options().bins, 2);
    spin->setValue(5);
    EXPECT_EQ(dialog.Options().bins, 5);
}

TEST_F(DataImportTest, PreviewShowsTheSeparatorAndAnotherOneParsesAgain) {
    // Both separators give a table: the semicolon is found, the comma chosen.
    Choose("both.csv", "a,b;c\n1,2;x\n3,4;y\n");
    QString found, previewBefore, previewAfter, resultAfter, findings;
    driver.OnDialog([&](QDialog* dialog) {
        auto* separator = dialog->findChild<QComboBox*>("separatorCombo");
        auto* preview = dialog->findChild<QTableWidget*>("previewTable");
        found = separator->currentText();
        previewBefore = preview->horizontalHeaderItem(0)->text();
        separator->setCurrentIndex(separator->findText(QStringLiteral("«,»")));
        emit separator->activated(separator->currentIndex());
        previewAfter = preview->horizontalHeaderItem(0)->text() + "|" + preview->item(1, 1)->text();
        resultAfter = dialog->findChild<QComboBox*>("resultCombo")->currentText();
        findings = dialog->findChild<QLabel*>("findingsLabel")->text();
        QTest::mouseClick(
            dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
    });
    dlg->LoadFile(chosen);  // as a file named on the command line
    EXPECT_EQ(found, QStringLiteral("«;»"));
    EXPECT_EQ(previewBefore, QStringLiteral("a,b"));
    EXPECT_EQ(previewAfter, QStringLiteral("a|4;y"));
    EXPECT_EQ(resultAfter, QStringLiteral("b;c"));
    // Only the separator was chosen: the decimal mark ("1,2" before) is found again.
    EXPECT_TRUE(
        findings.contains(QStringLiteral("разделитель «,», кодировка UTF-8, десятичный "
                                         "знак точка или запятая")))
        << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("Проверка данных"))) << findings.toStdString();
    ASSERT_EQ(task->inputCount, 1);
    EXPECT_EQ(Cp1251ToUtf8(task->inputNames[0]), "a");
    EXPECT_EQ(Cp1251ToUtf8(task->outputNames[0]), "2;x");
}

TEST_F(DataImportTest, ANumberColumnReadAsWordsKeepsTheOrderMet) {
    Choose("n.csv", "n,r\n10,x\n2,y\n");
    driver.OnDialog([&](QDialog* dialog) {
        auto* kind = dialog->findChild<QComboBox*>("kindCombo0");
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->currentText(), QStringLiteral("числа"));
        kind->setCurrentIndex(1);
        QTest::mouseClick(
            dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
    });
    Click("loadButton");
    ASSERT_EQ(task->inputCount, 1);
    EXPECT_EQ(Cp1251ToUtf8(task->inputParams[0].variantNames[0]), "10");
}
