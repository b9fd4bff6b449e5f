#include "cli/load_task.h"

#include <iostream>

#include "cli/commands.h"
#include "storage/taskfile.h"

int ReportCannotOpen(const std::string& path) {
    std::cerr << "Файл не открылся: " << path << "\n";
    return ExitCannotOpen;
}

int LoadTaskForCommand(NetTask& task, const std::string& path) {
    const LoadResult loaded = LoadFromFile(task, path);
    switch (loaded.status) {
        case LoadStatus::Loaded:
            if (loaded.network == NetworkLoad::Damaged) std::cerr << NetworkDamagedMessage << "\n";
            if (loaded.scales == ScaleLoad::Damaged) std::cerr << ScalesDamagedMessage << "\n";
            return ExitOk;
        case LoadStatus::CannotOpen:
            return ReportCannotOpen(path);
        case LoadStatus::Refused:
            break;
    }
    std::cerr << loaded.message << "\n";
    return ExitRefused;
}
