#include "dataset/csvreader.h"

#include <array>
#include <cstddef>

#include "model/cp1251.h"
#include "model/plaintext.h"

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

// The length of the valid UTF-8 sequence that starts at i; 0 when there is none.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i) {
    std::size_t next = i;
    char32_t c;
    return NextCodePoint(bytes, next, c) ? next - i : 0;
}

void NoteLine(std::vector<int>& lines, int line) {
    if (lines.empty() || lines.back() != line) lines.push_back(line);
}

// UTF-8 in which each byte that is not part of a valid sequence is read as
// Windows-1251 (its line noted).
DecodedText RepairedUtf8(std::string_view bytes) {
    DecodedText decoded;
    decoded.encoding = TextEncoding::Utf8;
    decoded.owned.reserve(bytes.size() + bytes.size() / 8);
    int line = 1;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes[i] == '\n') ++line;
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            decoded.owned += Cp1251ToUtf8(bytes.substr(i, 1));
            NoteLine(decoded.replacedLines, line);
            ++i;
        } else {
            decoded.owned.append(bytes.substr(i, length));
            i += length;
        }
    }
    decoded.converted = true;
    return decoded;
}

DecodedText Utf16(std::string_view bytes, bool bigEndian) {
    DecodedText decoded;
    decoded.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    decoded.owned.reserve(bytes.size());
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    int line = 1;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c == '\n') ++line;
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
            NoteLine(decoded.replacedLines, line);
        }
        AppendUtf8(decoded.owned, c);
    }
    if (i < bytes.size()) NoteLine(decoded.replacedLines, line);  // an odd last byte
    decoded.converted = true;
    return decoded;
}

// UTF-16 without a byte-order mark shows as a high byte of zero (Latin) or 4
// (Cyrillic) in most pairs of the first kilobyte, on the same side, with some
// zeros there (separators, line ends); UTF-8 and Windows-1251 text has neither.
TextEncoding Utf16Shown(std::string_view bytes) {
    const std::size_t pairs = std::min<std::size_t>(bytes.size(), 1024) / 2;
    if (pairs < 2) return TextEncoding::Auto;
    std::size_t zeroFirst = 0, zeroSecond = 0, highFirst = 0, highSecond = 0;
    for (std::size_t p = 0; p < pairs; ++p) {
        const char first = bytes[2 * p], second = bytes[2 * p + 1];
        zeroFirst += first == '\0';
        zeroSecond += second == '\0';
        highFirst += first == '\0' || first == '\x04';
        highSecond += second == '\0' || second == '\x04';
    }
    if (highSecond * 2 > pairs && zeroSecond > 0 && zeroFirst * 20 < pairs)
        return TextEncoding::Utf16Le;
    if (highFirst * 2 > pairs && zeroFirst > 0 && zeroSecond * 20 < pairs)
        return TextEncoding::Utf16Be;
    return TextEncoding::Auto;
}

// The count of separators at top level and the fields of the first records
// for one candidate: how many records have as many fields as the first.
int AgreeingRecords(std::string_view text, char separator) {
    constexpr int Sample = 50;
    CsvRecords records(text, separator);
    records.LimitFields(MaxTableColumns);
    std::vector<CsvField> fields;
    std::size_t headerFields = 0;
    int agreeing = 0, seen = 0;
    while (!records.AtEnd() && seen < Sample) {
        bool blank = false;
        if (!records.Next(fields, blank).ok()) break;
        if (blank) continue;
        ++seen;
        if (headerFields == 0) headerFields = fields.size();
        if (fields.size() == headerFields) ++agreeing;
    }
    return headerFields >= 2 ? agreeing : 0;
}

}  // namespace

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Windows1251:
            return "Windows-1251";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
        case TextEncoding::Auto:
            break;
    }
    return "";
}

bool ParseEncodingName(std::string_view name, TextEncoding& encoding) {
    const std::string lower = AsciiLower(name);
    if (lower == "utf-8" || lower == "utf8")
        encoding = TextEncoding::Utf8;
    else if (lower == "windows-1251" || lower == "cp1251")
        encoding = TextEncoding::Windows1251;
    else if (lower == "utf-16" || lower == "utf-16le")
        encoding = TextEncoding::Utf16Le;
    else if (lower == "utf-16be")
        encoding = TextEncoding::Utf16Be;
    else
        return false;
    return true;
}

DecodedText DecodeText(std::string_view bytes, TextEncoding encoding) {
    const bool le = bytes.starts_with("\xFF\xFE"), be = bytes.starts_with("\xFE\xFF");
    if (encoding == TextEncoding::Auto && !le && !be) encoding = Utf16Shown(bytes);
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be || le || be) {
        const bool big = be || (!le && encoding == TextEncoding::Utf16Be);
        if (le || be) bytes.remove_prefix(2);
        if (encoding == TextEncoding::Auto || encoding == TextEncoding::Utf16Le ||
            encoding == TextEncoding::Utf16Be)
            return Utf16(bytes, big);
    }
    if (bytes.starts_with(Bom)) bytes.remove_prefix(Bom.size());
    DecodedText decoded;
    if (encoding == TextEncoding::Windows1251) {
        decoded.encoding = encoding;
        decoded.owned = Cp1251ToUtf8(bytes);
        decoded.converted = true;
        return decoded;
    }
    // Valid multi-byte sequences against bytes that belong to none: a few
    // stray bytes in UTF-8 text do not turn it all into Windows-1251.
    std::size_t sequences = 0, stray = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, i);
        sequences += length > 1;
        stray += length == 0;
        i += length == 0 ? 1 : length;
    }
    if (stray == 0) {
        decoded.bytes = bytes;
        return decoded;
    }
    if (encoding == TextEncoding::Utf8 || stray * 3 <= sequences) return RepairedUtf8(bytes);
    decoded.encoding = TextEncoding::Windows1251;
    decoded.owned = Cp1251ToUtf8(bytes);
    decoded.converted = true;
    return decoded;
}

