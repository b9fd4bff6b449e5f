#include "tests/support/man_page.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool StartsWith(const std::string& line, const std::string& prefix) {
    return line.rfind(prefix, 0) == 0;
}

// The heading word of a ".SH" line, without quotes.
std::string SectionName(const std::string& line) {
    return Replace(line.substr(4), "\"", "");
}

}  // namespace

std::string ManPlainText(const std::string& roff) {
    static const std::regex font(R"(\\f[BIRP])");
    return Replace(std::regex_replace(roff, font, ""), "\\-", "-");
}

std::string ManSection(const std::string& roff, const std::string& name) {
    std::istringstream lines(roff);
    std::string text;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (StartsWith(line, ".SH ")) {
            inside = SectionName(line) == name;
            continue;
        }
        if (inside) text += line + '\n';
    }
    return ManPlainText(text);
}

std::map<std::string, std::string> ManEntries(const std::string& roff, const std::string& section) {
    std::istringstream lines(ManSection(roff, section));
    std::map<std::string, std::string> entries;
    std::string* current = nullptr;
    bool tagNext = false;
    for (std::string line; std::getline(lines, line);) {
        if (StartsWith(line, ".TP")) {
            tagNext = true;
            continue;
        }
        if (tagNext) {
            tagNext = false;
            // ".BI "train " TASKFILE ...": the first word after the macro.
            std::istringstream words(Replace(line, "\"", " "));
            std::string macro, word;
            words >> macro >> word;
            current = &entries[word];
        }
        if (current) *current += line + '\n';
    }
    return entries;
}

std::set<std::string> OptionsIn(const std::string& text) {
    static const std::regex option(R"((^|[^A-Za-z0-9_-])(--?[A-Za-z][A-Za-z0-9-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[2].str());
    return found;
}

std::set<std::string> HelpOptions(const std::string& help) {
    std::istringstream lines(help);
    std::set<std::string> found;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (StartsWith(line, "Options:")) {
            inside = true;
            continue;
        }
        if (!inside) continue;
        const std::size_t first = line.find_first_not_of(' ');
        if (first == 0 || first == std::string::npos) {
            inside = false;  // the block ends at an empty or unindented line
            continue;
        }
        if (line[first] != '-') continue;  // a wrapped description
        // The option names run up to the first blank after them ("-h,--help",
        // "-v, --version").
        std::string names;
        for (std::size_t i = first; i < line.size(); ++i) {
            if (line[i] == ' ' && !(i > 0 && line[i - 1] == ',')) break;
            names += line[i];
        }
        const std::set<std::string> options = OptionsIn(Replace(names, ",", " "));
        found.insert(options.begin(), options.end());
    }
    return found;
}

std::set<std::string> HelpListed(const std::string& help, const std::string& heading) {
    std::istringstream lines(help);
    std::set<std::string> found;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (StartsWith(line, heading)) {
            inside = true;
            continue;
        }
        if (!inside) continue;
        std::istringstream words(line);
        std::string word;
        if (line.empty() || line[0] != ' ' || !(words >> word)) break;
        found.insert(word);
    }
    return found;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
