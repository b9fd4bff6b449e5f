#include "storage/csvreader.h"

#include <array>
#include <cstddef>

#include "model/cp1251.h"

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

std::string LineText(int line) {
    return "Строка " + std::to_string(line) + ": ";
}

// The delimiter that occurs most often outside quotes in the first non-blank
// row; a tab wins ties (it is rarely part of a name), then a semicolon.
char DetectDelimiter(std::string_view text) {
    std::size_t pos = text.find_first_not_of("\r\n");
    if (pos == std::string_view::npos) return ',';
    constexpr std::array<char, 3> candidates = {'\t', ';', ','};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (std::size_t k = 0; k < candidates.size(); ++k)
            if (c == candidates[k]) ++counts[k];
    }
    std::size_t best = 2;
    for (std::size_t k = 0; k < candidates.size(); ++k)
        if (counts[k] > counts[best] || (counts[k] == counts[best] && counts[k] > 0 && k < best))
            best = k;
    return candidates[best];
}

class CsvParser {
  public:
    CsvParser(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    int line() const { return line_; }

    // Reads one record into cells; false with a message on malformed quoting.
    bool ReadRecord(std::vector<std::string>& cells, bool& blank, std::string& error) {
        cells.clear();
        bool anyQuoted = false;
        for (;;) {
            std::string cell;
            bool quoted = false;
            if (!ReadCell(cell, quoted, error)) return false;
            anyQuoted = anyQuoted || quoted;
            cells.push_back(std::move(cell));
            if (!AtEnd() && text_[pos_] == delimiter_) {
                ++pos_;
                continue;
            }
            EndLine();
            blank = cells.size() == 1 && cells[0].empty() && !anyQuoted;
            return true;
        }
    }

  private:
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool AtLineEnd() const { return AtEnd() || Peek() == '\n' || Peek() == '\r'; }

    void SkipSpaces() {
        while (!AtEnd() && Peek() == ' ' && delimiter_ != ' ') ++pos_;
    }

    void EndLine() {
        if (Peek() == '\r') {
            ++pos_;
            if (Peek() == '\n') ++pos_;
            ++line_;
        } else if (Peek() == '\n') {
            ++pos_;
            ++line_;
        }
    }

    bool ReadCell(std::string& cell, bool& quoted, std::string& error) {
        // Spaces before an opening quote are tolerated, as many writers put them there.
        std::size_t start = pos_;
        SkipSpaces();
        if (Peek() != '"') {
            pos_ = start;
            while (!AtLineEnd() && Peek() != delimiter_) cell += text_[pos_++];
            return true;
        }
        quoted = true;
        const int openLine = line_;
        ++pos_;
        for (;;) {
            if (AtEnd()) {
                error = LineText(openLine) + "кавычка, открытая в этой строке, не закрыта.";
                return false;
            }
            const char c = text_[pos_++];
            if (c == '"') {
                if (Peek() != '"') break;
                ++pos_;
            } else if (c == '\n') {
                ++line_;
            }
            cell += c;
        }
        SkipSpaces();
        if (!AtLineEnd() && Peek() != delimiter_) {
            error = LineText(line_) + "после закрывающей кавычки стоит «" + std::string(1, Peek()) +
                    "»; кавычку внутри поля пишут дважды (\"\").";
            return false;
        }
        return true;
    }

    std::string_view text_;
    char delimiter_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, c = b & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string DecodeTextBytes(std::string_view bytes) {
    if (bytes.starts_with(Bom)) bytes.remove_prefix(Bom.size());
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1251ToUtf8(bytes);
}

bool ReadCsv(std::string_view bytes, CsvTable& table, std::string& error) {
    table = CsvTable{};
    error.clear();
    const std::string text = DecodeTextBytes(bytes);
    CsvParser parser(text, DetectDelimiter(text));
    std::vector<std::string> cells;
    bool haveHeader = false;
    while (!parser.AtEnd()) {
        const int line = parser.line();
        bool blank = false;
        if (!parser.ReadRecord(cells, blank, error)) return false;
        if (blank) continue;
        if (!haveHeader) {
            table.header = std::move(cells);
            haveHeader = true;
            continue;
        }
        if (cells.size() != table.header.size()) {
            error = LineText(line) + "полей " + std::to_string(cells.size()) +
                    ", а в строке заголовка " + std::to_string(table.header.size()) + ".";
            return false;
        }
        table.rows.push_back(std::move(cells));
    }
    if (!haveHeader) {
        error = "Таблица пуста: нет строки с названиями столбцов.";
        return false;
    }
    return true;
}
