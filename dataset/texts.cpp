#include "dataset/texts.h"

#include "model/numtext.h"
#include "model/plaintext.h"
#include "model/task.h"

namespace {

// How to choose other columns, in both programs.
const char* const ChooseInputs =
    " (zarn-cli: --inputs A,B,…; в программе — галочками в окне импорта).";
const char* const ChooseResult = " (zarn-cli: --result ИМЯ; в программе — в окне импорта).";

std::string ColumnsLimitText(const std::string& limit) {
    return ", а столбцов в таблице может быть не больше " + limit +
           " (входных из них — не больше 12).";
}

std::string ExamplesLimitText(const std::string& limit) {
    return ", а примеров в задаче может быть не больше " + limit + ". Оставьте в файле не больше " +
           limit + " строк (например, разделите его на части).";
}

std::string Always(const std::string& className) {
    return "«всегда " + className + "»";
}

}  // namespace

// Reading tables.
std::string LineText(long long line) {
    return "Строка " + std::to_string(line) + ": ";
}

const char* const NoHeaderMessage = "Таблица пуста: нет строки с названиями столбцов.";

std::string FileTooLargeMessage(long long megabytes) {
    return "Файл больше " + std::to_string(megabytes) +
           " МБ: столько строк задача не вместит (примеров не больше 500).";
}

std::string TooManyRowsMessage() {
    const std::string limit = std::to_string(MaxExamples);
    return "Строк с данными больше " + limit + " в каждом столбце" + ExamplesLimitText(limit);
}

std::string NumberedColumnName(long long n) {
    return "Столбец " + std::to_string(n);
}

// CSV reading.
std::string CsvTooManyFieldsMessage(long long line, long long maxFields) {
    return LineText(line) + "полей больше " + std::to_string(maxFields) +
           ColumnsLimitText(std::to_string(maxFields));
}

std::string CsvQuoteNotClosedMessage(long long line) {
    return LineText(line) + "кавычка, открытая в этой строке, не закрыта.";
}

std::string CsvTextAfterQuoteMessage(long long line, char found) {
    return LineText(line) + "после закрывающей кавычки стоит «" + std::string(1, found) +
           "»; кавычку внутри поля пишут дважды (\"\").";
}

std::string FieldCountMessage(int line, std::size_t fields, std::size_t headerFields) {
    return LineText(line) + "полей " + std::to_string(fields) + ", а в строке заголовка " +
           std::to_string(headerFields) + ".";
}

// ARFF reading.
const char* const NotArffMessage = "Это не файл ARFF: нет строки @relation.";

std::string ArffQuoteNotClosedReason(char quote) {
    return std::string("кавычка ") + quote + " не закрыта до конца строки.";
}

std::string ArffRelationFirstReason(const std::string& found) {
    return "файл ARFF начинается с @relation, а здесь «" + found + "».";
}

const char* const ArffNoAttributesReason = "перед @data нет ни одного @attribute.";

std::string ArffUnexpectedReason(const std::string& found) {
    return "ожидались @attribute или @data, а здесь «" + found + "».";
}

const char* const ArffNoDataReason = "нет раздела @data.";
const char* const ArffNoNameReason = "у @attribute нет имени.";

std::string ArffTooManyAttributesReason(long long maxColumns) {
    return "атрибутов больше " + std::to_string(maxColumns) +
           ColumnsLimitText(std::to_string(maxColumns));
}

std::string ArffDuplicateAttributeReason(const std::string& attribute) {
    return "атрибут «" + attribute + "» уже объявлен.";
}

std::string ArffNoTypeReason(const std::string& attribute) {
    return "у атрибута «" + attribute + "» не указан тип.";
}

std::string ArffUnsupportedTypeReason(const std::string& type, const std::string& attribute) {
    return "тип «" + type + "» атрибута «" + attribute +
           "» не поддерживается (только numeric, integer, real, string, date и {список}).";
}

std::string ArffExtraTextReason(const std::string& extra) {
    return "лишний текст «" + extra + "» после типа атрибута.";
}

std::string ArffEmptyValueListReason(const std::string& attribute) {
    return "пустой список значений атрибута «" + attribute + "».";
}

std::string ArffValueExpectedReason(const std::string& attribute) {
    return "в списке значений атрибута «" + attribute + "» ожидалось значение.";
}

std::string ArffValueTwiceReason(const std::string& value, const std::string& attribute) {
    return "значение «" + value + "» атрибута «" + attribute + "» объявлено дважды.";
}

std::string ArffCommaOrCloseExpectedReason(const std::string& attribute) {
    return "в списке значений атрибута «" + attribute + "» ожидались «,» или «}».";
}

