#include "storage/atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "storage/recoverycopy.h"
#include "storage/signalhold.h"
#include "storage/targetpath.h"
#include "storage/texts.h"
#include "storage/writelock.h"

namespace {

constexpr std::string_view TemporarySuffix = ".tmp";
constexpr std::size_t RandomPartLength = 6;  // the XXXXXX of mkostemps

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (wrote == 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
        offset += wrote;
    }
    return true;
}

bool ReadAll(int fd, std::string& bytes) {
    char buffer[64 * 1024];
    off_t offset = 0;
    try {
        for (;;) {
            const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
            if (got == 0) return true;
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            bytes.append(buffer, static_cast<std::size_t>(got));
            offset += got;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The process's file-mode mask, without changing it (umask() cannot be read
// without setting it, which other threads could observe).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    if (::fsync(fd) != 0) errno = 0;  // the file itself is already on disk
    ::close(fd);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + RandomPartLength + TemporarySuffix.size() ||
        !name.starts_with(prefix) || !name.ends_with(TemporarySuffix))
        return false;
    for (char c : name.substr(prefix.size(), RandomPartLength))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// A save holds an exclusive lock on its temporary file for as long as the
// file exists under its name, so a temporary that can be locked was left by
// a save that no longer runs. Only regular files of this user with a single
// name and exactly our name pattern are touched.
void RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const std::string prefix = TemporaryNamePrefix(base);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, prefix)) continue;
        const std::string path = folder + entry->d_name;
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(path.c_str(), O_RDONLY | flags);
        if (fd < 0) fd = ::open(path.c_str(), O_WRONLY | flags);
        if (fd < 0) continue;
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
            held.st_nlink == 1 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(path.c_str(), &named) == 0 && SameFile(held, named))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// A new, empty file of mode 0600 beside the target, locked as in use;
// -1 with errno when none can be created.
int CreateTemporary(const std::string& folder, const std::string& base, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + TemporaryNamePrefix(base) + std::string(RandomPartLength, 'X') +
                   std::string(TemporarySuffix);
        const int fd =
            ::mkostemps(tempPath.data(), static_cast<int>(TemporarySuffix.size()), O_CLOEXEC);
        if (fd < 0) return -1;
        // Where locks are not supported, no cleaner can lock the file either.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            ::close(fd);  // a cleaner took it for stale and removes it
            continue;
        }
        // A cleaner may have removed the file between its creation and the lock.
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::lstat(tempPath.c_str(), &named) == 0 &&
            SameFile(held, named))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Why a file was not written.
enum class WriteProblem {
    None,
    Busy,            // another writer held the file for the whole wait
    NotAllowed,      // the file, or its folder for a new file, may not be written
    NotRegular,      // a folder, a pipe, a device, a loop of links
    NoFolder,        // the folder named for a new file does not exist
    NoRecoveryRoom,  // no place took the copy of the old bytes; nothing written
    WriteFailed,     // creating, writing or flushing failed (error says why)
};

struct WriteOutcome {
    WriteProblem problem = WriteProblem::None;
    int error = 0;  // the errno of the step that failed, where one did
    bool ok() const { return problem == WriteProblem::None; }
};

WriteOutcome Failure(WriteProblem problem, int error) {
    return {problem, error};
}

// A failure to create a file, by its errno.
WriteOutcome CreationFailure(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return Failure(WriteProblem::NotAllowed, error);
        case ENOENT:
        case ENOTDIR:
            return Failure(WriteProblem::NoFolder, error);
        default:
            return Failure(WriteProblem::WriteFailed, error);
    }
}

