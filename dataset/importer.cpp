#include "dataset/importer.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "dataset/columnkind.h"
#include "dataset/columnplan.h"
#include "dataset/texts.h"
#include "model/cp1251.h"
#include "model/numtext.h"
#include "model/plaintext.h"
#include "model/taskdraft.h"

namespace {

class Importing {
  public:
    Importing(const DataTable& table, const ImportOptions& options, std::string& error)
        : table_(table), options_(options), error_(error) {}

    bool Run(TaskDraft& task, ImportSummary& summary) {
        int result = 0;
        std::vector<int> inputs;
        if (!CheckOptions() || !ChooseColumns(result, inputs)) return false;
        const ColumnPlan classes = PlanResultColumn(ColumnAt(result), Column(result));
        std::vector<int> kept;
        if (!KeepRows(result, classes, kept, summary)) return false;
        task = TaskDraft{};
        task.examples.resize(kept.size());
        const std::vector<std::string> paramNames = ParamNames(inputs, summary);
        for (std::size_t i = 0; i < inputs.size(); ++i)
            if (!AddParam(inputs[i], paramNames[i], kept, task, summary)) return false;
        if (!AddOutputs(classes, kept, task, summary)) return false;
        Count(kept, task, summary);
        return true;
    }

  private:
    // The rows with a result value; false when there are none or too many.
    bool KeepRows(int result, const ColumnPlan& classes, std::vector<int>& kept,
                  ImportSummary& summary) {
        summary.resultName = ColumnName(table_, result);
        summary.renamedColumns = table_.reading.renamed;
        if (classes.names.size() > MaxOutputs)
            return Fail(
                ResultClassesTooManyMessage(summary.resultName, classes.names.size(), MaxOutputs));
        for (std::size_t r = 0; r < table_.rows.size(); ++r)
            if (classes.rowVariant[r] >= 0) kept.push_back(static_cast<int>(r));
        if (table_.rows.empty() && table_.reading.leftOutRows == 0) return Fail(NoDataRowsMessage);
        if (kept.empty()) return Fail(NoResultValuesMessage(summary.resultName));
        // Rows the reader did not keep are counted there.
        const std::size_t withResult =
            std::max(kept.size(), result < static_cast<int>(table_.reading.valueCounts.size())
                                      ? table_.reading.valueCounts[result]
                                      : 0);
        if (withResult > MaxExamples) return Fail(TooManyDataRowsMessage(withResult, MaxExamples));
        return true;
    }

    // Column c as the next input parameter, named name, with its variant in every kept row.
    bool AddParam(int c, const std::string& name, const std::vector<int>& kept, TaskDraft& task,
                  ImportSummary& summary) {
        // Rows without a result take no part, so they cannot add variants.
        std::vector<DataCell> column;
        for (int r : kept) column.push_back(table_.rows[r][c]);
        if (!SpreadFits(ColumnAt(c), column)) return Fail(SpreadTooWideMessage(name));
        ColumnPlan plan = PlanInputColumn(ColumnAt(c), column, options_.bins);
        Distinguish(plan.names, name, summary);
        if (plan.names.size() > MaxVariants)
            return Fail(TooManyVariantsMessage(name, plan.names.size(), MaxVariants));
        DraftParam& param = task.params.emplace_back();
        if (!TaskText(name, name, param.name)) return false;
        param.values = plan.values;
        param.scale = plan.scale;
        for (const std::string& variant : plan.names)
            if (!TaskText(variant, name, param.names.emplace_back())) return false;
        if (plan.binned) summary.binned.push_back(name + " (" + FormatInt(plan.names.size()) + ")");
        for (std::size_t e = 0; e < kept.size(); ++e)
            task.examples[e].variants[task.params.size() - 1] = plan.rowVariant[e];
        return true;
    }

    // The result column's values as the output variants, and each kept row's.
    bool AddOutputs(const ColumnPlan& classes, const std::vector<int>& kept, TaskDraft& task,
                    ImportSummary& summary) {
        std::vector<std::string> classNames = classes.names;
        Distinguish(classNames, summary.resultName, summary);
        for (const std::string& name : classNames)
            if (!TaskText(name, summary.resultName, task.outputNames.emplace_back())) return false;
        for (std::size_t e = 0; e < kept.size(); ++e)
            task.examples[e].result = classes.rowVariant[kept[e]];
        return true;
    }

