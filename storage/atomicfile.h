// Replaces a file's contents the way careful editors do.
//
// Normally the bytes go to a temporary file beside the target, which is
// created with mode 0600 and given the old file's owner, group and mode (a
// new file's: 0666 less the umask) before any byte is written, flushed to
// disk and renamed over the target. A failure at any point removes the
// temporary and leaves the old file as it was; a temporary left by a save
// that was killed is removed at the next save of the same target.
//
// Renaming would cut other hard links off the new contents and needs a
// writable folder, so the file is written in place instead when it has
// several names, when its folder may not be written but the file may, or when
// a new file could not take the old one's owner and group. Before the first
// byte goes into the file, its old bytes are copied to a recovery file
// (storage/recoverycopy.h), kept until the new bytes are on disk; and from
// then until the file is complete, truncated and flushed, the signals that
// end a program are held back (storage/signalhold.h).
//
// Every save holds an exclusive lock on the file it replaces for the whole
// write (storage/writelock.h), so two writers never mix their bytes: the
// second waits up to WriteLockWait, then fails as Busy.
#pragma once

#include <string>
#include <string_view>

#include "model/status.h"

// Ok when the whole of bytes is on disk under path. CannotWrite, with the old
// file unchanged, when the file is one the user may not write (also if the
// process could write it through a rename), when it is a folder, a pipe, a
// device or another non-regular file, when another writer holds it for longer
// than WriteLockWait, when no place takes the recovery copy of an in-place
// write, or when creating, writing or flushing fails. The message is the
// reason in words (storage/texts.h, e.g. DiskFullReason), the error the
// errno of the step that failed, where one did (0 for bytes refused before
// writing).
//
// A symbolic link is followed, so the file it names is written and the link
// stays; a link whose file does not exist yet has that file created.
//
// Written in place, the old contents are read into memory first. If writing
// the new ones fails, the old bytes are written back before the failure is
// returned; only if writing them back fails as well (the device failing
// under both writes) can the file be left holding neither, and then the
// recovery copy holds the old bytes.
Status ReplaceFileContents(const std::string& path, std::string_view bytes);

// Whether a file could be written at path now, without touching anything: it
// is a regular file that may be written, or it does not exist and its folder
// exists and may be written. For checking outputs before long work; a
// failure is told as ReplaceFileContents tells it.
Status CheckWritable(const std::string& path);

// Whether a write failed because another writer held the file for the whole wait.
bool HeldByAnotherWriter(const Status& status);

// The failure of a write whose bytes were refused before writing (a task
// that would not read back the same).
Status ContentRefused();

// The fixed beginning of the names of the temporary files made for a target
// named targetName (the name within its folder): ".zarn-", eight hex digits
// of a hash of the name and "-". Six letters or digits and ".tmp" follow, so
// every temporary name has 25 bytes, whatever the length of the target's.
std::string TemporaryNamePrefix(std::string_view targetName);