const char* const ArffSparseReason = "разреженные строки {…} не поддерживаются.";
const char* const ArffCommaAfterQuoteReason = "после закрывающей кавычки ожидалась запятая.";
const char* const ArffEmptyValueReason = "пустое значение (пропуск пишут как ?).";

std::string ArffValueCountReason(long long values, long long attributes) {
    return "значений " + std::to_string(values) + ", а атрибутов " + std::to_string(attributes) +
           ".";
}

std::string ArffNotNumberReason(const std::string& value, const std::string& attribute) {
    return "«" + value + "» не число, а атрибут «" + attribute + "» числовой.";
}

std::string ArffUndeclaredValueReason(const std::string& value, const std::string& attribute) {
    return "значение «" + value + "» не объявлено у атрибута «" + attribute + "».";
}

// The reading's decisions.
const char* const NumbersKindName = "числа";
const char* const DatesKindName = "даты";
const char* const WordsKindName = "слова";
const char* const TabMarkName = "табуляция";
const char* const SpaceMarkName = "пробел";
const char* const AnyDecimalMarkName = "точка или запятая";
const char* const ReadingHeading = "Прочитано:";

std::string ReadingSeparatorText(const std::string& mark, bool sepLine) {
    return " разделитель " + mark + (sepLine ? " (строка sep=)" : "") + ",";
}

std::string ReadingEncodingText(const std::string& encoding, const std::string& decimal) {
    return " кодировка " + encoding + ", десятичный знак " + decimal + ".";
}

std::string ReplacedBytesText(const std::string& encoding, bool readAsCp1251) {
    return " Байты, которых нет в " + encoding +
           (readAsCp1251 ? ", прочитаны как Windows-1251" : ", заменены") + " в строках";
}

std::string AndMoreText(long long more) {
    return " и ещё " + std::to_string(more);
}

// Import refusals.
std::string ResultClassesTooManyMessage(const std::string& column, long long classes,
                                        long long maxOutputs) {
    return "В столбце результата " + Quoted(column) + " различных значений " + FormatInt(classes) +
           ", а выходных вариантов может быть не больше " + FormatInt(maxOutputs) +
           ". Выберите другой столбец результата" + ChooseResult;
}

const char* const NoDataRowsMessage = "В таблице нет строк с данными.";

std::string NoResultValuesMessage(const std::string& column) {
    return "Ни в одной строке нет значения результата " + Quoted(column) + ".";
}

std::string TooManyDataRowsMessage(long long rows, long long maxExamples) {
    return "Строк с данными " + FormatInt(rows) + ExamplesLimitText(FormatInt(maxExamples));
}

std::string SpreadTooWideMessage(const std::string& column) {
    return "Столбец " + Quoted(column) +
           ": числа в нём так далеки друг от друга, что разность наибольшего и наименьшего не "
           "умещается в числе с плавающей точкой. Читайте его значения как слова (zarn-cli: "
           "--words ИМЯ; в программе — вид «слова» в окне импорта) или уберите его из входных" +
           ChooseInputs;
}

std::string TooManyVariantsMessage(const std::string& column, long long variants,
                                   long long maxVariants) {
    return "Столбец " + Quoted(column) + ": различных значений " + FormatInt(variants) +
           ", а вариантов у параметра может быть не больше " + FormatInt(maxVariants) +
           ". Уберите его из входных" + ChooseInputs;
}

std::string BinsRangeMessage(long long maxVariants) {
    return "Число интервалов (--bins) должно быть от 2 до " + FormatInt(maxVariants) + ".";
}

std::string ImportHiddenRangeMessage(long long maxHidden) {
    return "Размер скрытого слоя (--hidden) должен быть от 1 до " + FormatInt(maxHidden) + ".";
}

const char* const OneColumnMessage =
    "В таблице один столбец, а нужны хотя бы один входной и столбец результата.";

std::string AmbiguousColumnMessage(const std::string& column) {
    return "Столбцов с названием " + Quoted(column) + " несколько; переименуйте их в файле.";
}

std::string NoSuchColumnMessage(const std::string& column, const std::string& allColumns) {
    return "Нет столбца " + Quoted(column) + ". Столбцы: " + allColumns + ".";
}

std::string ResultAndInputMessage(const std::string& column) {
    return "Столбец " + Quoted(column) + " выбран и результатом, и входным.";
}

std::string InputTwiceMessage(const std::string& column) {
    return "Столбец " + Quoted(column) + " назван во входных дважды.";
}

std::string TooManyInputsMessage(long long inputs, long long maxInputs) {
    return "Входных столбцов " + FormatInt(inputs) +
           ", а входных параметров может быть не больше " + FormatInt(maxInputs) +
           ". Выберите входные столбцы" + ChooseInputs;
}

