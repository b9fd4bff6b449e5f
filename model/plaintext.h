// Small text helpers every layer shares: ASCII letter case and the «»
// quoting of names in messages.
#pragma once

#include <string>
#include <string_view>

// The text with A-Z turned into a-z; every other byte as it is.
std::string AsciiLower(std::string_view text);

// «text» for UTF-8 text.
std::string Quoted(std::string_view utf8);

// «text» for a name as the task holds it (Windows-1251), in UTF-8.
std::string QuotedTaskText(std::string_view bytes);
