// UTF-8 sequences one at a time: the reading and writing every text
// conversion of the program shares.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Decodes the sequence at text[i] into c and moves i past it; false (i kept)
// when there is no valid one there: overlong forms and surrogates included.
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& c);

// Whether the bytes are valid UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Appends the code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
