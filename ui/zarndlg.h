// The main window: the setup layout (input parameters and output variants)
// and the training layout (examples, network settings, training), the mode
// buttons, the file commands and the closing rules.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/task.h"
#include "ui/messagebox.h"

namespace Ui {
class CZarnDlg;
}
class CMSFlexGrid;
class QAction;
class CZarnDlgAutoProxy;  // the automation proxy; none exists without an automation client

class CZarnDlg : public QDialog {
    Q_OBJECT

  public:
    // Save and Open: task files; OpenData and SaveAnswers: the tables of
    // answering a table (see AnswerTableFile).
    enum class FileDialogKind { Save, Open, OpenData, SaveAnswers };
    // Returns the chosen path, or empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent, FileDialogKind kind)>;
    using SeedProvider = std::function<uint32_t()>;

    CZarnDlg(NetTask& task, DialogState& state, QWidget* parent = nullptr);
    ~CZarnDlg() override;

    // The one test every way of closing passes: with an automation client
    // attached the window is only hidden.
    bool MayClose();
    CZarnDlgAutoProxy* Proxy() const { return m_proxy; }
    void SetProxy(CZarnDlgAutoProxy* proxy) { m_proxy = proxy; }

    // Rebuilds the tables of the mode in dialogMode from the task and sets the
    // availability of the training, check and graph buttons.
    void RefreshTables();

    // The seed of each training run (the current time by default).
    void SetSeedProvider(SeedProvider provider) { m_seedProvider = std::move(provider); }
    // The save and open file dialogs (Qt's file dialogs by default).
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }

    // Loads a file as the load button does after its file dialog, with the
    // same messages: a data file through the import dialog, any other as a
    // task file (also used for a file named on the command line).
    void LoadFile(const QString& path);
    // Loads a task file, with the load button's messages.
    void LoadTaskFile(const QString& path);

    bool TrainingLayoutShowing() const { return m_trainingLayout; }
    bool TrainingRunning() const { return m_trainingRun; }

    // Whether the user has changed the task since the start, the last save or
    // the last load (a definition, an example, the hidden-layer size, or a
    // training run that left a usable network, which the task file keeps),
    // and it is no longer what was stored then (an edit undone is no change).
    bool TaskChanged() const;
    // Before the program ends with its window showing, or a load replaces the
    // task: asks whether to save the changes. True when it may go on (no
    // changes, window hidden, UiTexts::NoButton, or UiTexts::YesButton and a
    // successful save).
    bool MayDiscardChanges();
    // Where the file dialogs open: the folder of the last task loaded or
    // saved, and for saving the current file once there is one.
    QString FileDialogStart(FileDialogKind kind) const;

    // The file types the open and save dialogs offer, tasks first.
    static QStringList TaskFileFilters();

    // The button caption while no training runs.
    static QString TrainCaption();

    // Exit button: ends the dialog when MayClose allows it.
    void reject() override;
    // Enter never ends the program: there is no OK command.
    void accept() override {}

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Setup panel.
    void OnAddInput();
    void OnChangeInput();
    void OnDeleteInput();
    void OnEditOutput();
    void OnDeleteOutput();
    void RunParamEditor(bool open);
    // Modes.
    void OnSetupMode();
    void OnTrainingMode();
    // Shows the controls of one layout and hides those of the other (and the
    // graph button when leaving for the setup layout).
    void ShowLayout(bool training);
    void OnHiddenChanged();
    void SetHiddenText(const QString& text);
    // Training panel.
    void OnTrain();
    // Held-out accuracy of the current settings, and settings found by
    // cross-validation put into the three edits (ui/evaluationrunner).
    void OnEvaluate();
    void OnTune();
    void OnErrorGraph();
    void OnAddExample();
    void OnCheck();
    void OnAnswerTable();
    void OnDeleteExample();
    void FillExampleTable();
    // Files.
    void OnSaveToFile();
    bool SaveTask();  // true when the task was written
    void OnLoadFromFile();
    void TaskStored(const QString& path);  // saved to or loaded from path
    // About box.
    void OnAbout();

    void RefreshSetupTables();
    // The program's title, the current file's name and the unsaved-changes mark.
    void UpdateTitle();
    void UpdateTrainingModeButton();
    // Runs an edit of the task; a change in what a save would write marks
    // the task changed.
    template <typename Edit>
    void TrackEdit(Edit&& edit);

    std::unique_ptr<Ui::CZarnDlg> m_ui;
    NetTask& m_task;
    DialogState& m_state;
    MessageBox m_user;
    CZarnDlgAutoProxy* m_proxy = nullptr;  // not owned
    QAction* m_aboutAction = nullptr;
    SeedProvider m_seedProvider;
    FileChooser m_fileChooser;
    bool m_trainingLayout = false;
    bool m_trainingRun = false;
    std::atomic<bool> m_stopRequested{false};
    bool m_taskChanged = false;                // the user has edited the task
    std::optional<std::string> m_storedBytes;  // the task as last started, saved or loaded
    QString m_currentFile;                     // the task file last loaded or saved
    QString m_programTitle;                    // the window's own title, from the form
};
