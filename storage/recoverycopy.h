// The copy of a file's old bytes kept while the file is written in place.
//
// It goes beside the file, as ".zarn-previous-" and the file's inode number
// in hex, or, where that folder may not be written, in "zarn" under the
// user's runtime folder ($XDG_RUNTIME_DIR) or cache folder ($XDG_CACHE_HOME,
// else ~/.cache), or else in "zarn-UID" in the temporary folder ($TMPDIR, else
// /tmp), as "previous-DEVICE-INODE". Named after the inode, it is
// found through every hard link of the file, and in-place writing keeps the
// inode. A copy exists under its name only once it is complete and on disk.
#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "storage/texts.h"  // RecoveryCopyMessage, said before the copy's path

// Where the recovery copy of the file described by file, which lies in
// folder ("" for the current one), may go, the first choice first. A copy is
// written by renaming a finished temporary to one of these names.
std::vector<std::string> RecoveryCopyPaths(const std::string& folder, const struct stat& file);

// Makes the private folder a copy path outside the file's folder lies in;
// false unless it is a folder of this user that no one else may enter.
bool MakeRecoveryFolder(const std::string& copyPath);

// Removes every recovery copy of the file (its new bytes are safe).
void DropRecoveryCopies(const std::string& folder, const struct stat& file);

// The recovery copy of the file a path names (links followed), or empty.
std::string FindRecoveryCopy(const std::string& path);

// The same, only when its bytes differ from the file's: then the file may be
// damaged (a copy equal to the file was left before any byte changed).
std::string DifferingRecoveryCopy(const std::string& path);
