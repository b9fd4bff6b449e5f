// One comparable string per Status, so a test checks its kind and message at once.
#pragma once

#include <string>

#include "model/status.h"

// "" when ok, the message of a refusal, and any other kind's number before
// its message (so it never equals a refusal's text).
inline std::string Refusal(const Status& status) {
    if (status.ok()) return "";
    if (status.kind == StatusKind::Refused) return status.message;
    return "kind " + std::to_string(static_cast<int>(status.kind)) + ": " + status.message;
}
