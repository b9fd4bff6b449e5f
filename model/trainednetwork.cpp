#include "model/trainednetwork.h"

NetworkShape CurrentShape(const NetTask& task) {
    return {task.inputCount, task.hiddenCount, task.outputCount};
}

bool ShapeFitsStorage(const NetworkShape& shape) {
    return shape.inputs >= 1 && shape.inputs <= MaxInputs && shape.hidden >= 1 &&
           shape.hidden <= MaxHidden && shape.outputs >= 1 && shape.outputs <= MaxOutputs;
}

bool HasUsableNetwork(const NetTask& task) {
    return task.accuracyPercent > 0.0 && task.trainedShape == CurrentShape(task) &&
           ShapeFitsStorage(task.trainedShape);
}

bool CheckAvailable(const NetTask& task) {
    return task.exampleCount > 0 && HasUsableNetwork(task);
}
