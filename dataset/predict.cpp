#include "dataset/predict.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "dataset/columnplan.h"
#include "dataset/csvexport.h"
#include "dataset/numbercell.h"
#include "model/cp1251.h"
#include "model/numericscale.h"
#include "model/numtext.h"
#include "model/plaintext.h"
#include "network/network.h"

namespace {

int FindColumn(const DataTable& table, const std::string& name) {
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        if (table.columns[c].name == name) return static_cast<int>(c);
    return -1;
}

int FindOutput(const NetTask& task, const std::string& utf8) {
    for (int o = 0; o < task.outputCount; ++o)
        if (Cp1251ToUtf8(task.outputNames[o]) == utf8) return o;
    return -1;
}

// The last column other than the inputs whose every value names an output.
int GuessResultColumn(const NetTask& task, const DataTable& table, const std::vector<int>& inputs) {
    for (int c = static_cast<int>(table.columns.size()) - 1; c >= 0; --c) {
        if (std::find(inputs.begin(), inputs.end(), c) != inputs.end()) continue;
        bool any = false, all = true;
        for (const auto& row : table.rows) {
            if (!row[c]) continue;
            any = true;
            if (FindOutput(task, *row[c]) < 0) {
                all = false;
                break;
            }
        }
        if (any && all) return c;
    }
    return -1;
}

// What a cell asks of a parameter; a missing value is the variant "?" if there is one.
std::optional<ParamInput> CellInput(const NetTask& task, int param, const DataCell& cell,
                                    char decimal, std::string& reason) {
    const std::string name = Cp1251ToUtf8(task.inputNames[param]);
    const std::string text = cell ? *cell : std::string(MissingVariantName);
    std::optional<ParamInput> input = ResolveValue(task.inputParams[param], text, decimal);
    if (!input) reason = cell ? NoSuchVariantReason(name, text) : NoValueReason(name);
    return input;
}

}  // namespace

std::optional<ParamInput> ResolveValue(const InputParam& param, const std::string& utf8,
                                       char decimal) {
    const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
    std::optional<ParamInput> input;
    if (bytes) input = ResolveParamInput(param, *bytes);
    // A name stands; a number is read as the import reads it ("45 500,5").
    if ((!input || input->number) && ScaleFits(param))
        if (const std::optional<double> number = ReadNumberCell(utf8, decimal))
            input = ResolveParamInput(param, FormatG(*number, 17));
    // An exact value the import named with grouped thousands ("82 644") is its variant.
    if (input && input->variant < 0 && param.scale.kind == NumericScale::Kind::Exact)
        for (int j = 0; j < std::clamp(param.variantCount, 0, MaxVariants); ++j)
            if (ReadNumberCell(Cp1251ToUtf8(param.variantNames[j])) == input->number) {
                input->variant = j;
                input->signal = param.variantValues[j];
                break;
            }
    return input;
}

Status PredictTable(NetTask& task, const DataTable& table, const PredictOptions& options,
                    std::string& csv, PredictSummary& summary) {
    summary = PredictSummary{};
    // The reader keeps no more rows than a task holds; the rest would go unanswered unsaid.
    if (table.reading.leftOutRows > 0)
        return Status::Refuse(TooManyRowsToAnswerMessage(MaxExamples));
    std::vector<int> inputs;
    for (int i = 0; i < task.inputCount; ++i) {
        const std::string name = Cp1251ToUtf8(task.inputNames[i]);
        inputs.push_back(FindColumn(table, name));
        if (inputs.back() < 0) return Status::Refuse(NoInputColumnMessage(name));
    }
    int result = -1;
    if (!options.result.empty()) {
        result = FindColumn(table, options.result);
        if (result < 0) return Status::Refuse(NoResultColumnMessage(options.result));
    } else {
        result = GuessResultColumn(task, table, inputs);
    }
    if (result >= 0) summary.resultColumn = table.columns[result].name;

    csv.clear();
    for (const DataColumn& column : table.columns) csv += CsvCell(column.name) + ",";
    csv += CsvCell(AnswerHeading) + "," + CsvCell(SignalHeading);
    if (options.allOutputs)
        for (int o = 0; o < task.outputCount; ++o)
            csv += "," + CsvCell(Cp1251ToUtf8(task.outputNames[o]));
    csv += "," + CsvCell(ReasonHeading) + "\n";

    for (const auto& row : table.rows) {
        ++summary.rows;
        // A missing cell stays bare, as the reader wrote it down: missing.
        for (const DataCell& cell : row) csv += (cell ? CsvCell(*cell) : std::string()) + ",";
        std::string reason;
        double signals[MaxInputs];
        bool known = true;
        for (int i = 0; i < task.inputCount && known; ++i) {
            const std::optional<ParamInput> input =
                CellInput(task, i, row[inputs[i]], table.columns[inputs[i]].decimal, reason);
            known = input.has_value();
            if (known) signals[i] = input->signal;
        }
        std::vector<RankedOutput> ranked;
        if (known) {
            ranked = RankSignals(task, signals);
            if (ranked.empty()) reason = NoAnswerReason;
        }
        if (!ranked.empty()) {
            ++summary.answered;
            csv += CsvCell(Cp1251ToUtf8(task.outputNames[ranked.front().output])) + "," +
                   FormatFixed(ranked.front().activation, 3);
            if (options.allOutputs)
                for (int o = 0; o < task.outputCount; ++o) {
                    // The comma on its own: GCC 12 at -O3 misreads "," + string as an
                    // overlapping copy.
                    csv += ',';
                    csv += FormatFixed(task.outputSignals[o], 3);
                }
        } else {
            csv += ",";
            if (options.allOutputs) csv += std::string(task.outputCount, ',');
        }
        csv += ',';
        if (!reason.empty()) csv += CsvCell(reason);
        csv += '\n';
        if (result >= 0 && row[result]) {
            ++summary.withResult;
            if (!ranked.empty() && FindOutput(task, *row[result]) == ranked.front().output)
                ++summary.correct;
        }
    }
    return {};
}

std::string DescribePrediction(const PredictSummary& s) {
    std::string text = AnsweredText(s.answered, s.rows);
    if (s.answered < s.rows) text += UnansweredText(s.rows - s.answered);
    if (s.withResult > 0)
        text += CorrectText(s.correct, s.withResult,
                            FormatFixed(static_cast<double>(s.correct) / s.withResult * 100.0, 2),
                            s.resultColumn);
    return text;
}
