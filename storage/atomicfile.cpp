#include "storage/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "model/numtext.h"

namespace {

// The file a path names, symbolic links resolved; the path itself when it
// names nothing yet.
std::string ResolveTarget(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

// Creates a new file beside the target; the name is unique by O_EXCL.
int CreateTemporary(const std::string& folder, const std::string& base, std::string& tempPath) {
    static std::atomic<unsigned> counter = 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + base + ".tmp" + FormatInt(::getpid()) + "-" +
                   FormatInt((now + ++counter) % 1000000007LL);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    if (::fsync(fd) != 0) errno = 0;  // the file itself is already on disk
    ::close(fd);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = target.substr(folder.size());
    if (base.empty() || base == "." || base == "..") return false;

    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Renaming over a device, a pipe or a folder would not write into it.
    if (exists && !S_ISREG(old.st_mode)) return false;

    std::string tempPath;
    const int fd = CreateTemporary(folder, base, tempPath);
    if (fd < 0) return false;
    if (exists) {
        // The new file takes the old one's permissions and, where allowed, owner.
        // Failing either only leaves the defaults of a new file.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
        if (::fchmod(fd, old.st_mode & 07777) != 0) errno = 0;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}
