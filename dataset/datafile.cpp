#include "dataset/datafile.h"

#include <cerrno>

#include "dataset/arffreader.h"
#include "dataset/columnkind.h"
#include "dataset/csvreader.h"
#include "dataset/texts.h"
#include "model/plaintext.h"
#include "storage/readablefile.h"

namespace {

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return AsciiLower(std::string_view(text).substr(text.size() - suffix.size())) == suffix;
}

// The first line with more than blanks, without its line end.
std::string_view FirstMeaningfulLine(std::string_view text, bool skipComments) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::string trimmed = TrimBlanks(line);
        if (!trimmed.empty() && !(skipComments && trimmed[0] == '%')) return line;
        pos = end + 1;
    }
    return {};
}

bool LooksLikeArff(std::string_view text) {
    return AsciiLower(TrimBlanks(FirstMeaningfulLine(text, true))).starts_with("@relation");
}

DataCell CellOf(CsvField& field) {
    if (field.quoted) return std::move(field.text);
    std::string cell = TrimBlanks(field.text);
    if (cell.empty() || cell == "?") return std::nullopt;
    return cell;
}

// How far a CSV read goes. A text of unknown format is a table when its
// header and the first rows agree on at least two fields; Sniff stops once that
// is known, SniffAndRead reads on in the same pass. A text that is no table
// then is NotData (without a message).
enum class CsvPass { Read, Sniff, SniffAndRead };
constexpr int SniffRows = 20;

Status ReadCsvText(std::string_view text, char separator, CsvPass pass, DataTable& table) {
    const bool sniffing = pass != CsvPass::Read;
    const Status notCsv = Status::Fail(StatusKind::NotData, {});
    const std::string_view first = FirstMeaningfulLine(text, false);
    if (sniffing && first.find_first_of(",;\t") == std::string_view::npos) return notCsv;
    const CsvLayout layout = DetectCsvLayout(text, separator);
    table.reading.separator = layout.separator;
    table.reading.sepLine = layout.sepLine;
    CsvRecords records(text.substr(layout.start), layout.separator, layout.firstLine);
    records.LimitFields(MaxTableColumns);
    std::vector<CsvField> fields;
    bool haveHeader = false;
    int agreeing = 0;  // rows with the header's field count, up to SniffRows
    std::optional<RowKeeper> keeper;
    while (!records.AtEnd()) {
        const bool sniffed = !sniffing || agreeing >= SniffRows;
        if (sniffed && pass == CsvPass::Sniff) break;
        const int line = records.line();
        bool blank = false;
        if (Status read = records.Next(fields, blank); !read.ok()) return sniffed ? read : notCsv;
        if (blank) continue;
        if (!haveHeader) {
            if (sniffing && fields.size() < 2) return notCsv;
            for (CsvField& field : fields)
                table.columns.emplace_back().name =
                    field.quoted ? std::move(field.text) : TrimBlanks(field.text);
            haveHeader = true;
            keeper.emplace(table);
            continue;
        }
        if (fields.size() != table.columns.size()) {
            if (!sniffed) return notCsv;
            return Status::Refuse(FieldCountMessage(line, fields.size(), table.columns.size()));
        }
        if (agreeing < SniffRows) ++agreeing;
        if (pass == CsvPass::Sniff) continue;
        std::vector<DataCell> cells;
        cells.reserve(fields.size());
        for (CsvField& field : fields) cells.push_back(CellOf(field));
        if (!keeper->Add(std::move(cells))) return Status::Refuse(TooManyRowsMessage());
    }
    if (sniffing && agreeing == 0) return notCsv;
    if (!haveHeader) return Status::Refuse(NoHeaderMessage);
    return {};
}

// What every read table gets: unique column names and its decimal mark.
void FinishTable(DataTable& table, const DataReadOptions& options) {
    MakeColumnNamesUnique(table);
    table.reading.decimal = options.decimal != 0 ? options.decimal : DecimalMarkShownIn(table);
    for (DataColumn& column : table.columns)
        column.decimal = column.kind == DataColumn::Kind::Free ? table.reading.decimal : '.';
}

void NoteDecoding(const DecodedText& decoded, DataTable& table) {
    table.reading.encoding = decoded.encoding;
    table.reading.replacedLines = decoded.replacedLines;
}

}  // namespace

