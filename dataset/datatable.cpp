#include "dataset/datatable.h"

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

DataTable TableFromCsv(const CsvTable& csv) {
    DataTable table;
    for (const std::string& name : csv.header) table.columns.emplace_back().name = TrimBlanks(name);
    table.rows.reserve(csv.rows.size());
    for (const auto& row : csv.rows) {
        std::vector<DataCell>& cells = table.rows.emplace_back();
        for (const std::string& text : row) {
            std::string cell = TrimBlanks(text);
            if (cell.empty() || cell == "?")
                cells.emplace_back();
            else
                cells.emplace_back(std::move(cell));
        }
    }
    return table;
}
