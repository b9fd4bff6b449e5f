// What a task needs before it can be saved, for every way of saving it.
#pragma once

#include "model/status.h"
#include "model/task.h"
#include "model/texts.h"

// Ok when the task has an input parameter and an output variant; otherwise
// refused with NotEnoughToSaveMessage.
[[nodiscard]] Status ReadyToSave(const NetTask& task);
