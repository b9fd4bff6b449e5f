// The working copy of one definition while the parameter editor is open.
#pragma once

#include <string>
#include <vector>

#include "model/status.h"
#include "model/task.h"
#include "model/texts.h"

// The texts the sheet operations show (VariantNameEmptyMessage and the like)
// and NameHeading are in model/texts.h.

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

// The sheet the editor opens with for the role in dialogMode (editIndex from
// the dialog state). Any mode other than ModeSetup and ModeEditInput is the
// output role; an editIndex naming no parameter gives an empty sheet.
ParamSheet OpenSheet(const NetTask& task, int32_t dialogMode, int editIndex);

// Appends a row unless refused (then the sheet is unchanged and the status
// carries the message). The output role ignores value. Input roles expect the
// value field to have passed IsNumberText (model/numtext.h); the UI refuses it
// with ValueNotNumberMessage otherwise.
[[nodiscard]] Status SheetAddVariant(ParamSheet& sheet, double value, const std::string& name);

// Removes 0-based sheet row `row`; nothing happens when there are no rows or
// the row does not exist.
void SheetDeleteRow(ParamSheet& sheet, int row);

// Writes the sheet into the task; ok when the editor may close. When refused
// the editor stays open, the task is unchanged and the UI shows the message.
[[nodiscard]] Status CommitSheet(NetTask& task, const ParamSheet& sheet);
