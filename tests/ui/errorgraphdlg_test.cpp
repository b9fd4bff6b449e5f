// The error graph dialog on screen: caption, buttons, and the painted graph.
#include "ui/errorgraphdlg.h"

#include <gtest/gtest.h>

#include <QImage>
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
