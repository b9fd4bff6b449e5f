#include "dataset/datatable.h"

#include <unordered_map>
#include <unordered_set>

#include "dataset/texts.h"
#include "model/task.h"

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

std::vector<std::string> UniqueColumnNames(std::vector<std::string> names,
                                           std::vector<std::string>* renamed) {
    std::unordered_set<std::string> taken(names.begin(), names.end());
    std::unordered_set<std::string> seen;
    std::unordered_map<std::string, int> nextSuffix;
    for (std::string& name : names) {
        if (name.empty() || seen.insert(name).second) continue;
        int& k = nextSuffix.try_emplace(name, 2).first->second;
        std::string unique;
        do unique = name + " (" + std::to_string(k++) + ")";
        while (taken.count(unique));
        taken.insert(unique);
        seen.insert(unique);
        name = unique;
        if (renamed) renamed->push_back(unique);
    }
    return names;
}

void MakeColumnNamesUnique(DataTable& table) {
    std::vector<std::string> names;
    for (const DataColumn& column : table.columns) names.push_back(column.name);
    names = UniqueColumnNames(std::move(names), &table.reading.renamed);
    for (std::size_t c = 0; c < names.size(); ++c) table.columns[c].name = std::move(names[c]);
}

RowKeeper::RowKeeper(DataTable& table) : table_(table), open_(table.columns.size()) {
    table_.reading.valueCounts.assign(table.columns.size(), 0);
}

bool RowKeeper::Add(std::vector<DataCell>&& row) {
    auto& counts = table_.reading.valueCounts;
    bool keep = false;
    for (std::size_t c = 0; c < row.size() && c < counts.size(); ++c) {
        if (!row[c]) continue;
        const std::size_t count = ++counts[c];
        if (count == static_cast<std::size_t>(MaxExamples) + 1) --open_;
        keep = keep || count <= static_cast<std::size_t>(MaxExamples);
    }
    if (keep)
        table_.rows.push_back(std::move(row));
    else
        ++table_.reading.leftOutRows;
    return open_ > 0;
}

std::string ColumnName(const DataTable& table, std::size_t c) {
    const std::string& name = table.columns[c].name;
    return name.empty() ? NumberedColumnName(c + 1) : name;
}
