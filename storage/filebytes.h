// Reads a whole regular file into memory, for the data file readers.
#pragma once

#include <cstddef>
#include <string>

enum class FileReadStatus {
    Read,
    CannotOpen,  // missing, unreadable, a folder or not a regular file, or a read failed
    TooLarge,    // more than the limit; nothing is kept
};

FileReadStatus ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes);
