// zarn-cli as a whole, behind a header that does not pull in the command-line
// library: main() only calls it.
#pragma once

// Builds the parser with every command, runs the one the command line names
// and returns the process exit code (RunCommandLine in cli/usage.h).
int RunZarnCli(int argc, const char* const* argv);
