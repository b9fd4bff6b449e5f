#include "model/plaintext.h"

#include "model/cp1251.h"

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string Quoted(std::string_view utf8) {
    return "«" + std::string(utf8) + "»";
}

std::string QuotedTaskText(std::string_view bytes) {
    return Quoted(Cp1251ToUtf8(bytes));
}
