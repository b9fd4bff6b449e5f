// Definition rules run from the setup panel: add, change and delete input
// parameters, edit and delete output variants. Operations that end by opening
// the parameter editor return that decision instead of opening a window.
#pragma once

#include <string>

#include "model/status.h"
#include "model/task.h"
#include "model/texts.h"
#include "model/userdialog.h"

// The texts these operations show (InputsLimitMessage, AddParamQuestion and
// the like) are in model/texts.h.

// Whether the parameter editor should open, and in which role. A refusal
// made before any question comes in status, for the UI to show.
struct EditorRequest {
    bool open = false;
    DialogMode role = ModeSetup;
    Status status;
};

// Yes without asking when there are no examples; otherwise asks, and on OK
// runs ResetExamples before answering yes.
bool ConfirmDiscardExamples(NetTask& task, UserDialog& user, const std::string& question);

// Sets dialogMode to ModeSetup; refuses a 13th parameter with
// InputsLimitMessage without asking.
EditorRequest AddInputParam(NetTask& task, DialogState& state, UserDialog& user);
// Sets dialogMode to ModeOutput.
EditorRequest EditOutputVariants(NetTask& task, DialogState& state, UserDialog& user);
// selectedIndex is the 0-based parameter (-1 when the table has no parameter row).
// Sets dialogMode to ModeEditInput and editIndex to selectedIndex; asks even
// for -1, but opens the editor only for an existing parameter.
EditorRequest ChangeInputParam(NetTask& task, DialogState& state, int selectedIndex,
                               UserDialog& user);
// Both deletes ask first (when examples exist); afterwards an index that names
// no parameter or output variant changes nothing. True when something was
// deleted: the UI then tells DeletedMessage.
bool DeleteInputParam(NetTask& task, int selectedIndex, UserDialog& user);
bool DeleteOutputVariant(NetTask& task, int selectedIndex, UserDialog& user);
