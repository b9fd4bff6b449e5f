// A failed check of a Status shows its kind and message.
#pragma once

#include <gtest/gtest.h>

#include "model/status.h"

inline testing::AssertionResult IsOk(const Status& status) {
    if (status.ok()) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "kind " << static_cast<int>(status.kind) << ": " << status.message;
}
