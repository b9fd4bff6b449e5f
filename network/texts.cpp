#include "network/texts.h"

#include "model/numtext.h"

// Refusals of the train button's settings and task.
const char* const IterationsMessage =
    "Не корректное число иттераций! (Допускается от 1 до 10 млн.)";
const char* const CoefficientMessage =
    "Не корректный коэффициент обучения! (Допускается от 0 до 1.)";
const char* const NoExamplesMessage = "Не найдено не одного примера для обучения";
const char* const OutOfMemoryMessage = "Не хватает памяти для обучения.";

std::string HiddenSizeMessage(long long maxHidden) {
    return "Размер скрытого слоя должен быть от 1 до " + FormatInt(maxHidden) + ".";
}

const char* const ShapeUndefinedMessage =
    "Задача не определена: нужны от 1 до 12 входных параметров и от 1 до 500 "
    "выходных вариантов.";
const char* const TooManyExamplesMessage = "Слишком много примеров.";

std::string NoVariantsOfInputMessage(long long input) {
    return "Входной параметр " + FormatInt(input) + " не имеет вариантов.";
}

std::string ExampleNamesNoVariantMessage(long long example) {
    return "Пример " + FormatInt(example) + " ссылается на несуществующий вариант.";
}

// The train button's captions and the closing message of a run.
const char* const TrainButtonCaption = "Обучить!";

std::string ProgressCaption(long long percent) {
    // The caption begins with a Latin capital C followed by Cyrillic letters.
    return "C\xD0\xB5ть в процессе обучения... " + FormatInt(percent) + "%";
}

std::string AccuracyLine(double percent) {
    return "Network is " + FormatFixed(percent, 2) + "% correct\n";
}

std::string StoppedLine(long long passes, long long plannedPasses) {
    return "Обучение остановлено после прохода " + FormatInt(passes) + " из " +
           FormatInt(plannedPasses) + ".";
}
