#include "model/savecheck.h"

const char* const NotEnoughToSaveMessage = "Не достаточно информации для сохранения";

bool ReadyToSave(const NetTask& task, UserDialog& user) {
    if (task.inputCount >= 1 && task.outputCount >= 1) return true;
    user.Tell(NotEnoughToSaveMessage);
    return false;
}
