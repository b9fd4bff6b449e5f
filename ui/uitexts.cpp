#include "ui/uitexts.h"

#include "model/texts.h"

// ---- Main window ----

QString UiTexts::AboutAction() {
    return tr("О программе...");
}

QString UiTexts::TaskFilesFilter() {
    return tr("Задачи (*.task)");
}

QString UiTexts::TablesFilter() {
    return tr("Таблицы (*.csv *.arff)");
}

QString UiTexts::AllFilesFilter() {
    return tr("Все файлы (*)");
}

QString UiTexts::ParameterHeading() {
    return tr("Параметр");
}

QString UiTexts::VariantsHeading() {
    return tr("Варианты");
}

// The core's own words where the window shows the same heading as a file.
QString UiTexts::ResultHeading() {
    return tr(::ResultHeading);
}

QString UiTexts::GraphAccuracy(const QString& percent) {
    return tr("The network is correct %1%").arg(percent);
}

QString UiTexts::SetupPanelTitle() {
    return tr("Входные данные");
}

QString UiTexts::TrainingPanelTitle() {
    return tr("Примеры для обучения");
}

QString UiTexts::EvaluationCaption() {
    return tr("Оценка");
}

QString UiTexts::TuningCaption() {
    return tr("Подбор настроек");
}

QString UiTexts::TunedSettingsHint() {
    return tr("Выбранные настройки стоят в полях; нажмите «Обучить!», чтобы обучить сеть с ними.");
}

// ---- Saving and loading ----

QString UiTexts::NotSaved() {
    return tr("Не сохранено...");
}

QString UiTexts::FileBusy() {
    return tr("Файл сейчас записывает другая программа; повторите сохранение позже.");
}

QString UiTexts::TaskSaved() {
    return tr("Настройка НС и примеры к ней успешно сохранены!");
}

QString UiTexts::TaskLoaded() {
    return tr("Загружено успешно!");
}

QString UiTexts::NotATable() {
    return tr(
        "Это не таблица CSV или ARFF: выберите файл *.csv или *.arff со столбцами, названными как "
        "входные параметры.");
}

// ---- About box ----

QString UiTexts::Version(const QString& version) {
    return tr("Версия %1").arg(version);
}

// ---- Parameter dialog ----

QString UiTexts::AddOutputTitle() {
    return tr("Добавление выходного параметра");
}

QString UiTexts::EditInputTitle() {
    return tr("Изменение входного параметра");
}

QString UiTexts::AddInputTitle() {
    return tr("Добавление входного параметра");
}

QString UiTexts::ValueHeading() {
    return tr("значение");
}

QString UiTexts::NameHeading() {
    return tr(::NameHeading);
}

QString UiTexts::VariantNameField() {
    return tr("Наименование значения");
}

QString UiTexts::ParamNameField() {
    return tr("Название параметра");
}

// ---- Names typed into a field ----

QString UiTexts::NameHasLineBreak(const QString& field) {
    return tr("Поле «%1» содержит перевод строки. Название должно умещаться в одну строку.")
        .arg(field);
}

QString UiTexts::NameHasForeignCharacter(const QString& field, const QString& character) {
    return tr("Поле «%1» содержит символ «%2», которого нет в кодировке Windows-1251. Замените "
              "его: задача хранит только символы этой кодировки.")
        .arg(field, character);
}

// ---- Example dialog ----

QString UiTexts::ExampleIncomplete() {
    return tr(
        "Пример не добавлен: для каждого входного параметра и для результата нужно выбрать "
        "вариант.");
}

QString UiTexts::NoAnswer() {
    return tr("Сеть не может дать ответ: проверьте параметры задачи и размер скрытого слоя.");
}

QString UiTexts::UnknownValue(const QString& param, const QString& typed) {
    return tr("Параметр «%1»: нет варианта «%2». Выберите вариант из списка или введите число.")
        .arg(param, typed);
}

// ---- Import dialog ----

QString UiTexts::ExactValues() {
    return tr("точные значения");
}

QString UiTexts::ColumnHeading() {
    return tr("Столбец");
}

QString UiTexts::KindHeading() {
    return tr("Вид");
}

QString UiTexts::DistinctHeading() {
    return tr("Различных");
}

QString UiTexts::TableSize(const QString& source, std::size_t rows, std::size_t columns) {
    // One pass: a name holding "%2" is not filled in again.
    return tr("%1: строк %2, столбцов %3")
        .arg(source, QString::number(rows), QString::number(columns));
}

QString UiTexts::NoInputColumn() {
    return tr("Не выбран ни один входной столбец.");
}

QString UiTexts::RowsWithoutResult(int rows) {
    return tr("Строк без результата: %1 — они не войдут в задачу.").arg(QString::number(rows));
}

QString UiTexts::RenamedPrefix() {
    return tr("Названия с добавкой, чтобы различать их: ");
}

// ---- Messages ----

QString UiTexts::SaveChangesQuestion() {
    return tr("Задача изменена. Сохранить изменения?");
}

QString UiTexts::YesButton() {
    return tr("Да");
}

QString UiTexts::NoButton() {
    return tr("Нет");
}

QString UiTexts::CancelButton() {
    return tr("Отмена");
}
