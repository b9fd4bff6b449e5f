// What a task needs before it can be saved, for every way of saving it.
#pragma once

#include "model/task.h"
#include "model/texts.h"
#include "model/userdialog.h"

// True when the task has an input parameter and an output variant; otherwise
// tells NotEnoughToSaveMessage and answers false.
bool ReadyToSave(const NetTask& task, UserDialog& user);
