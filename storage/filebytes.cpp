#include "storage/filebytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "storage/filebytesource.h"

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

}  // namespace

FileReadStatus ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    int fd;
    // Non-blocking, so a FIFO without a writer cannot hang the open.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return FileReadStatus::CannotOpen;
    FdCloser closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::CannotOpen;
    if (static_cast<unsigned long long>(info.st_size) > limit) return FileReadStatus::TooLarge;
    auto source = std::make_unique<FileByteSource>(fd);
    for (std::string_view run = source->Next(); !run.empty(); run = source->Next()) {
        if (bytes.size() + run.size() > limit) {
            bytes.clear();
            return FileReadStatus::TooLarge;
        }
        bytes.append(run);
    }
    if (source->Failed()) {
        bytes.clear();
        return FileReadStatus::CannotOpen;
    }
    return FileReadStatus::Read;
}
