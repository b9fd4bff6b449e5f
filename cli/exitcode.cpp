#include "cli/exitcode.h"

#include <iostream>

int Report(const Status& status) {
    if (!status.ok() && !status.message.empty()) std::cerr << status.message << "\n";
    return ExitCodeFor(status.kind);
}
