// Checking a Status in tests: a failure shows its kind and message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/status.h"

// "kind N: message", for what a failed check prints.
inline std::string KindAndMessage(const Status& status) {
    return "kind " + std::to_string(static_cast<int>(status.kind)) + ": " + status.message;
}

inline testing::AssertionResult IsOk(const Status& status) {
    if (status.ok()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << KindAndMessage(status);
}

// One comparable string per Status, so a test checks its kind and message at
// once: "" when ok, the message of a refusal, and KindAndMessage for any other
// kind (so it never equals a refusal's text).
inline std::string Refusal(const Status& status) {
    if (status.ok()) return "";
    if (status.kind == StatusKind::Refused) return status.message;
    return KindAndMessage(status);
}
