#include "dataset/datacheck.h"

#include <cmath>
#include <map>
#include <set>

#include "dataset/texts.h"
#include "model/cp1251.h"
#include "model/examples.h"
#include "model/numtext.h"
#include "model/plaintext.h"

namespace {

constexpr std::size_t MaxGroupsShown = 10;
constexpr std::size_t MaxNumbersShown = 20;

std::string NumberList(const std::vector<int>& examples, const char* joint) {
    std::string text;
    for (std::size_t i = 0; i < examples.size() && i < MaxNumbersShown; ++i)
        text += (i ? joint : "") + FormatInt(examples[i] + 1);
    if (examples.size() > MaxNumbersShown) text += joint + std::string("…");
    return text;
}

std::string GroupList(const std::vector<std::vector<int>>& groups, const char* joint) {
    std::string text;
    for (std::size_t g = 0; g < groups.size() && g < MaxGroupsShown; ++g)
        text += (g ? "; " : " ") + NumberList(groups[g], joint);
    if (groups.size() > MaxGroupsShown)
        text += MoreGroupsText(static_cast<long long>(groups.size() - MaxGroupsShown));
    return text + ".";
}

// Examples with the same inputs, in the order their first member appears.
std::vector<std::vector<int>> SameInputGroups(const NetTask& task) {
    std::map<std::vector<int>, std::size_t> index;
    std::vector<std::vector<int>> groups;
    for (int e = 0; e < task.exampleCount; ++e) {
        const Example& example = task.examples[e];
        std::vector<int> key(example.inputVariant, example.inputVariant + task.inputCount);
        auto [it, added] = index.emplace(std::move(key), groups.size());
        if (added) groups.emplace_back();
        groups[it->second].push_back(e);
    }
    return groups;
}

void CheckExamples(const NetTask& task, std::vector<std::string>& findings) {
    std::vector<std::vector<int>> contradictions, duplicates;
    for (const std::vector<int>& group : SameInputGroups(task)) {
        if (group.size() < 2) continue;
        std::map<int, std::vector<int>> byResult;
        for (int e : group) byResult[ExampleResult(task, e)].push_back(e);
        if (byResult.size() > 1) contradictions.push_back(group);
        for (const auto& [result, same] : byResult)
            if (same.size() > 1) duplicates.push_back(same);
    }
    if (!contradictions.empty())
        findings.push_back(ContradictionsHeading + GroupList(contradictions, ", "));
    if (!duplicates.empty()) findings.push_back(DuplicatesHeading + GroupList(duplicates, " = "));
}

void CheckDefinition(const NetTask& task, std::vector<std::string>& findings) {
    std::vector<bool> classUsed(task.outputCount, false);
    for (int e = 0; e < task.exampleCount; ++e)
        if (const int r = ExampleResult(task, e); r >= 0) classUsed[r] = true;
    std::string classes;
    for (int j = 0; j < task.outputCount; ++j)
        if (!classUsed[j])
            classes += (classes.empty() ? " " : ", ") + QuotedTaskText(task.outputNames[j]);
    if (!classes.empty()) findings.push_back(UnusedClassesHeading + classes + ".");

    std::string unused, saturating;
    std::set<int> saturatingExamples;
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        std::vector<bool> used(param.variantCount, false);
        for (int e = 0; e < task.exampleCount; ++e) {
            const int v = task.examples[e].inputVariant[i];
            if (v < 0 || v >= param.variantCount) continue;
            used[v] = true;
            if (std::abs(param.variantValues[v]) > SaturationLimit) saturatingExamples.insert(e);
        }
        std::string names, values;
        for (int j = 0; j < param.variantCount; ++j) {
            if (!used[j])
                names += (names.empty() ? "" : ", ") + QuotedTaskText(param.variantNames[j]);
            if (std::abs(param.variantValues[j]) > SaturationLimit)
                values += (values.empty() ? "" : ", ") + QuotedTaskText(param.variantNames[j]) +
                          " = " + FormatG(param.variantValues[j], 6);
        }
        const std::string head =
            (unused.empty() ? " " : "; ") + QuotedTaskText(task.inputNames[i]) + ": ";
        if (!names.empty()) unused += head + names;
        if (!values.empty())
            saturating += (saturating.empty() ? " " : "; ") + QuotedTaskText(task.inputNames[i]) +
                          ": " + values;
    }
    if (!unused.empty()) findings.push_back(UnusedVariantsHeading + unused + ".");
    if (!saturating.empty()) {
        std::string line = SaturatingHeading + saturating;
        if (!saturatingExamples.empty())
            line += SaturatingExamplesText +
                    NumberList({saturatingExamples.begin(), saturatingExamples.end()}, ", ");
        findings.push_back(line + ".");
    }
}

}  // namespace

std::vector<std::string> CheckTaskData(const NetTask& task) {
    std::vector<std::string> findings;
    CheckExamples(task, findings);
    CheckDefinition(task, findings);
    return findings;
}

std::string FormatCheckReport(const std::vector<std::string>& findings) {
    if (findings.empty()) return NoFindingsReport;
    std::string text = FindingsHeading;
    for (const std::string& finding : findings) text += "\n- " + finding;
    return text;
}
