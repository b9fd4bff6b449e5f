#include "cli/outputs.h"

#include <iostream>

#include "storage/atomicfile.h"

bool OutputsWritable(std::initializer_list<std::string_view> paths) {
    bool writable = true;
    for (const std::string_view path : paths) {
        if (path.empty()) continue;
        const WriteOutcome check = CheckWritable(std::string(path));
        if (check.ok()) continue;
        std::cerr << "Нельзя записать " << path << ": " << DescribeWriteProblem(check) << "\n";
        writable = false;
    }
    return writable;
}

bool WriteOutput(const std::string& path, std::string_view bytes) {
    WriteOutcome outcome;
    if (ReplaceFileContents(path, bytes, outcome)) return true;
    std::cerr << "Не удалось записать " << path << ": " << DescribeWriteProblem(outcome) << "\n";
    return false;
}
