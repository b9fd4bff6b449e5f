#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/outputs.h"
#include "storage/taskfile.h"

namespace {

struct CopyPaths {
    std::string in;
    std::string out;
};

int RunCopy(const CopyPaths& paths) {
    auto task = std::make_unique<NetTask>();
    const int code = LoadTaskForCommand(*task, paths.in);
    if (code != ExitOk) return code;
    if (const Status saved = SaveTaskFile(*task, paths.out); !saved.ok())
        return ReportWriteFailure(paths.out, saved);
    return ExitOk;
}

}  // namespace

void AddCopyCommand(CLI::App& app, int& exitCode) {
    auto paths = std::make_shared<CopyPaths>();
    CLI::App* copy =
        app.add_subcommand("copy", "Read a task file and write it again (LF line ends)");
    copy->add_option("IN", paths->in, "Task file to read")->required();
    copy->add_option("OUT", paths->out, "Task file to write")->required();
    copy->callback([paths, &exitCode] { exitCode = RunCopy(*paths); });
}
