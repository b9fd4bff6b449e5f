// zarn-cli: trains and inspects task files from a terminal.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/usage.h"
#include "zarnversion.h"

int main(int argc, char** argv) {
    CLI::App app{"zarn-cli: train and inspect Zarn task files"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "zarn-cli " ZARN_VERSION);
    int exitCode = ExitOk;
    AddTrainCommand(app, exitCode);
    AddShowCommand(app, exitCode);
    AddCopyCommand(app, exitCode);
    AddImportCommand(app, exitCode);
    AddExportCommand(app, exitCode);
    AddEvaluateCommand(app, exitCode);
    AddTuneCommand(app, exitCode);
    AddCheckCommand(app, exitCode);
    AddAskCommand(app, exitCode);
    AddPredictCommand(app, exitCode);
    return RunCommandLine(app, argc, argv, exitCode);
}
