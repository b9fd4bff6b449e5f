#include "dataset/datafile.h"

#include "dataset/arffreader.h"
#include "storage/csvreader.h"
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

bool LooksLikeCsv(std::string_view bytes) {
    const std::string_view first = FirstMeaningfulLine(bytes, false);
    if (first.find_first_of(",;\t") == std::string_view::npos) return false;
    CsvTable table;
    std::string error;
    return ReadCsv(bytes, table, error) && table.header.size() >= 2 && !table.rows.empty();
}

}  // namespace

DataFormat DataFormatByName(const std::string& path) {
    if (EndsWithNoCase(path, ".csv")) return DataFormat::Csv;
    if (EndsWithNoCase(path, ".arff")) return DataFormat::Arff;
    return DataFormat::None;
}

DataFormat DataFormatOf(const std::string& path, std::string_view bytes) {
    if (const DataFormat named = DataFormatByName(path); named != DataFormat::None) return named;
    if (LooksLikeArff(DecodeTextBytes(bytes))) return DataFormat::Arff;
    if (LooksLikeCsv(bytes)) return DataFormat::Csv;
    return DataFormat::None;
}

bool ReadDataBytes(DataFormat format, std::string_view bytes, DataTable& table,
                   std::string& error) {
    if (format == DataFormat::Arff) return ReadArff(bytes, table, error);
    CsvTable csv;
    if (!ReadCsv(bytes, csv, error)) return false;
    table = TableFromCsv(csv);
    return true;
}

DataReadStatus ReadDataFile(const std::string& path, DataTable& table, std::string& error) {
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
    return ReadDataBytes(format, bytes, table, error) ? DataReadStatus::Read
                                                      : DataReadStatus::Refused;
}
