#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/load_task.h"
#include "cli/texts.h"
#include "model/cp1251.h"
#include "model/numtext.h"

namespace {

// The value as the file holds it (six decimals), without trailing zeros.
std::string ValueText(double value) {
    std::string text = FormatLf(value);
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

void PrintTask(const NetTask& task, std::ostream& out) {
    out << InputsHeading << task.inputCount << "\n";
    for (int i = 0; i < task.inputCount; ++i) {
        const InputParam& param = task.inputParams[i];
        out << "  " << Cp1251ToUtf8(task.inputNames[i]) << ":";
        for (int j = 0; j < param.variantCount; ++j)
            out << (j ? "; " : " ") << Cp1251ToUtf8(param.variantNames[j]) << " = "
                << ValueText(param.variantValues[j]);
        if (param.variantCount == 0) out << NoVariantsNote;
        out << "\n";
    }
    out << OutputsHeading << task.outputCount << "\n";
    for (int j = 0; j < task.outputCount; ++j)
        out << "  " << Cp1251ToUtf8(task.outputNames[j]) << "\n";
    out << HiddenHeading << task.hiddenCount << "\n";
    out << ExamplesHeading << task.exampleCount << "\n";
    // The loader has checked every index, so each names an existing variant.
    for (int k = 0; k < task.exampleCount; ++k) {
        const Example& example = task.examples[k];
        out << " ";
        for (int i = 0; i < task.inputCount; ++i)
            out << " " << Cp1251ToUtf8(task.inputNames[i]) << "="
                << Cp1251ToUtf8(task.inputParams[i].variantNames[example.inputVariant[i]]);
        out << " ->";
        for (int j = 0; j < task.outputCount; ++j)
            if (example.target[j] == 1.0) out << " " << Cp1251ToUtf8(task.outputNames[j]);
        out << "\n";
    }
}

int RunShow(const std::string& path) {
    auto task = std::make_unique<NetTask>();
    const int code = LoadTaskForCommand(*task, path);
    if (code != ExitOk) return code;
    PrintTask(*task, std::cout);
    std::cout << std::flush;
    return ExitOk;
}

}  // namespace

void AddShowCommand(CLI::App& app, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* show = app.add_subcommand("show", "Print a task file readably");
    show->add_option("TASKFILE", *path, "Task file to show")->required();
    show->callback([path, &exitCode] { exitCode = RunShow(*path); });
}
