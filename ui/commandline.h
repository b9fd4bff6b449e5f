// The desktop program's command line: zarn [FILE], --help, --version, and
// the automation server switches, which are read elsewhere (IsServerStart).
#pragma once

#include <QString>
#include <QStringList>

struct StartCommand {
    // Nothing to start: print `text` (stdout for code 0, stderr otherwise) and exit.
    bool exit = false;
    int exitCode = 0;
    QString text;
    // The task file to load once the main window shows (absolute), or empty.
    QString taskFile;
};

// Exit code of a command line that is not understood (EX_USAGE).
constexpr int StartUsageError = 64;

// Reads the arguments (program name first). Qt's own options must already be
// taken out, as QApplication does; before that, only --help and --version
// answers are final.
StartCommand ReadStartCommand(const QStringList& arguments);

// Whether the program could reach a window system: a display named in the
// environment (DISPLAY, WAYLAND_DISPLAY), a platform chosen (QT_QPA_PLATFORM)
// or a -platform option among the arguments. Without one, Qt cannot start,
// so a usage error is answered before it tries.
bool WindowSystemNamed(const QStringList& arguments);
