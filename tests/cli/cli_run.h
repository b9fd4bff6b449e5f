// Runs the zarn-cli binary and collects what it printed and its exit code.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    int signal = 0;  // the signal that ended the program, if one did
    std::string out;
    std::string err;
};

// args follow the program name.
CliRun RunCli(const std::vector<std::string>& args);

// The same, sending SIGINT once the program has written to stderr.
CliRun RunCliInterrupted(const std::vector<std::string>& args);
