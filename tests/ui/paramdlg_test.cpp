// The parameter editor driven through its widgets in its three roles.
#include "ui/paramdlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "model/cp1251.h"
#include "tests/support/task_builder.h"
#include "tests/ui/modal_driver.h"
#include "ui/msflexgrid.h"

namespace {

std::string Cp(const char* utf8) {
    return *Utf8ToCp1251(utf8);
}

class ParamDlgTest : public ::testing::Test {
  protected:
    // Opens the editor (not modal, so the test keeps control) in a role.
    void Open(int mode, int editIndex = 0) {
        state.dialogMode = mode;
        state.editIndex = editIndex;
        dlg = std::make_unique<CParamDlg>(*task, state);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        name = dlg->findChild<QLineEdit*>("paramNameEdit");
        nameLabel = dlg->findChild<QLabel*>("paramNameLabel");
        value = dlg->findChild<QLineEdit*>("variantValueEdit");
        variant = dlg->findChild<QLineEdit*>("variantNameEdit");
        grid = dlg->findChild<CMSFlexGrid*>("variantGrid");
        add = dlg->findChild<QPushButton*>("addVariantButton");
        del = dlg->findChild<QPushButton*>("deleteVariantButton");
        ok = dlg->findChild<QPushButton*>("okButton");
        cancel = dlg->findChild<QPushButton*>("cancelButton");
        ASSERT_TRUE(name && nameLabel && value && variant && grid && add && del && ok && cancel);
    }

    void AddVariant(const QString& valueText, const QString& variantName) {
        value->setText(valueText);
        variant->setText(variantName);
        QTest::mouseClick(add, Qt::LeftButton);
    }

    // The grid's body rows as "value|name" (or "name" with one column).
    std::vector<QString> Rows() const {
        std::vector<QString> rows;
        for (long r = 1; r < grid->GetRows(); ++r) {
            QString row = grid->GetTextMatrix(r, 0);
            if (grid->GetCols() > 1) row += "|" + grid->GetTextMatrix(r, 1);
            rows.push_back(row);
        }
        return rows;
    }

