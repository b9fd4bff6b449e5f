// The error graph dialog on screen: caption, buttons, and the painted graph.
#include "ui/errorgraphdlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/task_builder.h"

TEST(ErrorGraphDlg, PaintsTheGraphAndClosesWithEitherButton) {
    auto task = MakeTask();
    task->errorHistory.assign(5, 0.3);  // flat: the curve runs along y = 299
    task->errorCount = 5;
    task->errorMin = task->errorMax = 0.3;
    CErrorGraphDlg dlg(*task);
    EXPECT_EQ(dlg.windowTitle(), QString("График распространения ошибки"));
    dlg.show();
    QWidget* area = dlg.findChild<QWidget*>("errorGraphArea");
    ASSERT_NE(area, nullptr);
    EXPECT_GE(area->width(), 640);
    EXPECT_GE(area->height(), 330);

    const QImage image = area->grab().toImage();
    EXPECT_EQ(image.pixelColor(48, 299), QColor(0, 0, 255));   // curve
    EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::black));   // frame top
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::white));  // frame fill
    EXPECT_EQ(image.pixelColor(48, 200), QColor(Qt::white));   // nothing above the flat line

    QPushButton* ok = dlg.findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    dlg.show();
    QTest::mouseClick(dlg.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ErrorGraphDlg, AxisTitlesAndTheLogarithmicAxisCheckBox) {
    auto task = MakeTask();
    task->errorHistory = {1.0, 0.1, 0.01, 0.001};
    task->errorCount = 4;
    task->errorMin = 0.001;
    task->errorMax = 1.0;
    CErrorGraphDlg dlg(*task);
    dlg.show();
    EXPECT_EQ(dlg.findChild<QLabel*>("passAxisTitle")->text(), QStringLiteral("проход"));
    EXPECT_EQ(dlg.findChild<QLabel*>("errorAxisTitle")->text(), QStringLiteral("ошибка"));
    auto* check = dlg.findChild<QCheckBox*>("logAxisCheck");
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked());  // the linear graph by default
    QWidget* area = dlg.findChild<QWidget*>("errorGraphArea");

    // The second point (0.1): near the bottom on the linear axis, two thirds
    // of the way up on the logarithmic one.
    const QImage linear = area->grab().toImage();
    EXPECT_EQ(linear.pixelColor(47, 271), QColor(0, 0, 255));
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    ASSERT_TRUE(check->isChecked());
    const QImage log = area->grab().toImage();
    EXPECT_EQ(log.pixelColor(47, 106), QColor(0, 0, 255));
    EXPECT_NE(log.pixelColor(47, 271), QColor(0, 0, 255));

    check->click();
    EXPECT_EQ(area->grab().toImage(), linear);  // back to the same drawing
}
