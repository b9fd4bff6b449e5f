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

// true when the whole of bytes is on disk under path. false, with the old
// file unchanged, when the file is one the user may not write (also if the
// process could write it through a rename), when it is a folder, a pipe, a
// device or another non-regular file, when another writer holds it for longer
// than WriteLockWait, when no place takes the recovery copy of an in-place
// write, or when creating, writing or flushing fails.
//
// A symbolic link is followed, so the file it names is written and the link
// stays; a link whose file does not exist yet has that file created.
//
// Written in place, the old contents are read into memory first. If writing
// the new ones fails, the old bytes are written back before false is
// returned; only if writing them back fails as well (the device failing
// under both writes) can the file be left holding neither, and then the
// recovery copy holds the old bytes.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

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

// The same, saying why it failed.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, WriteOutcome& outcome);

// Whether a file could be written at path now, without touching anything: it
// is a regular file that may be written, or it does not exist and its folder
// exists and may be written. For checking outputs before long work.
WriteOutcome CheckWritable(const std::string& path);

// The reason in words (UTF-8), e.g. DiskFullReason (storage/texts.h); empty for None.
std::string DescribeWriteProblem(const WriteOutcome& outcome);

// The fixed beginning of the names of the temporary files made for a target
// named targetName (the name within its folder): ".zarn-", eight hex digits
// of a hash of the name and "-". Six letters or digits and ".tmp" follow, so
// every temporary name has 25 bytes, whatever the length of the target's.
std::string TemporaryNamePrefix(std::string_view targetName);
