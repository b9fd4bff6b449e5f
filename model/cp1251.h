// Task strings are Windows-1251 bytes; the program's own texts and the
// terminal speak UTF-8. These convert at that boundary.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Every byte maps to a character; the one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// Empty result when the text holds a character that Windows-1251 cannot hold
// or is not valid UTF-8.
std::optional<std::string> Utf8ToCp1251(std::string_view text);
