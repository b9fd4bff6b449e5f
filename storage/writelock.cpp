#include "storage/writelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace {

constexpr std::chrono::milliseconds PollInterval{20};

int OpenForLocking(const std::string& target) {
    // Only a descriptor is needed; a write-only file still opens for writing.
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const int fd = ::open(target.c_str(), O_RDONLY | flags);
    return fd >= 0 ? fd : ::open(target.c_str(), O_WRONLY | flags);
}

}  // namespace

WriteLock::~WriteLock() {
    Release();
}

void WriteLock::Release() {
    if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor drops the lock
    m_fd = -1;
}

WriteLockStatus WriteLock::Take(const std::string& target, std::chrono::milliseconds wait,
                                struct stat& info) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        m_fd = OpenForLocking(target);
        if (m_fd < 0) return errno == ENOENT ? WriteLockStatus::Missing : WriteLockStatus::Failed;
        if (::fstat(m_fd, &info) != 0) return WriteLockStatus::Failed;
        if (!S_ISREG(info.st_mode)) {
            Release();
            errno = EINVAL;
            return WriteLockStatus::Failed;
        }
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            // Where flock is not supported, no other writer can hold it either.
            if (errno != EWOULDBLOCK) return WriteLockStatus::Locked;
            if (std::chrono::steady_clock::now() >= deadline) {
                Release();
                return WriteLockStatus::Busy;
            }
            std::this_thread::sleep_for(PollInterval);
        }
        // The writer we waited for may have renamed a new file over this one.
        struct stat named;
        if (::lstat(target.c_str(), &named) == 0 && named.st_dev == info.st_dev &&
            named.st_ino == info.st_ino)
            return WriteLockStatus::Locked;
        Release();
        if (std::chrono::steady_clock::now() >= deadline) return WriteLockStatus::Busy;
    }
}
