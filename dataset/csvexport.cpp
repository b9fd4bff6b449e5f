#include "dataset/csvexport.h"

#include "model/cp1251.h"
#include "model/examples.h"

const char* const ResultColumnHeading = "Результат";

std::string CsvCell(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                          text.back() == ' ' || text.back() == '\t'));
    if (!quote) return text;
    std::string cell = "\"";
    for (char c : text) cell += c == '"' ? std::string("\"\"") : std::string(1, c);
    return cell + "\"";
}

std::string FormatExamplesCsv(const NetTask& task) {
    std::string text;
    for (int i = 0; i < task.inputCount; ++i)
        text += CsvCell(Cp1251ToUtf8(task.inputNames[i])) + ",";
    text += CsvCell(ResultColumnHeading) + "\n";
    for (int e = 0; e < task.exampleCount; ++e) {
        const Example& example = task.examples[e];
        for (int i = 0; i < task.inputCount; ++i)
            text +=
                CsvCell(Cp1251ToUtf8(task.inputParams[i].variantNames[example.inputVariant[i]])) +
                ",";
        const int result = ExampleResult(task, e);
        text += (result >= 0 ? CsvCell(Cp1251ToUtf8(task.outputNames[result])) : "") + "\n";
    }
    return text;
}
