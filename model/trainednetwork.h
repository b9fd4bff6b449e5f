// Whether the weights in the record are a network of the task as it is now.
#pragma once

#include "model/task.h"

// inputCount, hiddenCount, outputCount.
NetworkShape CurrentShape(const NetTask& task);

// Whether the shape fits the weight tables (1..12 inputs, 1..499 hidden, 1..500
// outputs); nothing is evaluated or trained otherwise.
bool ShapeFitsStorage(const NetworkShape& shape);

// A trained network (accuracyPercent > 0) whose trained shape is the current
// one: the network that the check may ask and that a save keeps.
bool HasUsableNetwork(const NetTask& task);

// The check is offered: examples exist and the network is usable.
bool CheckAvailable(const NetTask& task);
