#include "storage/texts.h"

#include "model/numtext.h"

// Loading a task file.
const char* const CannotOpenMessage = "Файл не открылся.";
const char* const NetworkDamagedMessage = "Сеть в файле повреждена и не загружена.";
const char* const ScalesDamagedMessage =
    "Шкалы числовых параметров в файле повреждены и не загружены.";
const char* const RecoveryCopyMessage = "Файл повреждён; предыдущая версия сохранена в ";

// A refused task file.
std::string NotLoadedMessage(long long line, bool pastEnd, const std::string& reason) {
    std::string text = "Файл не загружен. Строка " + FormatInt(line);
    if (pastEnd) text += " (файл кончился раньше)";
    return text + ": " + reason;
}

std::string NumberTooLongReason(long long maxBytes) {
    return "число длиннее " + FormatInt(maxBytes) + " байт.";
}

std::string NameTooLongReason(long long maxBytes) {
    return "имя длиннее " + FormatInt(maxBytes) + " байт.";
}

const char* const ReadFailedReason = "ошибка чтения файла.";

std::string CountOutOfRangeReason(const std::string& count, long long value, long long capacity) {
    return count + " равно " + FormatInt(value) + ", а допускается от 0 до " + FormatInt(capacity) +
           ".";
}

const char* const InputCountName = "число входных параметров";
const char* const OutputCountName = "число выходных вариантов";
const char* const ExampleCountName = "число примеров";

std::string VariantCountName(long long input) {
    return "число вариантов входного параметра " + FormatInt(input);
}

std::string VariantValueNotFiniteReason(long long variant, long long input) {
    return "значение варианта " + FormatInt(variant) + " входного параметра " + FormatInt(input) +
           " не является конечным числом.";
}

namespace {

std::string InExample(long long example) {
    return "в примере " + FormatInt(example) + " ";
}

std::string OfInput(long long input) {
    return "входного параметра " + FormatInt(input);
}

}  // namespace

std::string ExampleVariantOfEmptyParamReason(long long example, long long variant,
                                             long long input) {
    return InExample(example) + "выбран вариант " + FormatInt(variant) + " " + OfInput(input) +
           ", а у этого параметра нет вариантов.";
}

std::string ExampleVariantOutOfRangeReason(long long example, long long input, long long variant,
                                           long long last) {
    return InExample(example) + "номер варианта " + OfInput(input) + " равен " +
           FormatInt(variant) + ", а допускается от 0 до " + FormatInt(last) + ".";
}

std::string ExampleResultWithoutOutputsReason(long long example, long long result) {
    return InExample(example) + "результат " + FormatInt(result) + ", а выходных вариантов нет.";
}

std::string ExampleResultOutOfRangeReason(long long example, long long result, long long last) {
    return InExample(example) + "номер результата равен " + FormatInt(result) +
           ", а допускается от 0 до " + FormatInt(last) + ".";
}

// Why a file could not be written.
const char* const BusyReason = "файл записывает другая программа, дождаться не удалось";
const char* const NotAllowedReason = "нет права на запись";
const char* const NotRegularReason = "это не обычный файл";
const char* const NoFolderReason = "такой папки нет";
const char* const NoRecoveryRoomReason = "негде сохранить копию прежнего содержимого";
const char* const DiskFullReason = "на диске нет места";
const char* const FileTooBigReason = "файл слишком велик";
const char* const ReadOnlyDiskReason = "диск только для чтения";
const char* const ContentRefusedReason = "содержимое не прошло проверку перед записью";

std::string WriteErrorReason(int error) {
    return "ошибка записи (errno " + std::to_string(error) + ")";
}
