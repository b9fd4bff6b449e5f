// Subcommands of zarn-cli. Each registers itself on the parser and runs when chosen.
#pragma once

#include <CLI/CLI.hpp>

// Exit codes shared by the commands.
constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;     // settings or file contents refused
constexpr int ExitCannotOpen = 2;  // a file could not be opened or written

void AddTrainCommand(CLI::App& app, int& exitCode);