    void SelectRow(int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<NetTask> task = MakeTask();
    DialogState state;
    ModalDriver driver;
    std::unique_ptr<CParamDlg> dlg;
    QLineEdit *name = nullptr, *value = nullptr, *variant = nullptr;
    QLabel* nameLabel = nullptr;
    CMSFlexGrid* grid = nullptr;
    QPushButton *add = nullptr, *del = nullptr, *ok = nullptr, *cancel = nullptr;
};

TEST_F(ParamDlgTest, AddRoleBuildsAParameterFromTypedVariants) {
    Open(ModeSetup);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Добавление входного параметра"));
    EXPECT_EQ(grid->GetCols(), 2);
    EXPECT_EQ(grid->GetTextMatrix(0, 0), QStringLiteral("значение"));
    EXPECT_EQ(grid->GetTextMatrix(0, 1), QStringLiteral("Наименование"));
    EXPECT_EQ(grid->GetRows(), 1);
    EXPECT_TRUE(name->isVisible());
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(value->text(), QStringLiteral("0"));
    EXPECT_TRUE(value->isEnabled());

    QTest::keyClicks(name, "Speed");
    value->clear();
    QTest::keyClicks(value, "2.5");
    QTest::keyClicks(variant, "fast");
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(variant->text().isEmpty()) << "the name field empties after an add";
    EXPECT_EQ(value->text(), QStringLiteral("2.5")) << "the value field keeps its text";
    AddVariant(QStringLiteral("0.1234567"), QStringLiteral("медленно"));
    EXPECT_EQ(Rows(), (std::vector<QString>{QStringLiteral("2.500000|fast"),
                                            QStringLiteral("0.123457|медленно")}));
    EXPECT_EQ(task->inputCount, 0) << "nothing reaches the task before OK";

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    ASSERT_EQ(task->inputCount, 1);
    EXPECT_EQ(task->inputNames[0], "Speed");
    const InputParam& param = task->inputParams[0];
    ASSERT_EQ(param.variantCount, 2);
    EXPECT_EQ(param.variantValues[0], 2.5);
    EXPECT_EQ(param.variantValues[1], 0.123457);
    EXPECT_EQ(param.variantNames[1], Cp("медленно"));
    EXPECT_TRUE(driver.texts.empty());
}

TEST_F(ParamDlgTest, ValueFieldWithoutANumberIsRefused) {
    Open(ModeSetup);
    for (const char* text : {"", "abc", "1,5", "2.5x", "  "}) {
        AddVariant(QString::fromUtf8(text), QStringLiteral("v"));
        EXPECT_EQ(grid->GetRows(), 1) << "added for value text '" << text << "'";
        EXPECT_EQ(variant->text(), QStringLiteral("v")) << "the name stays for a retry";
    }
    ASSERT_EQ(driver.texts.size(), 5u);
    for (const std::string& text : driver.texts) EXPECT_EQ(text, ValueNotNumberMessage);

    // Blanks around a number and a sign or exponent are accepted as atof reads them.
    AddVariant(QStringLiteral("  +3e1 "), QStringLiteral("thirty"));
    EXPECT_EQ(Rows(), std::vector<QString>{QStringLiteral("30.000000|thirty")});

    // OK with a non-number in the value field commits nothing either.
    name->setText(QStringLiteral("P"));
    value->setText(QStringLiteral("oops"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(task->inputCount, 0);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(driver.texts.back(), ValueNotNumberMessage);
    value->setText(QStringLiteral("1"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(task->inputCount, 1);
}

TEST_F(ParamDlgTest, CharactersOutsideWindows1251AreRefusedAndTheFieldKeepsItsText) {
    Open(ModeSetup);
    AddVariant(QStringLiteral("1"), QStringLiteral("x日y"));
    EXPECT_EQ(grid->GetRows(), 1);
    EXPECT_EQ(variant->text(), QStringLiteral("x日y"));
    ASSERT_EQ(driver.texts.size(), 1u);
    EXPECT_NE(driver.texts[0].find("Windows-1251"), std::string::npos) << driver.texts[0];
    EXPECT_NE(driver.texts[0].find("日"), std::string::npos) << "names the character";

    AddVariant(QStringLiteral("1"), QStringLiteral("ёж №1"));  // all in Windows-1251
    EXPECT_EQ(grid->GetRows(), 2);
    name->setText(QStringLiteral("emoji 😀"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(task->inputCount, 0);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("emoji 😀"));
    EXPECT_EQ(driver.texts.size(), 2u);
}

TEST_F(ParamDlgTest, PastedLineBreaksInNamesAreRefused) {
    // The task file keeps one name a line: a name with a line break could not be saved.
    Open(ModeSetup);
    AddVariant(QStringLiteral("1"), QStringLiteral("copied cell\n"));
    AddVariant(QStringLiteral("1"), QStringLiteral("a\rb"));
    EXPECT_EQ(grid->GetRows(), 1);
    EXPECT_EQ(variant->text(), QStringLiteral("a\rb"));
    ASSERT_EQ(driver.texts.size(), 2u);
    for (const std::string& text : driver.texts)
        EXPECT_NE(text.find("перевод строки"), std::string::npos) << text;

    AddVariant(QStringLiteral("1"), QStringLiteral("one"));
    name->setText(QStringLiteral("two\nlines"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(task->inputCount, 0);
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_EQ(driver.texts.size(), 3u);
    EXPECT_NE(driver.texts[2].find("Название параметра"), std::string::npos) << driver.texts[2];

    Open(ModeOutput);
    AddVariant(QStringLiteral("0"), QStringLiteral("out\n"));
    EXPECT_EQ(grid->GetRows(), 1);
    EXPECT_EQ(driver.texts.size(), 4u);
}

TEST_F(ParamDlgTest, SheetMessagesKeepTheEditorOpen) {
    Open(ModeSetup);
    AddVariant(QStringLiteral("1"), QString());
    AddVariant(QStringLiteral("0.5000001"), QStringLiteral("a"));
    AddVariant(QStringLiteral("0.5"), QStringLiteral("b"));
    QTest::mouseClick(ok, Qt::LeftButton);  // no name
    name->setText(QStringLiteral("P"));
    EXPECT_EQ(driver.texts, (std::vector<std::string>{"Не заполнено поле наименование варианта!",
                                                      "Такое значение уже есть!",
                                                      "Не заполнено поле название параметра!"}));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(task->inputCount, 0);
}

TEST_F(ParamDlgTest, DeletingTheMiddleRowMovesTheLastUp) {
    Open(ModeSetup);
    QTest::mouseClick(del, Qt::LeftButton);  // heading only: nothing happens
    EXPECT_EQ(grid->GetRows(), 1);
    AddVariant(QStringLiteral("1"), QStringLiteral("one"));
    AddVariant(QStringLiteral("2"), QStringLiteral("two"));
    AddVariant(QStringLiteral("3"), QStringLiteral("three"));
    SelectRow(2);
    QTest::mouseClick(del, Qt::LeftButton);
    EXPECT_EQ(Rows(), (std::vector<QString>{QStringLiteral("1.000000|one"),
                                            QStringLiteral("3.000000|three")}));
    name->setText(QStringLiteral("n"));
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(task->inputCount, 1);
    EXPECT_EQ(task->inputParams[0].variantCount, 2);
    EXPECT_EQ(task->inputParams[0].variantNames[1], "three");
}

class ParamDlgChangeTest : public ParamDlgTest {
  protected:
    void SetUp() override {
        AddParam(*task, {"Other", {{7, "seven"}}});
        AddParam(*task, {Cp("Размер"), {{2.5, Cp("большой")}, {1, "small"}}});
    }
};

TEST_F(ParamDlgChangeTest, ShowsTheParameterWithSixDecimals) {
    Open(ModeEditInput, 1);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Изменение входного параметра"));
    EXPECT_EQ(name->text(), QStringLiteral("Размер"));
    EXPECT_EQ(Rows(), (std::vector<QString>{QStringLiteral("2.500000|большой"),
                                            QStringLiteral("1.000000|small")}));
    AddVariant(QStringLiteral("4"), QStringLiteral("huge"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(task->inputParams[1].variantCount, 3);
    EXPECT_EQ(task->inputParams[1].variantValues[2], 4.0);
    EXPECT_EQ(task->inputParams[0].variantCount, 1) << "the other parameter is untouched";
}

TEST_F(ParamDlgChangeTest, CancelLeavesTheTaskAsItWas) {
    auto before = MakeTask();
    CopyTask(*task, *before);
    Open(ModeEditInput, 1);
    name->setText(QStringLiteral("Новое имя"));
    SelectRow(1);
    QTest::mouseClick(del, Qt::LeftButton);
    QTest::mouseClick(del, Qt::LeftButton);
    EXPECT_EQ(grid->GetRows(), 1);
    QTest::mouseClick(ok, Qt::LeftButton);  // refused: no variants
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Не указаны варианты параметра!"});
    EXPECT_TRUE(dlg->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST_F(ParamDlgTest, OutputRoleEditsTheWholeOutputList) {
    SetOutputs(*task, {"A", Cp("Бэ")});
    Open(ModeOutput);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Добавление выходного параметра"));
    EXPECT_EQ(grid->GetCols(), 1);
    EXPECT_EQ(grid->GetTextMatrix(0, 0), QStringLiteral("Наименование"));
    EXPECT_FALSE(name->isVisible());
    EXPECT_FALSE(nameLabel->isVisible());
    EXPECT_FALSE(value->isEnabled());
    EXPECT_EQ(Rows(), (std::vector<QString>{QStringLiteral("A"), QStringLiteral("Бэ")}));

    AddVariant(QStringLiteral("0"), QStringLiteral("A"));             // duplicate
    AddVariant(QStringLiteral("0"), QStringLiteral("Наименование"));  // the heading
    AddVariant(QStringLiteral("0"), QStringLiteral("a"));             // case differs: new
    EXPECT_EQ(driver.texts,
              (std::vector<std::string>{"Такое значение уже есть!", "Такое значение уже есть!"}));
    SelectRow(1);
    QTest::mouseClick(del, Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(task->outputCount, 2);
    EXPECT_EQ(task->outputNames[0], Cp("Бэ"));
    EXPECT_EQ(task->outputNames[1], "a");
}

TEST_F(ParamDlgTest, OutputRoleWithoutRowsStaysOpen) {
    Open(ModeOutput);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(driver.texts, std::vector<std::string>{"Не указаны выходные параметры!"});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(task->outputCount, 0);
}

TEST_F(ParamDlgTest, MinimiseAndRestoreKeepRowsAndFields) {
    Open(ModeSetup);
    name->setText(QStringLiteral("kept"));
    AddVariant(QStringLiteral("1"), QStringLiteral("a"));
    AddVariant(QStringLiteral("2"), QStringLiteral("b"));
    variant->setText(QStringLiteral("typing"));
    dlg->showMinimized();
    QTest::qWait(20);
    dlg->showNormal();
    dlg->hide();
    dlg->show();
    QTest::qWait(20);
    EXPECT_EQ(Rows(),
              (std::vector<QString>{QStringLiteral("1.000000|a"), QStringLiteral("2.000000|b")}));
    EXPECT_EQ(name->text(), QStringLiteral("kept"));
    EXPECT_EQ(variant->text(), QStringLiteral("typing"));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Добавление входного параметра"));
}

}  // namespace
