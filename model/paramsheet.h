// The working copy of one definition while the parameter editor is open.
#pragma once

#include <string>
#include <vector>

#include "model/task.h"
#include "model/userdialog.h"

struct SheetRow {
    std::string valueText;  // the value written with "%lf" (input roles only)
    std::string name;       // Windows-1251 bytes
};

struct ParamSheet {
    DialogMode role = ModeSetup;  // ModeSetup, ModeEditInput or ModeOutput
    int editIndex = -1;           // parameter being changed (ModeEditInput)
    std::string name;             // parameter name (input roles)
    std::vector<SheetRow> rows;
};

// The sheet the editor opens with for the role (editIndex from the dialog state).
ParamSheet OpenSheet(const NetTask& task, DialogMode role, int editIndex);

// Appends a row unless refused with a message; true when appended. The output
// role ignores value.
bool SheetAddVariant(ParamSheet& sheet, double value, const std::string& name, UserDialog& user);

// Removes 0-based sheet row `row`; nothing happens when there are no rows or
// the row does not exist.
void SheetDeleteRow(ParamSheet& sheet, int row);

// Writes the sheet into the task; true when the editor may close, false after
// a message (the editor stays open).
bool CommitSheet(NetTask& task, const ParamSheet& sheet, UserDialog& user);
