// The example set: append, delete, and the result of an example.
#pragma once

#include "model/status.h"
#include "model/task.h"
#include "model/texts.h"

// Appends an example; variantIndex holds one 0-based index per input parameter.
// Refuses (returns false, stores nothing) when the set is full or an index
// names no variant or output.
bool AddExample(NetTask& task, const int* variantIndex, int resultIndex);

// Removes example k and closes the gap; true when removed. An index that
// names no example is ignored (false).
bool DeleteExample(NetTask& task, int k);

// The output variant whose target is exactly 1.0, or -1 when none is (or k
// names no example).
int ExampleResult(const NetTask& task, int k);

// Whether another example fits; the UI refuses with ExamplesFullMessage otherwise.
bool CanAddExample(const NetTask& task);

// The add-example path's guard: refused with ExamplesFullMessage when 500
// examples are stored.
[[nodiscard]] Status RoomForExample(const NetTask& task);
