#include "dataset/datafile.h"

#include "dataset/arffreader.h"
#include "dataset/columnkind.h"
#include "dataset/csvreader.h"
#include "storage/readablefile.h"

namespace {

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
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
    std::string line = TrimBlanks(FirstMeaningfulLine(text, true));
    for (char& c : line)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return line.starts_with("@relation");
}

// The header and the first rows agree on at least two fields.
bool LooksLikeCsv(std::string_view text) {
    const std::string_view first = FirstMeaningfulLine(text, false);
    if (first.find_first_of(",;\t") == std::string_view::npos) return false;
    const CsvLayout layout = DetectCsvLayout(text);
    CsvRecords records(text.substr(layout.start), layout.separator);
    records.LimitFields(MaxTableColumns);
    std::vector<CsvField> fields;
    std::string error;
    std::size_t header = 0;
    int rows = 0;
    while (!records.AtEnd() && rows < 20) {
        bool blank = false;
        if (!records.Next(fields, blank, error)) return false;
        if (blank) continue;
        if (header == 0)
            header = fields.size();
        else if (fields.size() != header)
            return false;
        else
            ++rows;
    }
    return header >= 2 && rows > 0;
}

DataCell CellOf(CsvField& field) {
    if (field.quoted) return std::move(field.text);
    std::string cell = TrimBlanks(field.text);
    if (cell.empty() || cell == "?") return std::nullopt;
    return cell;
}

bool ReadCsvTable(std::string_view bytes, const DataReadOptions& options, DataTable& table,
                  std::string& error) {
    const DecodedText decoded = DecodeText(bytes, options.encoding);
    const CsvLayout layout = DetectCsvLayout(decoded.text(), options.separator);
    table.reading.separator = layout.separator;
    table.reading.sepLine = layout.sepLine;
    table.reading.encoding = decoded.encoding;
    table.reading.replacedLines = decoded.replacedLines;
    CsvRecords records(decoded.text().substr(layout.start), layout.separator, layout.firstLine);
    records.LimitFields(MaxTableColumns);
    std::vector<CsvField> fields;
    bool haveHeader = false;
    std::optional<RowKeeper> keeper;
    while (!records.AtEnd()) {
        const int line = records.line();
        bool blank = false;
        if (!records.Next(fields, blank, error)) return false;
        if (blank) continue;
        if (!haveHeader) {
            for (CsvField& field : fields)
                table.columns.emplace_back().name =
                    field.quoted ? std::move(field.text) : TrimBlanks(field.text);
            haveHeader = true;
            keeper.emplace(table);
            continue;
        }
        if (fields.size() != table.columns.size()) {
            error = FieldCountMessage(line, fields.size(), table.columns.size());
            return false;
        }
        std::vector<DataCell> cells;
        cells.reserve(fields.size());
        for (CsvField& field : fields) cells.push_back(CellOf(field));
        if (!keeper->Add(std::move(cells))) {
            error = TooManyRowsMessage();
            return false;
        }
    }
    if (!haveHeader) {
        error = "Таблица пуста: нет строки с названиями столбцов.";
        return false;
    }
    return true;
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
    if (LooksLikeCsv(decoded.text())) return DataFormat::Csv;
    return DataFormat::None;
}

bool ReadDataBytes(DataFormat format, std::string_view bytes, DataTable& table, std::string& error,
                   const DataReadOptions& options) {
    table = DataTable{};
    error.clear();
    const bool read = format == DataFormat::Arff ? ReadArff(bytes, table, error, options.encoding)
                                                 : ReadCsvTable(bytes, options, table, error);
    if (!read) {
        table = DataTable{};
        return false;
    }
    MakeColumnNamesUnique(table);
    table.reading.decimal = options.decimal != 0 ? options.decimal : DecimalMarkShownIn(table);
    for (DataColumn& column : table.columns)
        column.decimal = column.kind == DataColumn::Kind::Free ? table.reading.decimal : '.';
    return true;
}

DataReadStatus ReadDataFile(const std::string& path, DataTable& table, std::string& error,
                            const DataReadOptions& options) {
    const DataFormat named = DataFormatByName(path);
    std::string bytes;
    const ReadFileStatus read = ReadWholeFile(path, MaxDataFileBytes, bytes);
    // Only a file named as data is reported here; any other goes on as a task file.
    if (read != ReadFileStatus::Read && named == DataFormat::None) return DataReadStatus::NotData;
    if (read == ReadFileStatus::CannotOpen || read == ReadFileStatus::ReadFailed)
        return DataReadStatus::CannotOpen;
    if (read == ReadFileStatus::TooLarge) {
        error = "Файл больше " + std::to_string(MaxDataFileBytes / (1024 * 1024)) +
                " МБ: столько строк задача не вместит (примеров не больше 500).";
        return DataReadStatus::Refused;
    }
    const DataFormat format = named != DataFormat::None ? named : DataFormatOf(path, bytes);
    if (format == DataFormat::None) return DataReadStatus::NotData;
    return ReadDataBytes(format, bytes, table, error, options) ? DataReadStatus::Read
                                                               : DataReadStatus::Refused;
}

std::string MarkName(char mark) {
    switch (mark) {
        case '\t':
            return "табуляция";
        case ' ':
            return "пробел";
        case 0:
            return "точка или запятая";
        default:
            return "«" + std::string(1, mark) + "»";
    }
}

std::string DescribeReading(const DataTable& table) {
    const DataReading& r = table.reading;
    std::string text = "Прочитано:";
    if (r.separator != 0)
        text += " разделитель " + MarkName(r.separator) + (r.sepLine ? " (строка sep=)" : "") + ",";
    text += std::string(" кодировка ") + EncodingName(r.encoding) + ", десятичный знак " +
            MarkName(r.decimal) + ".";
    if (!r.replacedLines.empty()) {
        text += std::string(" Байты, которых нет в ") + EncodingName(r.encoding) +
                (r.encoding == TextEncoding::Utf8 ? ", прочитаны как Windows-1251" : ", заменены") +
                " в строках";
        const std::size_t shown = std::min<std::size_t>(r.replacedLines.size(), 10);
        for (std::size_t i = 0; i < shown; ++i)
            text += (i ? ", " : " ") + std::to_string(r.replacedLines[i]);
        if (shown < r.replacedLines.size())
            text += " и ещё " + std::to_string(r.replacedLines.size() - shown);
        text += ".";
    }
    return text;
}
