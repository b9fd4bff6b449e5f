// What came of an operation that can fail, the same way in every layer: a
// kind, the message for the user (UTF-8) and, where a system call failed, its
// errno. The desktop program shows the message; zarn-cli prints it and turns
// the kind into its exit code (cli/exitcode.h).
#pragma once

#include <string>
#include <utility>

enum class StatusKind {
    Ok,
    Refused,      // settings, input or a file's contents refused
    CannotOpen,   // a file could not be opened or read
    CannotWrite,  // a file could not be written; the old one is intact
    NotData,      // the file is not of the kind asked for; nothing was read
    Stopped,      // the user stopped the work; nothing changed
};

struct Status {
    StatusKind kind = StatusKind::Ok;
    std::string message;
    int error = 0;

    bool ok() const { return kind == StatusKind::Ok; }

    static Status Fail(StatusKind kind, std::string message, int error = 0) {
        return {kind, std::move(message), error};
    }
    static Status Refuse(std::string message) {
        return Fail(StatusKind::Refused, std::move(message));
    }
};
