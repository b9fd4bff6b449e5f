#include "model/texts.h"

// Definition rules.
const char* const InputsLimitMessage =
    "Извините, в это версии программы кол-во входных нейронов ограничено числом 12.";
const char* const AddParamQuestion =
    "Добавление новых параметров возможно только с удалением всех примеров.\n"
    "Хотите всё равно Продолжить?";
const char* const ChangeParamQuestion =
    "Изменение параметров возможно только с удалением всех примеров.\n"
    "Хотите всё равно Продолжить?";
const char* const DeleteParamQuestion =
    "Удаление этого параметра возможно только с удалением всех примеров.\n"
    "Хотите всё равно Продолжить?";
const char* const DeletedMessage = "Удалено!";

// Examples.
const char* const ExamplesFullMessage = "Примеров не может быть больше 500!";

// The parameter editor's sheet.
const char* const VariantNameEmptyMessage = "Не заполнено поле наименование варианта!";
const char* const DuplicateValueMessage = "Такое значение уже есть!";
const char* const ParamNameEmptyMessage = "Не заполнено поле название параметра!";
const char* const NoVariantsMessage = "Не указаны варианты параметра!";
const char* const NoOutputsMessage = "Не указаны выходные параметры!";
const char* const VariantsFullMessage = "У параметра не может быть больше 500 вариантов!";
const char* const OutputsFullMessage = "Выходных вариантов не может быть больше 500!";
const char* const ValueNotFiniteMessage =
    "Значение должно быть конечным числом (бесконечность и NaN недопустимы)!";
const char* const ValueNotNumberMessage =
    "В поле значения должно быть число (дробная часть через точку, например 0.5)!";
const char* const NameHeading = "Наименование";

// Saving.
const char* const NotEnoughToSaveMessage = "Не достаточно информации для сохранения";

// Table headings.
const char* const ResultHeading = "Результат";

// A number given for a parameter.
std::string BetweenValuesText(const std::string& below, const std::string& above) {
    return " (между " + below + " и " + above + ")";
}

std::string OutsideRangeText(const std::string& low, const std::string& high) {
    return "; вне обученного диапазона " + low + " … " + high;
}
