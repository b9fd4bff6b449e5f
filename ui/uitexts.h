// The window's own texts, all in one place and all through tr(): with no
// translation installed they are the source texts exactly; a translation can
// be added later without touching the code that shows them.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstddef>

class UiTexts {
    Q_DECLARE_TR_FUNCTIONS(UiTexts)

  public:
    // ---- Main window ----
    // The context menu's (and F1's) entry that opens the about box.
    static QString AboutAction();
    // The file dialogs' filters: task files, data tables, anything.
    static QString TaskFilesFilter();
    static QString TablesFilter();
    static QString AllFilesFilter();
    // The input table's headings: the parameter's name and its variants.
    static QString ParameterHeading();
    static QString VariantsHeading();
    // The heading of the example table's last column, the output variant.
    static QString ResultHeading();
    // The panel's title in the setup and the training layout.
    static QString SetupPanelTitle();
    static QString TrainingPanelTitle();
    // Under the error graph; percent is formatted already.
    static QString GraphAccuracy(const QString& percent);
    // The progress captions of the running evaluation and tuning.
    static QString EvaluationCaption();
    static QString TuningCaption();
    // Follows the tuning report: where the chosen settings now stand.
    static QString TunedSettingsHint();

    // ---- Saving and loading ----
    static QString NotSaved();
    // A save refused because another program holds the file for writing.
    static QString FileBusy();
    static QString TaskSaved();
    static QString TaskLoaded();
    // A table to answer that is neither CSV nor ARFF.
    static QString NotATable();

    // ---- About box ----
    static QString Version(const QString& version);

    // ---- Parameter dialog ----
    static QString AddOutputTitle();
    static QString EditInputTitle();
    static QString AddInputTitle();
    // The variant table's headings: the variant's value and its name.
    static QString ValueHeading();
    static QString NameHeading();
    // The fields named when a typed name cannot be stored.
    static QString VariantNameField();
    static QString ParamNameField();

    // ---- Names typed into a field ----
    static QString NameHasLineBreak(const QString& field);
    // `character` is the first one without a Windows-1251 code.
    static QString NameHasForeignCharacter(const QString& field, const QString& character);

    // ---- Example dialog ----
    // Adding an example with a parameter or the result left unchosen.
    static QString ExampleIncomplete();
    static QString NoAnswer();
    // A typed text that is neither a variant nor a number the parameter's scale takes.
    static QString UnknownValue(const QString& param, const QString& typed);

    // ---- Import dialog ----
    // The bins spin box's lowest step: one variant per distinct number.
    static QString ExactValues();
    // The column table's headings: name, kind and count of distinct values.
    static QString ColumnHeading();
    static QString KindHeading();
    static QString DistinctHeading();
    // The source file's name with the table's size.
    static QString TableSize(const QString& source, std::size_t rows, std::size_t columns);
    static QString NoInputColumn();
    static QString RowsWithoutResult(int rows);
    // Starts the list of names changed to tell them apart.
    static QString RenamedPrefix();

    // ---- Messages ----
    // The question asked before unsaved changes are lost, and its buttons.
    static QString SaveChangesQuestion();
    static QString YesButton();
    static QString NoButton();
    static QString CancelButton();
};
