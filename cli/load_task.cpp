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
    std::string error;
    switch (ReadDataFile(path, table, error, options)) {
        case DataReadStatus::Read:
            return ExitOk;
        case DataReadStatus::CannotOpen:
            return ReportCannotOpen(path);
        case DataReadStatus::NotData:
            std::cerr << NotDataFileMessage(path) << "\n";
            return ExitRefused;
        case DataReadStatus::Refused:
            break;
    }
    std::cerr << path << ": " << error << "\n";
    return ExitRefused;
}
