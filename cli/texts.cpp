#include "cli/texts.h"

#include "model/numtext.h"
#include "model/plaintext.h"

std::string CannotOpenFileMessage(const std::string& path) {
    return "Файл не открылся: " + path;
}

std::string NotDataFileMessage(const std::string& path) {
    return path + ": не похоже ни на CSV, ни на ARFF (назовите файл *.csv или *.arff).";
}

std::string TableTooLargeMessage(const std::string& path) {
    return "Таблица слишком велика: " + path;
}

std::string CannotWriteMessage(const std::string& path, const std::string& why) {
    return "Нельзя записать " + path + ": " + why;
}

std::string SameFileMessage(const std::string& output, const std::string& other) {
    return "Нельзя записать " + output + ": это тот же файл, что и " + other;
}

std::string WriteFailedMessage(const std::string& path, const std::string& why) {
    return "Не удалось записать " + path + ": " + why;
}

const char* const NetworkNotSavedMessage =
    "Сеть не сохранена: она не распознала ни одного примера.";

const char* const NoSavedNetworkMessage =
    "В файле нет сохранённой сети: обучите её и сохраните с задачей "
    "(zarn-cli train ФАЙЛ --out ФАЙЛ).";
const char* const NoAnswerMessage = "Сеть не может дать ответ на эти значения.";

std::string NoColumnMessage(const std::string& name) {
    return "В таблице нет столбца " + Quoted(name) + ".";
}

std::string QuestionPrefix(std::size_t number) {
    return "Вопрос " + FormatInt(static_cast<long long>(number)) + ": ";
}

const char* const NoOtherVariantChangesMessage = "другие варианты ответ не меняют";

std::string NamesOnOffer(const std::string& joinedNames) {
    return ". Есть: " + joinedNames + ".";
}

std::string NumberWanted(const std::string& low, const std::string& high) {
    return ": задайте число (сеть обучена на значениях от " + low + " до " + high + ").";
}

std::string NoVariantMessage(const std::string& name, const std::string& param) {
    return "Нет варианта " + Quoted(name) + " у параметра " + Quoted(param);
}

std::string NoParamMessage(const std::string& name) {
    return "Нет параметра " + Quoted(name);
}

std::string ExtraVariantMessage(const std::string& word, int paramCount) {
    return "Лишний вариант " + Quoted(word) + ": параметров всего " + FormatInt(paramCount) + ".";
}

std::string VariantTwiceMessage(const std::string& param) {
    return "Вариант параметра " + Quoted(param) + " задан дважды.";
}

std::string VariantMissingMessage(const std::string& param) {
    return "Не задан вариант параметра " + Quoted(param);
}

std::string SeparatorOptionMessage(const std::string& given) {
    return "--separator: один знак (например, \";\" или \",\") или tab, а не " + Quoted(given) +
           ".";
}

std::string DecimalOptionMessage(const std::string& given) {
    return "--decimal: «.» или «,», а не " + Quoted(given) + ".";
}

std::string EncodingOptionMessage(const std::string& given) {
    return "--encoding: utf-8, windows-1251, utf-16, utf-16le или utf-16be, а не " + Quoted(given) +
           ".";
}

const char* const ColumnsHeading = "Столбцы:";

const char* const InputsHeading = "Входные параметры: ";
const char* const NoVariantsNote = " (нет вариантов)";
const char* const OutputsHeading = "Выходные варианты: ";
const char* const HiddenHeading = "Скрытый слой: ";
const char* const ExamplesHeading = "Примеры: ";

const char* const UnknownKernelMessage =
    "ZARN_KERNEL: неизвестный путь (допускаются generic и avx2), используется путь по умолчанию.";
const char* const NoAvx2Message =
    "ZARN_KERNEL=avx2: процессор не поддерживает AVX2, используется generic.";

std::string TrainingProgressLine(const std::string& percent, const std::string& done,
                                 const std::string& planned, const std::string& elapsed,
                                 const std::string& rest) {
    return percent + "% проход " + done + " из " + planned + ", прошло " + elapsed + ", осталось " +
           rest;
}

std::string EvaluationProgressLine(int percent) {
    return "Оценка с подбором: " + FormatInt(percent) + "%";
}

std::string TuningProgressLine(int percent) {
    return "Подбор: " + FormatInt(percent) + "%";
}

const char* const TuningStoppedMessage = "Подбор остановлен; ничего не выбрано.";