    // The counts of the draft and what the summary tells of them.
    void Count(const std::vector<int>& kept, TaskDraft& task, ImportSummary& summary) const {
        task.inputCount = static_cast<int32_t>(task.params.size());
        task.outputCount = static_cast<int32_t>(task.outputNames.size());
        task.exampleCount = static_cast<int32_t>(task.examples.size());
        task.hiddenCount = options_.hidden > 0
                               ? options_.hidden
                               : DefaultHiddenCount(task.inputCount, task.outputCount);
        summary.examples = task.exampleCount;
        summary.skippedRows =
            static_cast<int>(table_.rows.size() - kept.size() + table_.reading.leftOutRows);
        summary.params = task.inputCount;
        summary.classes = task.outputCount;
        summary.hidden = task.hiddenCount;
    }

    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    // The column as the options read it (words or not).
    DataColumn ColumnAt(int c) const {
        DataColumn column = table_.columns[c];
        column.words = column.words || std::find(options_.words.begin(), options_.words.end(),
                                                 ColumnName(table_, c)) != options_.words.end();
        return column;
    }

    // The parameter names of the input columns, told apart as the task keeps them.
    std::vector<std::string> ParamNames(const std::vector<int>& inputs, ImportSummary& summary) {
        std::vector<std::string> names;
        for (int c : inputs) names.push_back(ColumnName(table_, c));
        Distinguish(names, "", summary);
        return names;
    }

    // Names that the task would hold alike (a line break turns into a space)
    // get " (2)", " (3)"...; each renaming is noted.
    static void Distinguish(std::vector<std::string>& names, const std::string& column,
                            ImportSummary& summary) {
        std::unordered_set<std::string> taken;
        for (const std::string& name : names) taken.insert(Flat(name));
        std::unordered_set<std::string> seen;
        std::unordered_map<std::string, int> next;
        for (std::string& name : names) {
            const std::string flat = Flat(name);
            if (seen.insert(flat).second) continue;
            int& k = next.try_emplace(flat, 2).first->second;
            std::string unique;
            do unique = flat + " (" + FormatInt(k++) + ")";
            while (taken.count(unique));
            taken.insert(unique);
            seen.insert(unique);
            name = unique;
            summary.renamed.push_back(column.empty() ? Quoted(unique)
                                                     : Quoted(column) + ": " + Quoted(unique));
        }
    }

    static std::string Flat(const std::string& text) {
        std::string flat = text;
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        std::replace(flat.begin(), flat.end(), '\r', ' ');
        return flat;
    }

    std::vector<DataCell> Column(int c) const {
        std::vector<DataCell> cells;
        for (const auto& row : table_.rows) cells.push_back(row[c]);
        return cells;
    }

    bool CheckOptions() {
        for (const std::string& name : options_.words) {
            int c;
            if (!Find(name, c)) return false;
        }
        if (options_.bins != ExactValues && (options_.bins < 2 || options_.bins > MaxVariants))
            return Fail(BinsRangeMessage(MaxVariants));
        if (options_.hidden < 0 || options_.hidden > MaxHidden)
            return Fail(ImportHiddenRangeMessage(MaxHidden));
        if (table_.columns.size() < 2) return Fail(OneColumnMessage);
        return true;
    }

    bool Find(const std::string& name, int& column) {
        column = -1;
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            if (ColumnName(table_, c) != name) continue;
            if (column >= 0) return Fail(AmbiguousColumnMessage(name));
            column = static_cast<int>(c);
        }
        if (column >= 0) return true;
        std::string all;
        for (std::size_t c = 0; c < table_.columns.size(); ++c)
            all += (c ? ", " : "") + Quoted(ColumnName(table_, c));  // names may hold commas
        return Fail(NoSuchColumnMessage(name, all));
    }

