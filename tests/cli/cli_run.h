// Runs the zarn-cli binary and collects what it printed and its exit code.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    int signal = 0;  // the signal that ended the program, if one did
    std::string out;
    std::string err;
};

// Starts zarn-cli with args, its stdout and stderr going to the files named;
// the process id, or -1.
pid_t StartCli(const std::vector<std::string>& args, const std::string& outPath,
               const std::string& errPath);

// Waits for a program StartCli started and collects what it printed.
CliRun WaitCli(pid_t pid, const std::string& outPath, const std::string& errPath);

// args follow the program name.
CliRun RunCli(const std::vector<std::string>& args);

// The same, sending SIGINT once the program has written to stderr.
CliRun RunCliInterrupted(const std::vector<std::string>& args);
