// zarn-cli's exit codes, and the one place where what came of the core's work
// becomes one of them.
#pragma once

#include "model/status.h"

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;        // settings or file contents refused
constexpr int ExitCannotOpen = 2;     // a file could not be opened or written
constexpr int ExitUsage = 64;         // the command line was not understood (EX_USAGE)
constexpr int ExitInterrupted = 130;  // stopped by Ctrl+C (outputs still written)

constexpr int ExitCodeFor(StatusKind kind) {
    switch (kind) {
        case StatusKind::Ok:
            return ExitOk;
        case StatusKind::Refused:
        case StatusKind::NotData:
            return ExitRefused;
        case StatusKind::CannotOpen:
        case StatusKind::CannotWrite:
            return ExitCannotOpen;
        case StatusKind::Stopped:
            return ExitInterrupted;
    }
    return ExitRefused;
}

// Prints a failure's message on stderr (nothing for Ok) and answers its exit code.
int Report(const Status& status);
