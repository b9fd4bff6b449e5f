#include "cli/load_task.h"

#include <iostream>

#include "cli/commands.h"
#include "cli/texts.h"
#include "storage/recoverycopy.h"
#include "storage/taskfile.h"

namespace {

void ReportRecoveryCopy(const LoadResult& loaded) {
    if (!loaded.recoveryCopy.empty())
        std::cerr << RecoveryCopyMessage << loaded.recoveryCopy << "\n";
}

}  // namespace

int ReportCannotOpen(const std::string& path) {
    std::cerr << CannotOpenFileMessage(path) << "\n";
    return ExitCannotOpen;
}

int LoadTaskForCommand(NetTask& task, const std::string& path) {
    const LoadResult loaded = LoadFromFile(task, path);
    if (loaded.status.kind == StatusKind::CannotOpen) return ReportCannotOpen(path);
    if (loaded.status.ok()) {
        if (loaded.network == NetworkLoad::Damaged) std::cerr << NetworkDamagedMessage << "\n";
        if (loaded.scales == ScaleLoad::Damaged) std::cerr << ScalesDamagedMessage << "\n";
    }
    const int code = Report(loaded.status);
    ReportRecoveryCopy(loaded);
    return code;
}

int ReadDataForCommand(const std::string& path, DataTable& table, const DataReadOptions& options) {
    Status read = ReadDataFile(path, table, options);
    // Each failure names the file, in the words of the other commands.
    if (read.kind == StatusKind::CannotOpen)
        read.message = CannotOpenFileMessage(path);
    else if (read.kind == StatusKind::NotData)
        read.message = NotDataFileMessage(path);
    else if (!read.ok())
        read.message = path + ": " + read.message;
    return Report(read);
}
