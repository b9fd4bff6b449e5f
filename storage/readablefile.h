// Opening files for reading without ever blocking. Every reader of the
// program opens its files through here, so a named pipe, a socket or a
// device that would wait for input is refused instead of hanging the program.
#pragma once

#include <cstddef>
#include <string>

// A descriptor open for reading, or -1 when the path cannot be opened or
// names something that is not a file: a folder, a pipe, a socket or a block
// device. A character device is accepted but stays non-blocking, so a read
// that would wait (a terminal) fails at once instead.
int OpenFileForReading(const std::string& path);

enum class ReadFileStatus {
    Read,
    CannotOpen,  // OpenFileForReading refused it
    TooLarge,    // more than the given number of bytes
    ReadFailed,  // a read failed (or would have had to wait)
};

// The whole file, at most maxBytes of it.
ReadFileStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);
