// Opening files for reading without ever blocking. Every reader of the
// program opens its files through here, so a named pipe, a socket or a
// device that would wait for input is refused instead of hanging the program.
#pragma once

#include <cstddef>
#include <string>

#include "model/status.h"

// A descriptor open for reading, or -1 when the path cannot be opened or
// names something that is not a file: a folder, a pipe, a socket or a block
// device. A character device is accepted but stays non-blocking, so a read
// that would wait (a terminal) fails at once instead.
int OpenFileForReading(const std::string& path);

// The whole file, at most maxBytes of it. CannotOpen (CannotOpenMessage, the
// errno) when OpenFileForReading refused it or a read failed (or would have
// had to wait); Refused, with error EFBIG and no message, for more than
// maxBytes: the caller names the limit in its own words. bytes is empty
// unless Ok.
Status ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);