std::string NotCp1251Message(const std::string& text, const std::string& column) {
    return "Текст " + Quoted(text) + " (столбец " + Quoted(column) +
           ") содержит знаки, которых нет в кодировке Windows-1251, а задача хранит названия в "
           "ней.";
}

std::string NameTooLongMessage(const std::string& column, long long maxBytes) {
    return "Текст в столбце " + Quoted(column) + " длиннее " + FormatInt(maxBytes) +
           " байт, а задача хранит названия не длиннее.";
}

// The import's summary.
std::string ImportedText(long long examples, long long params, long long classes,
                         const std::string& resultColumn, long long hidden) {
    return "Импортировано: примеров " + FormatInt(examples) + ", входных параметров " +
           FormatInt(params) + ", классов " + FormatInt(classes) + " (результат — " +
           Quoted(resultColumn) + "), скрытый слой " + FormatInt(hidden) + ".";
}

std::string SkippedRowsText(long long rows) {
    return " Пропущено строк без результата: " + FormatInt(rows) + ".";
}

const char* const BinnedHeading = " Разбиты на интервалы:";
const char* const RenamedColumnsHeading = " Столбцы с одинаковыми названиями переименованы:";
const char* const DistinguishedHeading = " Одинаковые в задаче названия различены:";

// The data check's findings.
std::string MoreGroupsText(long long groups) {
    return "; и ещё групп: " + FormatInt(groups);
}

const char* const ContradictionsHeading =
    "Противоречия (одинаковые входы, разные результаты), примеры:";
const char* const DuplicatesHeading = "Повторы (одинаковые примеры):";
const char* const UnusedClassesHeading = "Классы без примеров:";
const char* const UnusedVariantsHeading = "Варианты, которых нет ни в одном примере:";
const char* const SaturatingHeading = "Значения вне -3..3 (сигмоида насыщается):";
const char* const SaturatingExamplesText = "; в примерах ";
const char* const NoFindingsReport = "Проверка данных: замечаний нет.";
const char* const FindingsHeading = "Проверка данных:";

// Refusals of an evaluation or a tuning run.
const char* const NeedsTaskToEvaluateMessage =
    "Для проверки нужны входные параметры, выходные варианты и хотя бы два примера.";
const char* const NeedsTaskToTuneMessage =
    "Для подбора нужны входные параметры, выходные варианты и хотя бы два примера.";

std::string ExampleWithoutResultMessage(long long example) {
    return "У примера " + FormatInt(example) + " нет результата.";
}

std::string FoldsRangeMessage(long long examples) {
    return "Число частей (--folds) должно быть от 2 до числа примеров (" + FormatInt(examples) +
           ").";
}

const char* const RepeatRangeMessage = "Число повторов (--repeat) должно быть от 1 до 100.";
const char* const HoldoutRangeMessage =
    "Доля отложенных примеров (--holdout) должна быть больше 0 и меньше 1.";
const char* const HoldoutLeavesNoneMessage =
    "При такой доле (--holdout) не остаётся примеров для проверки или для обучения.";

std::string MaxIterationsRangeMessage(long long maxIterations) {
    return "Наибольшее число итераций должно быть от 1 до " + FormatInt(maxIterations) + ".";
}

const char* const BudgetMessage =
    "Бюджет времени (--budget) должен быть числом секунд (0 — без ограничения).";
const char* const CoefRangeMessage = "Коэффициент обучения должен быть больше 0 и не больше 1.";

// The evaluation's report and verdict.
std::string HeldOutShareText(const std::string& percent) {
    return "Отложено " + percent + "% примеров";
}

std::string CrossValidationText(long long folds) {
    return "Перекрёстная проверка: частей " + FormatInt(folds);
}

std::string RepeatsAndExamplesText(long long repeats, long long examples) {
    return ", повторов " + FormatInt(repeats) + ", примеров " + FormatInt(examples);
}

std::string TunedPerFoldText(long long folds) {
    return ", настройки подобраны на обучающих примерах каждой части (частей " + FormatInt(folds) +
           ")";
}

std::string FixedSettingsText(long long hidden, const std::string& iterations,
                              const std::string& coef) {
    return ", скрытый слой " + FormatInt(hidden) + ", итераций " + iterations + ", коэффициент " +
           coef;
}

std::string SeedText(long long seed) {
    return ", зерно " + FormatInt(seed) + "\n";
}

const char* const ChosenSettingsHeading =
    "Выбранные настройки (скрытый слой/коэффициент/итераций):";