    bool ChooseColumns(int& result, std::vector<int>& inputs) {
        result = static_cast<int>(table_.columns.size()) - 1;
        if (!options_.result.empty() && !Find(options_.result, result)) return false;
        for (const std::string& name : options_.inputs) {
            int c;
            if (!Find(name, c)) return false;
            if (c == result) return Fail(ResultAndInputMessage(name));
            if (std::find(inputs.begin(), inputs.end(), c) != inputs.end())
                return Fail(InputTwiceMessage(name));
            inputs.push_back(c);
        }
        if (options_.inputs.empty())
            for (int c = 0; c < static_cast<int>(table_.columns.size()); ++c)
                if (c != result) inputs.push_back(c);
        if (inputs.size() > MaxInputs) return Fail(TooManyInputsMessage(inputs.size(), MaxInputs));
        return true;
    }

    // A name as the task holds it: Windows-1251, a line break turned into a space.
    bool TaskText(const std::string& text, const std::string& column, std::string& out) {
        std::string flat = text;
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        std::replace(flat.begin(), flat.end(), '\r', ' ');
        const auto bytes = Utf8ToCp1251(flat);
        if (!bytes) return Fail(NotCp1251Message(flat, column));
        if (bytes->size() > MaxNameBytes) return Fail(NameTooLongMessage(column, MaxNameBytes));
        out = *bytes;
        return true;
    }

    const DataTable& table_;
    const ImportOptions& options_;
    std::string& error_;
};

}  // namespace

int DefaultHiddenCount(int inputs, int classes) {
    return std::clamp((inputs + classes + 1) / 2, 3, MaxHidden);
}

Status ImportTable(const DataTable& table, const ImportOptions& options, TaskDraft& task,
                   ImportSummary& summary) {
    summary = ImportSummary{};
    std::string error;
    if (Importing(table, options, error).Run(task, summary)) return {};
    return Status::Refuse(std::move(error));
}

std::string DescribeImport(const ImportSummary& s) {
    std::string text = ImportedText(s.examples, s.params, s.classes, s.resultName, s.hidden);
    if (s.skippedRows > 0) text += SkippedRowsText(s.skippedRows);
    if (!s.binned.empty()) {
        text += BinnedHeading;
        for (std::size_t i = 0; i < s.binned.size(); ++i) text += (i ? ", " : " ") + s.binned[i];
        text += ".";
    }
    if (!s.renamedColumns.empty()) {
        text += RenamedColumnsHeading;
        for (std::size_t i = 0; i < s.renamedColumns.size(); ++i)
            text += (i ? ", «" : " «") + s.renamedColumns[i] + "»";
        text += ".";
    }
    if (!s.renamed.empty()) {
        text += DistinguishedHeading;
        for (std::size_t i = 0; i < s.renamed.size(); ++i) text += (i ? ", " : " ") + s.renamed[i];
        text += ".";
    }
    return text;
}

void ApplyImportedTask(const TaskDraft& staged, NetTask& task) {
    ApplyTaskDraft(staged, task);
    task.accuracyPercent = 0.0;
    task.errorCount = 0;
    task.trainedShape = NetworkShape{};
}

std::vector<std::string> SplitNameList(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string name = TrimBlanks(list.substr(start, comma - start));
        if (!name.empty()) names.push_back(name);
        if (comma == std::string::npos) return names;
        start = comma + 1;
    }
}

std::vector<std::string> SplitNameList(const std::string& list, const DataTable& table) {
    const std::vector<std::string> pieces = SplitNameList(list);
    std::vector<std::vector<std::string>> columnPieces;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        columnPieces.push_back(SplitNameList(ColumnName(table, c)));
    std::vector<std::string> names;
    for (std::size_t i = 0; i < pieces.size();) {
        std::size_t taken = 1;
        std::string name = pieces[i];
        for (std::size_t c = 0; c < columnPieces.size(); ++c) {
            const std::vector<std::string>& parts = columnPieces[c];
            if (parts.size() > taken && parts.size() <= pieces.size() - i &&
                std::equal(parts.begin(), parts.end(), pieces.begin() + static_cast<long>(i))) {
                taken = parts.size();
                name = ColumnName(table, c);
            }
        }
        names.push_back(name);
        i += taken;
    }
    return names;
}
