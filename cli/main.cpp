// zarn-cli: trains and inspects task files from a terminal.
#include <CLI/CLI.hpp>

#include "cli/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"zarn-cli: train and inspect Zarn task files"};
    app.require_subcommand(1);
    int exitCode = ExitOk;
    AddTrainCommand(app, exitCode);
    AddShowCommand(app, exitCode);
    AddCopyCommand(app, exitCode);
    AddAskCommand(app, exitCode);
    CLI11_PARSE(app, argc, argv);
    return exitCode;
}
