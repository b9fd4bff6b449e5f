#include "cli/usage.h"

#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/run.h"
#include "zarnversion.h"

namespace {

const char* const ExitCodesText =
    "Exit codes:\n"
    "  0   done\n"
    "  1   refused: settings or file contents\n"
    "  2   a file could not be opened or written\n"
    "  64  the command line was not understood";

// The command whose options were being read when the error came: the deepest
// subcommand chosen so far, for the hint.
std::string CommandPath(const CLI::App& app) {
    std::string path = app.get_name();
    const CLI::App* current = &app;
    for (;;) {
        const auto chosen = current->get_subcommands();
        if (chosen.empty()) return path;
        current = chosen.front();
        path += ' ' + current->get_name();
    }
}

// CLI11's messages may span lines; the hint is one.
std::string OneLine(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

}  // namespace

int RunCommandLine(CLI::App& app, int argc, const char* const* argv, const int& exitCode) {
    app.footer(ExitCodesText);
    for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
        sub->footer(ExitCodesText);
    if (app.get_name().empty()) app.name("zarn-cli");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version arrive as "errors" with a success code.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        const std::string command = CommandPath(app);
        std::string message = OneLine(e.what());
        // A mistyped command reads better than "a subcommand is required".
        if (command == app.get_name() && argc > 1 && argv[1][0] != '-')
            message = std::string("unknown command '") + argv[1] + "'";
        std::cerr << command << ": " << message << " (see '" << command << " --help')\n";
        return ExitUsage;
    }
    return exitCode;
}

int RunZarnCli(int argc, const char* const* argv) {
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