std::string DecodeTextBytes(std::string_view bytes) {
    return std::string(DecodeText(bytes).text());
}

Status CsvRecords::Next(std::vector<CsvField>& fields, bool& blank) {
    fields.clear();
    bool anyQuoted = false;
    for (;;) {
        CsvField& field = fields.emplace_back();
        if (Status read = ReadField(field); !read.ok()) return read;
        anyQuoted = anyQuoted || field.quoted;
        if (!AtEnd() && text_[pos_] == separator_) {
            ++pos_;
            if (maxFields_ > 0 && fields.size() >= maxFields_)
                return Status::Refuse(CsvTooManyFieldsMessage(line_, maxFields_));
            continue;
        }
        EndLine();
        blank = fields.size() == 1 && fields[0].text.empty() && !anyQuoted;
        return {};
    }
}

void CsvRecords::SkipSpaces() {
    while (!AtEnd() && Peek() == ' ' && separator_ != ' ') ++pos_;
}

void CsvRecords::EndLine() {
    if (Peek() == '\r') {
        ++pos_;
        if (Peek() == '\n') ++pos_;
        ++line_;
    } else if (Peek() == '\n') {
        ++pos_;
        ++line_;
    }
}

Status CsvRecords::ReadField(CsvField& field) {
    // Spaces before an opening quote are tolerated, as many writers put them there.
    const std::size_t start = pos_;
    SkipSpaces();
    if (Peek() != '"') {
        pos_ = start;
        while (!AtLineEnd() && Peek() != separator_) ++pos_;
        field.text.assign(text_.substr(start, pos_ - start));
        return {};
    }
    field.quoted = true;
    const int openLine = line_;
    ++pos_;
    for (;;) {
        // Runs without a quote are copied whole.
        const std::size_t quote = text_.find('"', pos_);
        const std::size_t end = quote == std::string_view::npos ? text_.size() : quote;
        for (std::size_t k = pos_; k < end; ++k)
            if (text_[k] == '\n' || (text_[k] == '\r' && (k + 1 >= end || text_[k + 1] != '\n')))
                ++line_;
        field.text.append(text_.substr(pos_, end - pos_));
        pos_ = end;
        if (AtEnd()) return Status::Refuse(CsvQuoteNotClosedMessage(openLine));
        ++pos_;
        if (Peek() != '"') break;
        field.text += '"';
        ++pos_;
    }
    SkipSpaces();
    if (!AtLineEnd() && Peek() != separator_)
        return Status::Refuse(CsvTextAfterQuoteMessage(line_, Peek()));
    return {};
}

CsvLayout DetectCsvLayout(std::string_view text, char separator) {
    CsvLayout layout;
    // Excel's "sep=;" (also quoted) on the first line names the separator.
    std::size_t end = text.find_first_of("\r\n");
    std::string_view first = text.substr(0, end);
    if (first.size() >= 2 && first.front() == '"' && first.back() == '"')
        first = first.substr(1, first.size() - 2);
    if (first.size() == 5 && (first.starts_with("sep=") || first.starts_with("SEP="))) {
        layout.sepLine = true;
        layout.separator = first[4];
        if (end == std::string_view::npos) end = text.size();
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        layout.start = end;
        layout.firstLine = 2;
    }
    if (separator != 0) {
        layout.separator = separator;
        return layout;
    }
    if (layout.sepLine) return layout;
    // The candidate whose field count holds on the most records (the header
    // and the first rows); a tab wins ties, then a semicolon, as they are
    // rarely part of a name or a number.
    constexpr std::array<char, 3> candidates = {'\t', ';', ','};
    int best = 0;
    for (char candidate : candidates) {
        const int agreeing = AgreeingRecords(text.substr(layout.start), candidate);
        if (agreeing > best) best = agreeing, layout.separator = candidate;
    }
    return layout;
}

Status ReadCsv(std::string_view bytes, CsvTable& table) {
    table = CsvTable{};
    const DecodedText decoded = DecodeText(bytes);
    const CsvLayout layout = DetectCsvLayout(decoded.text());
    CsvRecords records(decoded.text().substr(layout.start), layout.separator, layout.firstLine);
    std::vector<CsvField> fields;
    bool haveHeader = false;
    while (!records.AtEnd()) {
        const int line = records.line();
        bool blank = false;
        if (Status read = records.Next(fields, blank); !read.ok()) return read;
        if (blank) continue;
        std::vector<std::string> cells;
        for (CsvField& field : fields) cells.push_back(std::move(field.text));
        if (!haveHeader) {
            table.header = std::move(cells);
            haveHeader = true;
            continue;
        }
        if (cells.size() != table.header.size())
            return Status::Refuse(FieldCountMessage(line, cells.size(), table.header.size()));
        table.rows.push_back(std::move(cells));
    }
    if (!haveHeader) return Status::Refuse(NoHeaderMessage);
    return {};
}
