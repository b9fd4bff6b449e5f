#include "model/paramsheet.h"

#include <algorithm>
#include <cmath>

#include "model/cp1251.h"
#include "model/definition.h"
#include "model/numtext.h"

namespace {

bool IsInputRole(int32_t mode) {
    return mode == ModeSetup || mode == ModeEditInput;
}

// Names are Windows-1251 bytes, so the heading is compared in that form.
const std::string& NameHeadingBytes() {
    static const std::string bytes = Utf8ToCp1251(NameHeading).value_or(std::string());
    return bytes;
}

bool IsDuplicate(const ParamSheet& sheet, const std::string& valueText, const std::string& name) {
    if (IsInputRole(sheet.role)) {
        // Values are compared as their "%lf" text: names may repeat.
        return std::any_of(sheet.rows.begin(), sheet.rows.end(),
                           [&](const SheetRow& row) { return row.valueText == valueText; });
    }
    // The output role compares names only; the disabled value field's number
    // has no bearing on output variants.
    return name == NameHeadingBytes() ||
           std::any_of(sheet.rows.begin(), sheet.rows.end(),
                       [&](const SheetRow& row) { return row.name == name; });
}

int Clamp(int count, int capacity) {
    return std::clamp(count, 0, capacity);
}

// Whether the rows are the parameter's variants as they stand.
bool SameVariants(const InputParam& param, const std::vector<SheetRow>& rows) {
    if (static_cast<std::size_t>(param.variantCount) != rows.size()) return false;
    for (std::size_t j = 0; j < rows.size(); ++j)
        if (rows[j].valueText != FormatLf(param.variantValues[j]) ||
            rows[j].name != param.variantNames[j])
            return false;
    return true;
}

// Replaces the variants of one parameter; slots beyond the rows keep their
// contents. Edited variants no longer measure what the scale says.
void StoreVariants(InputParam& param, const std::vector<SheetRow>& rows) {
    if (!SameVariants(param, rows)) param.scale = NumericScale{};
    for (std::size_t j = 0; j < rows.size(); ++j) {
        param.variantValues[j] = LenientAtof(rows[j].valueText);
        param.variantNames[j] = rows[j].name;
    }
    param.variantCount = static_cast<int32_t>(rows.size());
}

// Whether the sheet's rows fit the task's list: at least one, at most
// capacity; otherwise refused with the matching message.
Status RowsFit(const ParamSheet& sheet, int capacity, const char* noneMessage,
               const char* fullMessage) {
    if (!sheet.rows.empty() && sheet.rows.size() <= static_cast<std::size_t>(capacity)) return {};
    return Status::Refuse(sheet.rows.empty() ? noneMessage : fullMessage);
}

Status CommitInput(NetTask& task, const ParamSheet& sheet) {
    if (sheet.name.empty()) return Status::Refuse(ParamNameEmptyMessage);
    // A refused commit stores nothing, not even the name, so Cancel afterwards
    // really leaves the task as it was.
    if (Status fit = RowsFit(sheet, MaxVariants, NoVariantsMessage, VariantsFullMessage); !fit.ok())
        return fit;
    int index;
    if (sheet.role == ModeSetup) {
        if (task.inputCount < 0 || task.inputCount >= MaxInputs)
            return Status::Refuse(InputsLimitMessage);
        index = task.inputCount;
    } else {
        // The parameter was chosen from the table; one that no longer exists
        // has nothing to change.
        if (sheet.editIndex < 0 || sheet.editIndex >= task.inputCount) return {};
        index = sheet.editIndex;
    }
    task.inputNames[index] = sheet.name;
    // A new parameter never inherits the scale of one that stood in its slot.
    if (sheet.role == ModeSetup) task.inputParams[index].scale = NumericScale{};
    StoreVariants(task.inputParams[index], sheet.rows);
    if (sheet.role == ModeSetup) ++task.inputCount;
    return {};
}

Status CommitOutput(NetTask& task, const ParamSheet& sheet) {
    if (Status fit = RowsFit(sheet, MaxOutputs, NoOutputsMessage, OutputsFullMessage); !fit.ok())
        return fit;
    for (std::size_t j = 0; j < sheet.rows.size(); ++j) task.outputNames[j] = sheet.rows[j].name;
    task.outputCount = static_cast<int32_t>(sheet.rows.size());
    return {};
}

}  // namespace

ParamSheet OpenSheet(const NetTask& task, int32_t dialogMode, int editIndex) {
    ParamSheet sheet;
    sheet.role = IsInputRole(dialogMode) ? static_cast<DialogMode>(dialogMode) : ModeOutput;
    sheet.editIndex = editIndex;
    if (sheet.role == ModeEditInput) {
        if (editIndex < 0 || editIndex >= task.inputCount) return sheet;
        sheet.name = task.inputNames[editIndex];
        const InputParam& param = task.inputParams[editIndex];
        const int count = Clamp(param.variantCount, MaxVariants);
        for (int j = 0; j < count; ++j)
            sheet.rows.push_back({FormatLf(param.variantValues[j]), param.variantNames[j]});
    } else if (sheet.role == ModeOutput) {
        const int count = Clamp(task.outputCount, MaxOutputs);
        for (int j = 0; j < count; ++j) sheet.rows.push_back({std::string(), task.outputNames[j]});
    }
    return sheet;
}

Status SheetAddVariant(ParamSheet& sheet, double value, const std::string& name) {
    const bool input = IsInputRole(sheet.role);
    const std::string valueText = input ? FormatLf(value) : std::string();
    if (name.empty()) return Status::Refuse(VariantNameEmptyMessage);
    // The value becomes the network's input signal.
    if (input && !std::isfinite(value)) return Status::Refuse(ValueNotFiniteMessage);
    if (IsDuplicate(sheet, valueText, name)) return Status::Refuse(DuplicateValueMessage);
    const std::size_t capacity = static_cast<std::size_t>(input ? MaxVariants : MaxOutputs);
    if (sheet.rows.size() >= capacity)
        return Status::Refuse(input ? VariantsFullMessage : OutputsFullMessage);
    sheet.rows.push_back({valueText, name});
    return {};
}

void SheetDeleteRow(ParamSheet& sheet, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= sheet.rows.size()) return;
    sheet.rows.erase(sheet.rows.begin() + row);
}

Status CommitSheet(NetTask& task, const ParamSheet& sheet) {
    return IsInputRole(sheet.role) ? CommitInput(task, sheet) : CommitOutput(task, sheet);
}
