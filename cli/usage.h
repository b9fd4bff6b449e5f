// The command line of zarn-cli as a whole: help texts, version and usage errors.
#pragma once

#include <CLI/CLI.hpp>

// Parses the command line, which runs the chosen subcommand, and returns the
// process exit code: exitCode as the subcommand left it; 0 after --help or
// --version; ExitUsage with a one-line hint on stderr when the command line
// is not understood. Every subcommand's help lists the exit codes.
int RunCommandLine(CLI::App& app, int argc, const char* const* argv, const int& exitCode);
