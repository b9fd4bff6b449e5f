#include "storage/taskfile.h"

#include <unistd.h>

#include <cerrno>
#include <memory>

#include "model/taskdraft.h"
#include "storage/atomicfile.h"
#include "storage/bytesource.h"
#include "storage/fieldreader.h"
#include "storage/filebytesource.h"
#include "storage/readablefile.h"
#include "storage/recoverycopy.h"
#include "storage/taskreader.h"
#include "storage/taskwriter.h"

namespace {

LoadResult Load(NetTask& task, ByteSource& source) {
    FieldReader reader(source);
    TaskDraft staged;
    LoadResult result;
    result.status = ReadTaskFile(reader, staged);
    if (!result.status.ok()) return result;
    ApplyTaskDraft(staged, task);
    // Other bytes after the task are not ours and stay unread, as always.
    if (reader.PeekByte() != '#') return result;
    std::string rest;
    if (!reader.Rest(rest, MaxNetworkSectionBytes + MaxScaleSectionBytes)) {
        result.network = NetworkLoad::Damaged;
        return result;
    }
    // The scale section follows the network section, or stands alone.
    const std::size_t scaleAt = FindScaleSection(rest);
    const std::string_view network = std::string_view(rest).substr(0, scaleAt);
    result.network =
        network.size() > MaxNetworkSectionBytes
            ? NetworkLoad::Damaged
            : ParseNetworkSection(
                  network, {staged.inputCount, staged.hiddenCount, staged.outputCount}, task);
    if (scaleAt != std::string::npos)
        result.scales = ParseScaleSection(std::string_view(rest).substr(scaleAt), task);
    return result;
}

// Closes the descriptor on every path out of LoadFromFile.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

}  // namespace

int SaveToFile(const NetTask& task, const std::string& path) {
    return SaveTaskFile(task, path).ok() ? 1 : -1;
}

Status SaveTaskFile(const NetTask& task, const std::string& path) {
    const std::optional<std::string> bytes = FormatTaskFile(task);
    if (!bytes) return ContentRefused();
    return ReplaceFileContents(path, *bytes);
}

LoadResult LoadFromFile(NetTask& task, const std::string& path) {
    const int fd = OpenFileForReading(path);
    if (fd < 0) return {Status::Fail(StatusKind::CannotOpen, CannotOpenMessage, errno)};
    FdCloser closer{fd};
    auto source = std::make_unique<FileByteSource>(fd);
    LoadResult result = Load(task, *source);
    // Even a file that loads may be a mixture: a short one reads as a task
    // with empty names.
    result.recoveryCopy = DifferingRecoveryCopy(path);
    return result;
}

LoadResult LoadFromBytes(NetTask& task, std::string_view bytes) {
    MemoryByteSource source(bytes);
    return Load(task, source);
}
