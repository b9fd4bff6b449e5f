// Reads a comma-separated table (RFC 4180 quoting) into UTF-8 cells.
// The separator is the candidate (tab, semicolon, comma) that gives the
// header's field count on the most of the first rows; an Excel "sep=X" first
// line names it outright. Text may be UTF-8 (with or without a byte-order
// mark; a few stray bytes are read as Windows-1251 and their lines noted),
// UTF-16 (with a byte-order mark, or clearly so) or Windows-1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dataset/texts.h"
#include "model/status.h"
#include "model/utf8.h"

enum class TextEncoding { Auto, Utf8, Windows1251, Utf16Le, Utf16Be };

// "UTF-8", "Windows-1251", "UTF-16LE", "UTF-16BE" ("" for Auto).
const char* EncodingName(TextEncoding encoding);
// Accepts those names in any letter case, also "utf8", "cp1251" and "utf-16"
// (little-endian unless a byte-order mark says otherwise).
bool ParseEncodingName(std::string_view name, TextEncoding& encoding);

struct DecodedText {
    std::string owned;       // the UTF-8 text when it had to be converted
    std::string_view bytes;  // else the bytes themselves, already UTF-8
    bool converted = false;
    // The UTF-8 text (a view, never kept inside, so copies stay sound).
    std::string_view text() const { return converted ? std::string_view(owned) : bytes; }
    TextEncoding encoding = TextEncoding::Utf8;  // what the bytes were read as
    std::vector<int> replacedLines;  // lines whose bytes were not valid in that encoding
};

// The bytes as UTF-8 text in the given encoding, or the one they show (Auto).
// The result may view the bytes, which must outlive it.
DecodedText DecodeText(std::string_view bytes, TextEncoding encoding = TextEncoding::Auto);

// The bytes as UTF-8 text, as DecodeText reads them.
std::string DecodeTextBytes(std::string_view bytes);

struct CsvField {
    std::string text;
    bool quoted = false;  // written in quotes: kept as written, never a missing value
};

// The records of a text one by one, in time linear in its size.
class CsvRecords {
  public:
    CsvRecords(std::string_view text, char separator, int firstLine = 1)
        : text_(text), separator_(separator), line_(firstLine) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    int line() const { return line_; }
    std::size_t position() const { return pos_; }
    // A record with more fields than this is refused as soon as it has them
    // (0: no limit), so a hostile line cannot fill the memory with fields.
    void LimitFields(std::size_t maxFields) { maxFields_ = maxFields; }

    // Reads one record; refused with a message (naming the line) on malformed
    // quoting. A blank record is a line with nothing on it.
    Status Next(std::vector<CsvField>& fields, bool& blank);

  private:
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool AtLineEnd() const { return AtEnd() || Peek() == '\n' || Peek() == '\r'; }
    void SkipSpaces();
    void EndLine();
    Status ReadField(CsvField& field);

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_;
    std::size_t maxFields_ = 0;
};

// The most columns a data table may have (of them at most 12 inputs).
constexpr std::size_t MaxTableColumns = 1000;

// Where the records of a decoded text start and how they are separated.
struct CsvLayout {
    char separator = ',';
    bool sepLine = false;   // an Excel "sep=X" line named it (and is skipped)
    std::size_t start = 0;  // the first byte after that line
    int firstLine = 1;
};

// The layout of the text; separator 0 detects it, any other is used as given.
CsvLayout DetectCsvLayout(std::string_view text, char separator = 0);

struct CsvTable {
    std::vector<std::string> header;             // the first row: column names
    std::vector<std::vector<std::string>> rows;  // every later row, as many cells as header
};

// Refused with a message (UTF-8, naming the line) when the bytes are no table:
// no header, an unclosed quote, text after a closing quote, or a row whose
// cell count differs from the header's. Blank lines are skipped.
Status ReadCsv(std::string_view bytes, CsvTable& table);

// FieldCountMessage (dataset/texts.h) says that a row has another length.
