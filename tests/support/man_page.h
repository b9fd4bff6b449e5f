// Reading a manual page's roff source and a program's --help text for the
// options they name, so that tests can compare the two.
#pragma once

#include <map>
#include <set>
#include <string>

// The page's text without font escapes, with "\-" as "-".
std::string ManPlainText(const std::string& roff);

// The lines of section `name` (".SH NAME" up to the next ".SH"), plain.
std::string ManSection(const std::string& roff, const std::string& name);

// The ".TP" entries of a section by the first word of their tag line (the
// command name), entries with the same word joined.
std::map<std::string, std::string> ManEntries(const std::string& roff, const std::string& section);

// Options named in a text: words starting with "-" or "--" and a letter,
// standing on their own ("zarn-cli" or "-3" are none).
std::set<std::string> OptionsIn(const std::string& text);

// The options listed in the "Options:" block of a help text (lines that start
// with blanks and a dash: "  -h,--help ...", "  -v, --version ...").
std::set<std::string> HelpOptions(const std::string& help);

// The words listed under a heading such as "Subcommands:" in a help text.
std::set<std::string> HelpListed(const std::string& help, const std::string& heading);

// The whole file, or empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path);