// A recovery copy of the file in place (old holds its bytes): the path of one
// already there, or of one written now (created says which); empty when no
// place takes it.
std::string KeepRecoveryCopy(const std::string& folder, const struct stat& file,
                             std::string_view old, bool& created) {
    created = false;
    const std::vector<std::string> places = RecoveryCopyPaths(folder, file);
    // A copy left by a save that did not finish holds the last bytes known
    // whole; the file itself may be the damaged one.
    for (const std::string& place : places) {
        struct stat info;
        if (::lstat(place.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid())
            return place;
    }
    for (const std::string& place : places) {
        if (place != places.front() && !MakeRecoveryFolder(place)) continue;
        const std::string copyFolder = FolderOf(place);
        const std::string copyName = place.substr(copyFolder.size());
        RemoveStaleTemporaries(copyFolder, copyName);
        std::string tempPath;
        const int fd = CreateTemporary(copyFolder, copyName, tempPath);  // mode 0600
        if (fd < 0) continue;
        if (WriteAllAt(fd, old, 0) && ::fsync(fd) == 0 &&
            ::rename(tempPath.c_str(), place.c_str()) == 0) {
            ::close(fd);
            SyncFolder(copyFolder);
            created = true;
            return place;
        }
        ::unlink(tempPath.c_str());
        ::close(fd);
    }
    return {};
}

// Writes over the file itself, keeping its inode and with it every name,
// the owner, the group and the mode.
WriteOutcome WriteInPlace(const std::string& folder, const std::string& target,
                          std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return CreationFailure(errno);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat info;
    std::string old;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return Failure(WriteProblem::NotRegular, errno);
    if (!ReadAll(fd, old)) return Failure(WriteProblem::WriteFailed, errno);
    // Room for the new bytes first, so a full disk fails before the old ones
    // are touched (where the file system can reserve room).
    if (bytes.size() > old.size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
        return Failure(WriteProblem::WriteFailed, errno);
    bool created = false;
    if (KeepRecoveryCopy(folder, info, old, created).empty())
        return Failure(WriteProblem::NoRecoveryRoom, errno);

    // From the first new byte until the file is whole again, a signal would
    // leave a mixture: it waits.
    SignalHold hold;
    if (WriteAllAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
        ::fsync(fd) == 0) {
        DropRecoveryCopies(folder, info);
        return {};
    }
    const int error = errno;
    if (WriteAllAt(fd, old, 0) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 &&
        ::fsync(fd) == 0 && created)
        DropRecoveryCopies(folder, info);
    return Failure(WriteProblem::WriteFailed, error);
}

WriteOutcome Replace(const std::string& path, std::string_view bytes) {
    std::string target;
    if (!ResolveTarget(path, target)) return Failure(WriteProblem::NotRegular, ELOOP);
    const std::string folder = FolderOf(target);
    const std::string base = target.substr(folder.size());
    if (base.empty() || base == "." || base == "..")
        return Failure(WriteProblem::NotRegular, EISDIR);

    WriteLock lock;  // held until the new bytes are under the name
    struct stat old;
    bool exists = false;
    switch (lock.Take(target, WriteLockWait, old)) {
        case WriteLockStatus::Locked:
            exists = true;
            break;
        case WriteLockStatus::Missing:
            break;
        case WriteLockStatus::Busy:
            return Failure(WriteProblem::Busy, EWOULDBLOCK);
        case WriteLockStatus::Failed:
            // Renaming over a device, a pipe or a folder would not write into it.
            return errno == EINVAL ? Failure(WriteProblem::NotRegular, errno)
                                   : CreationFailure(errno);
    }
    // Renaming over a write-protected file would get past its protection.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return Failure(WriteProblem::NotAllowed, errno);

    RemoveStaleTemporaries(folder, base);
    if (exists && old.st_nlink > 1) return WriteInPlace(folder, target, bytes);

    std::string tempPath;
    const int fd = CreateTemporary(folder, base, tempPath);
    if (fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM))
            return WriteInPlace(folder, target, bytes);
        return CreationFailure(error);
    }
    auto discard = [&] {
        const int error = errno;
        ::unlink(tempPath.c_str());
        ::close(fd);
        return Failure(WriteProblem::WriteFailed, error);
    };

    mode_t mode = 0666 & ~CurrentUmask();
    if (exists) {
        // Where the process may not give the new file the old owner and group,
        // a rename would change them: write in place instead.
        struct stat made;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
        if (::fstat(fd, &made) != 0 || made.st_uid != old.st_uid || made.st_gid != old.st_gid) {
            discard();
            return WriteInPlace(folder, target, bytes);
        }
        mode = old.st_mode & 07777;
    }
    // The final mode is set while the file is still empty, so its bytes are
    // never open to anyone the finished file would not admit.
    if (::fchmod(fd, mode) != 0 || !WriteAllAt(fd, bytes, 0) || ::fsync(fd) != 0 ||
        ::rename(tempPath.c_str(), target.c_str()) != 0)
        return discard();
    ::close(fd);  // after the rename: the lock keeps cleaners off until then
    SyncFolder(folder);
    // A copy left by an in-place save that did not finish is out of date now.
    if (exists) DropRecoveryCopies(folder, old);
    return {};
}

WriteOutcome Check(const std::string& path) {
    std::string target;
    if (!ResolveTarget(path, target)) return Failure(WriteProblem::NotRegular, ELOOP);
    struct stat info;
    if (::lstat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return Failure(WriteProblem::NotRegular, EINVAL);
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return Failure(WriteProblem::NotAllowed, errno);
        return {};
    }
    if (errno != ENOENT) return CreationFailure(errno);
    const std::string folder = FolderOf(target).empty() ? "." : FolderOf(target);
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Failure(WriteProblem::NoFolder, ENOENT);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return Failure(WriteProblem::NotAllowed, errno);
    return {};
}

std::string Describe(const WriteOutcome& outcome) {
    switch (outcome.problem) {
        case WriteProblem::None:
            return {};
        case WriteProblem::Busy:
            return BusyReason;
        case WriteProblem::NotAllowed:
            return NotAllowedReason;
        case WriteProblem::NotRegular:
            return NotRegularReason;
        case WriteProblem::NoFolder:
            return NoFolderReason;
        case WriteProblem::NoRecoveryRoom:
            return NoRecoveryRoomReason;
        case WriteProblem::WriteFailed:
            break;
    }
    switch (outcome.error) {
        case ENOSPC:
        case EDQUOT:
            return DiskFullReason;
        case EFBIG:
            return FileTooBigReason;
        case EROFS:
            return ReadOnlyDiskReason;
        case 0:  // nothing failed below: the bytes themselves were refused
            return ContentRefusedReason;
        default:
            return WriteErrorReason(outcome.error);
    }
}

Status ToStatus(const WriteOutcome& outcome) {
    if (outcome.ok()) return {};
    return Status::Fail(StatusKind::CannotWrite, Describe(outcome), outcome.error);
}

}  // namespace

std::string TemporaryNamePrefix(std::string_view targetName) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : targetName) hash = (hash ^ c) * 16777619u;
    static const char digits[] = "0123456789abcdef";
    std::string prefix = ".zarn-";
    for (int shift = 28; shift >= 0; shift -= 4) prefix += digits[(hash >> shift) & 0xF];
    return prefix + "-";
}

Status ReplaceFileContents(const std::string& path, std::string_view bytes) {
    return ToStatus(Replace(path, bytes));
}

Status CheckWritable(const std::string& path) {
    return ToStatus(Check(path));
}

bool HeldByAnotherWriter(const Status& status) {
    return status.kind == StatusKind::CannotWrite && status.error == EWOULDBLOCK;
}

Status ContentRefused() {
    return ToStatus(Failure(WriteProblem::WriteFailed, 0));
}
