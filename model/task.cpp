#include "model/task.h"

// Example rows are value-initialised once so that no reader ever meets
// indeterminate memory, even in slots beyond the counts.
NetTask::NetTask() : examples(new Example[MaxExamples]()), inputParams(new InputParam[MaxInputs]) {}

NetTask::~NetTask() = default;

void NetTask::ResetExamples() {
    exampleCount = 0;
    accuracyPercent = 0.0;
}
