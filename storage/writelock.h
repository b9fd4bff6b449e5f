// One writer at a time per file. Every save takes an exclusive flock on the
// file it replaces: the lock belongs to the file itself, so every writer of
// it shares the lock, whatever name (hard link, symbolic link) it uses and
// whichever program it is. A save by renaming puts a new file under the
// name; a writer that waited for the old one then locks the new one.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <string>

// How long a save waits for another writer of the same file.
constexpr std::chrono::milliseconds WriteLockWait{5000};

enum class WriteLockStatus {
    Locked,   // the file is held (or locks are not supported where it lies)
    Missing,  // no file by that name: a new one is made, nothing to hold
    Busy,     // another writer held it for the whole wait
    Failed,   // the file could not be opened or examined (errno says why)
};

class WriteLock {
  public:
    WriteLock() = default;
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    // Locks the regular file at target (no links followed), waiting up to
    // wait; on Locked, info describes the file held.
    WriteLockStatus Take(const std::string& target, std::chrono::milliseconds wait,
                         struct stat& info);

  private:
    void Release();
    int m_fd = -1;
};