std::string HeldOutAccuracyLine(const std::string& mean, const std::string& deviation,
                                long long runs) {
    return "Точность на отложенных примерах: " + mean + "% ± " + deviation + "% (обучений " +
           FormatInt(runs) + ")\n";
}

std::string TrainAccuracyLine(const std::string& mean) {
    return "Точность на обучающих примерах: " + mean + "%\n";
}

std::string MajorityClassLine(const std::string& className, const std::string& percent) {
    return "Самый частый класс (" + className + ") всегда: " + percent + "%\n";
}

const char* const ConfusionHeading =
    "Ответы на отложенных примерах (строки — верный класс, столбцы — ответ сети):\n";
const char* const ConfusionCorner = "верный \\ ответ";

std::string WorseThanMajorityVerdict(const std::string& className) {
    return "На новых примерах сеть ошибается чаще, чем ответ " + Always(className) +
           ". Попробуйте «Подобрать».";
}

std::string MemorisingVerdict(const std::string& training, const std::string& heldOut) {
    return "Сеть заучивает обучающие примеры (" + training +
           " верно), а на новых ошибается заметно чаще (" + heldOut +
           " верно). Попробуйте «Подобрать» или меньше итераций.";
}

std::string GoodVerdict(const std::string& heldOut, const std::string& className,
                        const std::string& majorityPercent) {
    return "На новых примерах сеть отвечает верно примерно в " + heldOut +
           " случаев — лучше, чем ответ " + Always(className) + " (" + majorityPercent + ").";
}

// The tuning's settings and report.
std::string HiddenSettingName(long long hidden) {
    return "скрытый слой " + FormatInt(hidden);
}

std::string CoefSettingName(const std::string& coef) {
    return "коэффициент " + coef;
}

std::string IterationsSettingName(long long iterations) {
    return "итераций " + FormatInt(iterations);
}

std::string TuningHeadText(long long folds, long long examples, long long seed) {
    return "Подбор перекрёстной проверкой: частей " + FormatInt(folds) + ", примеров " +
           FormatInt(examples) + ", зерно " + FormatInt(seed) + "\nИспытано: скрытый слой";
}

const char* const TriedCoefsHeading = "; коэффициент";
const char* const TriedIterationsHeading = "; итераций";

std::string LeftOutHeading(const std::string& seconds) {
    return "Не испытано из-за бюджета времени (" + seconds + " с):";
}

std::string ChosenLine(const std::string& setting, const std::string& mean,
                       const std::string& deviation) {
    return "Выбрано: " + setting + " — " + mean + "% ± " + deviation + "% на отложенных примерах\n";
}

std::string TieRuleLine(const std::string& tolerance) {
    return "(лучшая средняя точность; в пределах " + tolerance +
           " пункта выигрывает меньший скрытый слой, затем меньше итераций)\n";
}

const char* const BestSettingsHeading = "Лучшие настройки (среднее ± отклонение по частям):\n";

std::string MajorityAlwaysLine(const std::string& percent) {
    return "Самый частый класс всегда: " + percent + "%\n";
}

// Answers for a table.
const char* const AnswerHeading = "Ответ";
const char* const SignalHeading = "Сигнал";
const char* const ReasonHeading = "Причина";

std::string NoSuchVariantReason(const std::string& param, const std::string& value) {
    return Quoted(param) + ": нет варианта " + Quoted(value);
}

std::string NoValueReason(const std::string& param) {
    return Quoted(param) + ": нет значения";
}

const char* const NoAnswerReason = "сеть не может дать ответ на эти значения";

std::string TooManyRowsToAnswerMessage(long long maxExamples) {
    return "В таблице больше " + FormatInt(maxExamples) +
           " строк с данными: за раз можно ответить не больше чем на " + FormatInt(maxExamples) +
           ". Разделите файл на части.";
}

std::string NoInputColumnMessage(const std::string& param) {
    return "В таблице нет столбца " + Quoted(param) + " (входной параметр задачи).";
}

std::string NoResultColumnMessage(const std::string& column) {
    return "В таблице нет столбца результата " + Quoted(column) + ".";
}

std::string AnsweredText(long long answered, long long rows) {
    return "Отвечено строк: " + FormatInt(answered) + " из " + FormatInt(rows) + ".";
}

std::string UnansweredText(long long rows) {
    return " Без ответа: " + FormatInt(rows) + " (причина в столбце " + Quoted(ReasonHeading) +
           ").";
}

std::string CorrectText(long long correct, long long withResult, const std::string& percent,
                        const std::string& column) {
    return " Верно: " + FormatInt(correct) + " из " + FormatInt(withResult) + " (" + percent +
           "%) по столбцу " + Quoted(column) + ".";
}
