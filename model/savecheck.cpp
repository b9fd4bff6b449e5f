#include "model/savecheck.h"

bool ReadyToSave(const NetTask& task, UserDialog& user) {
    if (task.inputCount >= 1 && task.outputCount >= 1) return true;
    user.Tell(NotEnoughToSaveMessage);
    return false;
}
