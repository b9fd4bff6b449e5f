// Runs the zarn-cli binary and collects what it printed and its exit code.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// args follow the program name.
CliRun RunCli(const std::vector<std::string>& args);
