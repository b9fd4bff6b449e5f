// A main dialog over its own task, shown offscreen, with helpers that drive
// the setup panel and the parameter editor through their widgets.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "model/task.h"
#include "tests/support/task_builder.h"
#include "tests/ui/modal_driver.h"
#include "ui/msflexgrid.h"
#include "ui/zarndlg.h"

// Readable failure output for screen texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the dialog by a fresh one over the same task.
    void Reopen();

    template <typename T>
    T* Find(const char* name) const {
        T* widget = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    CMSFlexGrid* Grid(const char* name) const { return Find<CMSFlexGrid>(name); }
    void Click(const char* button) const;
    // Clicks a body row of a grid (row in the grid's numbering).
    void SelectRow(const char* grid, int row) const;

    using Variants = std::vector<std::pair<double, QString>>;
    // Adds an input parameter through the add button and the editor; the
    // questions that come up are answered from `answers`.
    void DefineInput(const QString& name, const Variants& variants);
    // Replaces the output variants through the editor (existing rows deleted first).
    void DefineOutputs(const std::vector<QString>& names);

    // The grid's rows from `first` on, each row's cells joined by "|".
    static std::vector<QString> Rows(const CMSFlexGrid* grid, int first);

    std::unique_ptr<NetTask> task = MakeTask();
    DialogState state;
    ModalDriver driver;
    std::unique_ptr<CZarnDlg> dlg;
};
