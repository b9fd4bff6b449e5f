// Definition rules run from the setup panel: add, change and delete input
// parameters, edit and delete output variants. Operations that end by opening
// the parameter editor return that decision instead of opening a window.
#pragma once

#include <string>

#include "model/task.h"
#include "model/texts.h"
#include "model/userdialog.h"

// The texts these operations show (InputsLimitMessage, AddParamQuestion and
// the like) are in model/texts.h.

// Whether the parameter editor should open, and in which role.
struct EditorRequest {
    bool open = false;
    DialogMode role = ModeSetup;
};

// Yes without asking when there are no examples; otherwise asks, and on OK
// runs ResetExamples before answering yes.
bool ConfirmDiscardExamples(NetTask& task, UserDialog& user, const std::string& question);

// Sets dialogMode to ModeSetup; refuses a 13th parameter without asking.
EditorRequest AddInputParam(NetTask& task, DialogState& state, UserDialog& user);
// Sets dialogMode to ModeOutput.
EditorRequest EditOutputVariants(NetTask& task, DialogState& state, UserDialog& user);
// selectedIndex is the 0-based parameter (-1 when the table has no parameter row).
// Sets dialogMode to ModeEditInput and editIndex to selectedIndex; asks even
// for -1, but opens the editor only for an existing parameter.
EditorRequest ChangeInputParam(NetTask& task, DialogState& state, int selectedIndex,
                               UserDialog& user);
// Both deletes ask first (when examples exist); afterwards an index that names
// no parameter or output variant changes nothing and shows nothing.
void DeleteInputParam(NetTask& task, int selectedIndex, UserDialog& user);
void DeleteOutputVariant(NetTask& task, int selectedIndex, UserDialog& user);
