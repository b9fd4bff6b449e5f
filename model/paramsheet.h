// The working copy of one definition while the parameter editor is open.
#pragma once

#include <string>
#include <vector>

#include "model/task.h"
#include "model/userdialog.h"

// Texts shown by the sheet operations (UTF-8).
extern const char* const VariantNameEmptyMessage;  // add with an empty variant name
extern const char* const DuplicateValueMessage;    // add of a duplicate
extern const char* const ParamNameEmptyMessage;    // commit of an input role without a name
extern const char* const NoVariantsMessage;        // commit of an input role without rows
extern const char* const NoOutputsMessage;         // commit of the output role without rows
// Refusals of ours: full sheets, values the network cannot take.
extern const char* const VariantsFullMessage;    // a 501st variant of an input parameter
extern const char* const OutputsFullMessage;     // a 501st output variant
extern const char* const ValueNotFiniteMessage;  // a value that reads as NaN or infinity
extern const char* const ValueNotNumberMessage;  // value field text that is not a number
// Heading of the name column; in the output role it counts as an existing name.
extern const char* const NameHeading;

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

// Appends a row unless refused with a message; true when appended. The output
// role ignores value. Input roles expect the value field to have passed
// IsNumberText (model/numtext.h); the UI refuses it with ValueNotNumberMessage
// otherwise.
bool SheetAddVariant(ParamSheet& sheet, double value, const std::string& name, UserDialog& user);

// Removes 0-based sheet row `row`; nothing happens when there are no rows or
// the row does not exist.
void SheetDeleteRow(ParamSheet& sheet, int row);

// Writes the sheet into the task; true when the editor may close, false after
// a message (the editor stays open and the task is unchanged).
bool CommitSheet(NetTask& task, const ParamSheet& sheet, UserDialog& user);
