// Reading the task file's own sections line by line.
#pragma once

#include <string_view>

// The next line without its LF (and a CR before it); false when none is left.
inline bool NextLine(std::string_view& bytes, std::string_view& line) {
    if (bytes.empty()) return false;
    const std::size_t end = bytes.find('\n');
    line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}
