#include "storage/readablefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/texts.h"

int OpenFileForReading(const std::string& path) {
    int fd;
    do {
        // O_NONBLOCK: opening a pipe with no writer, or a device, must not wait.
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat info;
    const bool file = ::fstat(fd, &info) == 0 && (S_ISREG(info.st_mode) || S_ISCHR(info.st_mode));
    // Regular files never block; some network file systems misread the flag.
    if (file && S_ISREG(info.st_mode)) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    if (!file) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

Status ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const int fd = OpenFileForReading(path);
    if (fd < 0) return Status::Fail(StatusKind::CannotOpen, CannotOpenMessage, errno);
    Status status;
    // Room for the whole file at once: growing by doubling would hold two copies.
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) <= maxBytes)
        bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            status = Status::Fail(StatusKind::CannotOpen, CannotOpenMessage, errno);
            break;
        }
        if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) {
            status = Status::Fail(StatusKind::Refused, {}, EFBIG);
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!status.ok()) bytes.clear();
    return status;
}
