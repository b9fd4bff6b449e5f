#include "model/definition.h"

bool ConfirmDiscardExamples(NetTask& task, UserDialog& user, const std::string& question) {
    if (task.exampleCount <= 0) return true;
    if (!user.Ask(question)) return false;
    // Examples refer to variants by index, so they cannot outlive the definition.
    task.ResetExamples();
    return true;
}

EditorRequest AddInputParam(NetTask& task, DialogState& state, UserDialog& user) {
    state.dialogMode = ModeSetup;
    if (task.inputCount >= MaxInputs) return {false, ModeSetup, Status::Refuse(InputsLimitMessage)};
    if (!ConfirmDiscardExamples(task, user, AddParamQuestion)) return {};
    return {true, ModeSetup, {}};
}

EditorRequest EditOutputVariants(NetTask& task, DialogState& state, UserDialog& user) {
    state.dialogMode = ModeOutput;
    if (!ConfirmDiscardExamples(task, user, ChangeParamQuestion)) return {};
    return {true, ModeOutput, {}};
}

EditorRequest ChangeInputParam(NetTask& task, DialogState& state, int selectedIndex,
                               UserDialog& user) {
    state.dialogMode = ModeEditInput;
    state.editIndex = selectedIndex;
    if (!ConfirmDiscardExamples(task, user, ChangeParamQuestion)) return {};
    if (selectedIndex < 0 || selectedIndex >= task.inputCount) return {};
    return {true, ModeEditInput, {}};
}

bool DeleteInputParam(NetTask& task, int selectedIndex, UserDialog& user) {
    if (!ConfirmDiscardExamples(task, user, DeleteParamQuestion)) return false;
    if (selectedIndex < 0 || selectedIndex >= task.inputCount) return false;
    // Copies, not moves: the freed last slot keeps its old contents.
    for (int k = selectedIndex; k < task.inputCount - 1; ++k) {
        task.inputNames[k] = task.inputNames[k + 1];
        task.inputParams[k] = task.inputParams[k + 1];
    }
    --task.inputCount;
    return true;
}

bool DeleteOutputVariant(NetTask& task, int selectedIndex, UserDialog& user) {
    if (!ConfirmDiscardExamples(task, user, ChangeParamQuestion)) return false;
    if (selectedIndex < 0 || selectedIndex >= task.outputCount) return false;
    for (int k = selectedIndex; k < task.outputCount - 1; ++k)
        task.outputNames[k] = task.outputNames[k + 1];
    --task.outputCount;
    return true;
}