DataFormat DataFormatByName(const std::string& path) {
    if (EndsWithNoCase(path, ".csv")) return DataFormat::Csv;
    if (EndsWithNoCase(path, ".arff")) return DataFormat::Arff;
    return DataFormat::None;
}

DataFormat DataFormatOf(const std::string& path, std::string_view bytes) {
    if (const DataFormat named = DataFormatByName(path); named != DataFormat::None) return named;
    const DecodedText decoded = DecodeText(bytes);
    if (LooksLikeArff(decoded.text())) return DataFormat::Arff;
    DataTable scratch;
    return ReadCsvText(decoded.text(), 0, CsvPass::Sniff, scratch).kind == StatusKind::NotData
               ? DataFormat::None
               : DataFormat::Csv;
}

Status ReadDataBytes(DataFormat format, std::string_view bytes, DataTable& table,
                     const DataReadOptions& options) {
    table = DataTable{};
    Status read;
    if (format == DataFormat::Arff) {
        read = ReadArff(bytes, table, options.encoding);
    } else {
        const DecodedText decoded = DecodeText(bytes, options.encoding);
        NoteDecoding(decoded, table);
        read = ReadCsvText(decoded.text(), options.separator, CsvPass::Read, table);
    }
    if (!read.ok()) {
        table = DataTable{};
        return read;
    }
    FinishTable(table, options);
    return read;
}

namespace {

// A file of unknown format read as found: a text that starts as a table is
// told from other files and read in one pass.
Status ReadUnnamedFile(std::string_view bytes, DataTable& table, const DataReadOptions& options) {
    const DecodedText decoded = DecodeText(bytes);
    if (LooksLikeArff(decoded.text()))
        return ReadDataBytes(DataFormat::Arff, bytes, table, options);
    // Nothing reaches the caller's table when the text is no table at all.
    DataTable read;
    NoteDecoding(decoded, read);
    Status status = ReadCsvText(decoded.text(), 0, CsvPass::SniffAndRead, read);
    if (status.kind == StatusKind::NotData) return status;
    table = DataTable{};
    if (!status.ok()) return status;
    table = std::move(read);
    FinishTable(table, options);
    return status;
}

}  // namespace

Status ReadDataFile(const std::string& path, DataTable& table, const DataReadOptions& options) {
    const DataFormat named = DataFormatByName(path);
    std::string bytes;
    const Status read = ReadWholeFile(path, MaxDataFileBytes, bytes);
    // Only a file named as data is reported here; any other goes on as a task file.
    if (!read.ok() && named == DataFormat::None) return Status::Fail(StatusKind::NotData, {});
    if (read.kind == StatusKind::CannotOpen) return read;
    if (!read.ok()) return Status::Refuse(FileTooLargeMessage(MaxDataFileBytes / (1024 * 1024)));
    if (named == DataFormat::None && options.encoding == TextEncoding::Auto &&
        options.separator == 0)
        return ReadUnnamedFile(bytes, table, options);
    const DataFormat format = named != DataFormat::None ? named : DataFormatOf(path, bytes);
    if (format == DataFormat::None) return Status::Fail(StatusKind::NotData, {});
    return ReadDataBytes(format, bytes, table, options);
}

std::string MarkName(char mark) {
    switch (mark) {
        case '\t':
            return TabMarkName;
        case ' ':
            return SpaceMarkName;
        case 0:
            return AnyDecimalMarkName;
        default:
            return Quoted(std::string(1, mark));
    }
}

std::string DescribeReading(const DataTable& table) {
    const DataReading& r = table.reading;
    std::string text = ReadingHeading;
    if (r.separator != 0) text += ReadingSeparatorText(MarkName(r.separator), r.sepLine);
    text += ReadingEncodingText(EncodingName(r.encoding), MarkName(r.decimal));
    if (!r.replacedLines.empty()) {
        text += ReplacedBytesText(EncodingName(r.encoding), r.encoding == TextEncoding::Utf8);
        const std::size_t shown = std::min<std::size_t>(r.replacedLines.size(), 10);
        for (std::size_t i = 0; i < shown; ++i)
            text += (i ? ", " : " ") + std::to_string(r.replacedLines[i]);
        if (shown < r.replacedLines.size()) text += AndMoreText(r.replacedLines.size() - shown);
        text += ".";
    }
    return text;
}
