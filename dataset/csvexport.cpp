#include "dataset/csvexport.h"

#include "model/cp1251.h"
#include "model/examples.h"
#include "model/texts.h"

std::string CsvCell(const std::string& text) {
    // Whatever the reader would split, trim or take as missing goes in quotes:
    // any separator it may choose, blanks at the ends and an empty cell.
    const bool quote = text.empty() || text.find_first_of(",;\t\"\r\n") != std::string::npos ||
                       text.front() == ' ' || text.back() == ' ';
    if (!quote) return text;
    std::string cell = "\"";
    for (char c : text) cell += c == '"' ? std::string("\"\"") : std::string(1, c);
    return cell + "\"";
}

std::string FormatExamplesCsv(const NetTask& task) {
    std::string text;
    for (int i = 0; i < task.inputCount; ++i)
        text += CsvCell(Cp1251ToUtf8(task.inputNames[i])) + ",";
    text += CsvCell(ResultHeading) + "\n";
    for (int e = 0; e < task.exampleCount; ++e) {
        const Example& example = task.examples[e];
        for (int i = 0; i < task.inputCount; ++i)
            text +=
                CsvCell(Cp1251ToUtf8(task.inputParams[i].variantNames[example.inputVariant[i]])) +
                ",";
        const int result = ExampleResult(task, e);
        // A class named "?" is no missing result; an input's "?" stands for one and stays bare.
        const std::string name = result >= 0 ? Cp1251ToUtf8(task.outputNames[result]) : "";
        text += (result < 0 ? "" : name == "?" ? "\"?\"" : CsvCell(name)) + "\n";
    }
    return text;
}
