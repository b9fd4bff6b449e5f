#include "model/savecheck.h"

Status ReadyToSave(const NetTask& task) {
    if (task.inputCount >= 1 && task.outputCount >= 1) return {};
    return Status::Refuse(NotEnoughToSaveMessage);
}
