#include "cli/outputs.h"

#include <sys/stat.h>

#include <iostream>
#include <vector>

#include "cli/exitcode.h"
#include "cli/texts.h"
#include "storage/atomicfile.h"

bool OutputsWritable(std::initializer_list<std::string_view> paths) {
    bool writable = true;
    for (const std::string_view path : paths) {
        if (path.empty()) continue;
        const Status check = CheckWritable(std::string(path));
        if (check.ok()) continue;
        std::cerr << CannotWriteMessage(std::string(path), check.message) << "\n";
        writable = false;
    }
    return writable;
}

namespace {

bool SameFile(std::string_view a, std::string_view b) {
    struct stat infoA, infoB;
    if (::stat(std::string(a).c_str(), &infoA) == 0 && ::stat(std::string(b).c_str(), &infoB) == 0)
        return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    return a == b;  // neither exists yet, or one does not
}

}  // namespace

bool OutputsApart(std::initializer_list<std::string_view> inputs,
                  std::initializer_list<std::string_view> outputs) {
    bool apart = true;
    std::vector<std::string_view> taken(inputs);
    for (const std::string_view output : outputs) {
        if (output.empty()) continue;
        for (const std::string_view other : taken) {
            if (other.empty() || !SameFile(output, other)) continue;
            std::cerr << SameFileMessage(std::string(output), std::string(other)) << "\n";
            apart = false;
            break;
        }
        taken.push_back(output);
    }
    return apart;
}

bool WriteOutput(const std::string& path, std::string_view bytes) {
    const Status written = ReplaceFileContents(path, bytes);
    if (written.ok()) return true;
    ReportWriteFailure(path, written);
    return false;
}

int ReportWriteFailure(const std::string& path, const Status& status) {
    std::cerr << WriteFailedMessage(path, status.message) << "\n";
    return ExitCodeFor(status.kind);
}
