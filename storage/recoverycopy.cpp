#include "storage/recoverycopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "storage/targetpath.h"

namespace {

std::string Hex(unsigned long long value) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value);
    return text;
}

bool SameContents(const std::string& a, const std::string& b) {
    const int fa = ::open(a.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const int fb = ::open(b.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    bool same = fa >= 0 && fb >= 0;
    char bufferA[16 * 1024], bufferB[16 * 1024];
    for (off_t offset = 0; same;) {
        const ssize_t gotA = ::pread(fa, bufferA, sizeof bufferA, offset);
        const ssize_t gotB = ::pread(fb, bufferB, sizeof bufferB, offset);
        same = gotA == gotB && gotA >= 0 &&
               std::memcmp(bufferA, bufferB, static_cast<std::size_t>(gotA)) == 0;
        if (gotA <= 0) break;
        offset += gotA;
    }
    if (fa >= 0) ::close(fa);
    if (fb >= 0) ::close(fb);
    return same;
}

// An absolute folder named by an environment variable, with its closing slash.
std::string FolderFromEnvironment(const char* name, const char* below = "") {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return {};
    return std::string(value) + below;
}

// The per-user folders that take copies a file's own folder would not; the
// temporary folder last, for a user whose home may not be written.
std::vector<std::string> PrivateFolders() {
    std::vector<std::string> folders;
    for (std::string folder :
         {FolderFromEnvironment("XDG_RUNTIME_DIR"), FolderFromEnvironment("XDG_CACHE_HOME"),
          FolderFromEnvironment("HOME", "/.cache")})
        if (!folder.empty()) folders.push_back(folder + "/zarn/");
    std::string temporary = FolderFromEnvironment("TMPDIR");
    if (temporary.empty()) temporary = "/tmp";
    folders.push_back(temporary + "/zarn-" + std::to_string(::geteuid()) + "/");
    return folders;
}

}  // namespace

std::vector<std::string> RecoveryCopyPaths(const std::string& folder, const struct stat& file) {
    const std::string inode = Hex(static_cast<unsigned long long>(file.st_ino));
    std::vector<std::string> paths{folder + ".zarn-previous-" + inode};
    for (const std::string& place : PrivateFolders())
        paths.push_back(place + "previous-" + Hex(static_cast<unsigned long long>(file.st_dev)) +
                        "-" + inode);
    return paths;
}

bool MakeRecoveryFolder(const std::string& copyPath) {
    // Both may exist already (~/.cache often does); mkdir then fails harmlessly.
    std::string folder = FolderOf(copyPath);
    if (folder.size() < 2) return false;
    folder.pop_back();
    ::mkdir(FolderOf(folder).c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    // In a shared folder (/tmp) someone else may have made it first.
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

void DropRecoveryCopies(const std::string& folder, const struct stat& file) {
    for (const std::string& path : RecoveryCopyPaths(folder, file)) ::unlink(path.c_str());
}

std::string FindRecoveryCopy(const std::string& path) {
    std::string target;
    struct stat file, copy;
    if (!ResolveTarget(path, target) || ::stat(target.c_str(), &file) != 0) return {};
    for (const std::string& candidate : RecoveryCopyPaths(FolderOf(target), file))
        if (::lstat(candidate.c_str(), &copy) == 0 && S_ISREG(copy.st_mode)) return candidate;
    return {};
}

std::string DifferingRecoveryCopy(const std::string& path) {
    const std::string copy = FindRecoveryCopy(path);
    return copy.empty() || SameContents(copy, path) ? std::string() : copy;
}
