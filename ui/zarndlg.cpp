#include "ui/zarndlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentRun>

#include "model/definition.h"
#include "model/examples.h"
#include "model/numtext.h"
#include "model/savecheck.h"
#include "model/trainednetwork.h"
#include "network/network.h"
#include "storage/recoverycopy.h"
#include "storage/taskfile.h"
#include "storage/taskwriter.h"
#include "ui/aboutdlg.h"
#include "ui/answertable.h"
#include "ui/dataimport.h"
#include "ui/errorgraphdlg.h"
#include "ui/evaluationrunner.h"
#include "ui/exampledlg.h"
#include "ui/inputblocker.h"
#include "ui/paramdlg.h"
#include "ui/tasksettings.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"
#include "ui_zarndlg.h"

namespace {

// Column widths of the setup tables, in twips.
constexpr long InputNameTwips = 1500;
constexpr long InputVariantsTwips = 4750;
constexpr long OutputNameTwips = 4950;
// The widest an example table column grows to fit its texts, in average characters.
constexpr int MaxExampleColumnChars = 30;

void SetShown(std::initializer_list<QWidget*> widgets, bool shown) {
    for (QWidget* widget : widgets) widget->setVisible(shown);
}

QString DefaultFileChooser(QWidget* parent, CZarnDlg::FileDialogKind kind, const QString& start) {
    // Qt's own dialog, so that it speaks the program's language whatever the
    // desktop's dialogs would. Saving asks before an existing file is
    // overwritten (Qt's default) and gives a name typed without an extension
    // the task ending (a table of answers the CSV one), so that the file
    // manager knows the file.
    using Kind = CZarnDlg::FileDialogKind;
    const bool save = kind == Kind::Save || kind == Kind::SaveAnswers;
    const bool table = kind == Kind::OpenData || kind == Kind::SaveAnswers;
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = CZarnDlg::TaskFileFilters();
    dialog.setNameFilters(filters);
    if (table) dialog.selectNameFilter(filters.at(1));
    if (save) dialog.setDefaultSuffix(table ? QStringLiteral("csv") : QStringLiteral("task"));
    // A folder opens there; a file is proposed in its folder.
    const QFileInfo info(start);
    if (start.isEmpty() || info.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

CZarnDlg::CZarnDlg(NetTask& task, DialogState& state, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CZarnDlg>()),
      m_task(task),
      m_state(state),
      m_user(this),
      m_seedProvider(TimeSeed) {
    m_fileChooser = [this](QWidget* parent, FileDialogKind kind) {
        return DefaultFileChooser(parent, kind, FileDialogStart(kind));
    };
    m_ui->setupUi(this);
    m_programTitle = windowTitle();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/zarn.png")));

    // Design-time state of the three tables.
    m_ui->inputGrid->SetDesign(2, 2, 1);
    m_ui->outputGrid->SetDesign(1, 1, 0);
    m_ui->exampleGrid->SetDesign(2, 2, 1);
    m_ui->exampleGrid->horizontalHeader()->setStretchLastSection(true);
    // Examples numbered from 1 in a row header, as the data checks name them.
    m_ui->exampleGrid->verticalHeader()->show();
    // Start on a control that does nothing when a key is pressed: with the exit
    // button first in the tab order, a stray space would end the program.
    m_ui->inputGrid->setFocus();

    m_aboutAction = new QAction(UiTexts::AboutAction(), this);
    m_aboutAction->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(m_aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_aboutAction, &QAction::triggered, this, &CZarnDlg::OnAbout);

    connect(m_ui->exitButton, &QPushButton::clicked, this, &CZarnDlg::reject);
    connect(m_ui->addInputButton, &QPushButton::clicked, this, &CZarnDlg::OnAddInput);
    connect(m_ui->changeInputButton, &QPushButton::clicked, this, &CZarnDlg::OnChangeInput);
    connect(m_ui->deleteInputButton, &QPushButton::clicked, this, &CZarnDlg::OnDeleteInput);
    connect(m_ui->editOutputButton, &QPushButton::clicked, this, &CZarnDlg::OnEditOutput);
    connect(m_ui->deleteOutputButton, &QPushButton::clicked, this, &CZarnDlg::OnDeleteOutput);
    connect(m_ui->setupModeButton, &QPushButton::clicked, this, &CZarnDlg::OnSetupMode);
    connect(m_ui->trainingModeButton, &QPushButton::clicked, this, &CZarnDlg::OnTrainingMode);
    connect(m_ui->hiddenEdit, &QLineEdit::textChanged, this, &CZarnDlg::OnHiddenChanged);
    connect(m_ui->trainButton, &QPushButton::clicked, this, &CZarnDlg::OnTrain);
    connect(m_ui->evaluateButton, &QPushButton::clicked, this, &CZarnDlg::OnEvaluate);
    connect(m_ui->tuneButton, &QPushButton::clicked, this, &CZarnDlg::OnTune);
    connect(m_ui->errorGraphButton, &QPushButton::clicked, this, &CZarnDlg::OnErrorGraph);
    connect(m_ui->addExampleButton, &QPushButton::clicked, this, &CZarnDlg::OnAddExample);
    connect(m_ui->checkButton, &QPushButton::clicked, this, &CZarnDlg::OnCheck);
    connect(m_ui->answerTableButton, &QPushButton::clicked, this, &CZarnDlg::OnAnswerTable);
    connect(m_ui->deleteExampleButton, &QPushButton::clicked, this, &CZarnDlg::OnDeleteExample);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &CZarnDlg::OnSaveToFile);
    connect(m_ui->loadButton, &QPushButton::clicked, this, &CZarnDlg::OnLoadFromFile);

    // The tables show the task from the start, before any activation.
    RefreshTables();
    // The hidden-layer rule may have set the size to 1: that is the start.
    m_taskChanged = false;
    m_storedBytes = FormatTaskFile(m_task);
    UpdateTitle();
}

CZarnDlg::~CZarnDlg() = default;

QStringList CZarnDlg::TaskFileFilters() {
    return {UiTexts::TaskFilesFilter(), UiTexts::TablesFilter(), UiTexts::AllFilesFilter()};
}

QString CZarnDlg::TrainCaption() {
    return FromUtf8(TrainButtonCaption);
}

// ---- Closing -------------------------------------------------------------

bool CZarnDlg::MayClose() {
    if (m_proxy) {
        hide();
        return false;
    }
    return true;
}

void CZarnDlg::reject() {
    if (m_trainingRun) return;
    if (MayClose() && MayDiscardChanges()) QDialog::reject();
    RefreshTables();
}

bool CZarnDlg::TaskChanged() const {
    return m_taskChanged && FormatTaskFile(m_task) != m_storedBytes;
}

bool CZarnDlg::MayDiscardChanges() {
    if (m_trainingRun || !isVisible() || !TaskChanged()) return true;
    const MessageBox::SaveAnswer answer = m_user.AskSaveChanges();
    RefreshTables();  // the question has closed
    switch (answer) {
        case MessageBox::SaveAnswer::Save:
            return SaveTask();
        case MessageBox::SaveAnswer::Discard:
            return true;
        case MessageBox::SaveAnswer::Cancel:
            return false;
    }
    return false;
}

void CZarnDlg::closeEvent(QCloseEvent* event) {
    if (m_trainingRun || !MayClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CZarnDlg::keyPressEvent(QKeyEvent* event) {
    // A stray Enter or Escape must not throw away an unsaved task.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

// ---- Refresh -------------------------------------------------------------

bool CZarnDlg::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // A modal window over this one has closed; window managers differ in
    // whether this one is activated again, so refresh here as well.
    if (event->type() == QEvent::WindowUnblocked) RefreshTables();
    return handled;
}

void CZarnDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) RefreshTables();
}

void CZarnDlg::RefreshTables() {
    // During a run the worker thread owns the task.
    if (m_trainingRun) return;
    if (m_state.dialogMode < ModeTraining)
        RefreshSetupTables();
    else
        FillExampleTable();
    m_ui->checkButton->setEnabled(CheckAvailable(m_task));
    m_ui->answerTableButton->setEnabled(CheckAvailable(m_task));
    m_ui->errorGraphButton->setVisible(m_task.errorCount > 0);
    UpdateTitle();
}

void CZarnDlg::UpdateTitle() {
    // The program's title, a dash and the file's name, with a mark while there
    // are unsaved changes, as desktop programs show it.
    QString title = m_programTitle;
    if (!m_currentFile.isEmpty())
        title += QStringLiteral(" — ") + QFileInfo(m_currentFile).fileName();
    if (TaskChanged()) title += QLatin1Char('*');
    setWindowTitle(title);
}

void CZarnDlg::RefreshSetupTables() {
    CMSFlexGrid* inputs = m_ui->inputGrid;
    inputs->SetTextMatrix(0, 0, UiTexts::ParameterHeading());
    inputs->SetTextMatrix(0, 1, UiTexts::VariantsHeading());
    inputs->SetColWidth(1, InputVariantsTwips);
    inputs->SetColWidth(0, InputNameTwips);
    inputs->SetRows(m_task.inputCount + 1);
    for (int i = 0; i < m_task.inputCount; ++i) {
        const InputParam& param = m_task.inputParams[i];
        std::string variants;  // Windows-1251, like the names it holds
        for (int j = 0; j < param.variantCount; ++j)
            variants += FormatG(param.variantValues[j], 5) + " - " + param.variantNames[j] + "; ";
        inputs->SetTextMatrix(i + 1, 0, FromTask(m_task.inputNames[i]));
        inputs->SetTextMatrix(i + 1, 1, FromTask(variants));
    }

    SetHiddenText(FromUtf8(FormatInt(m_task.hiddenCount)));

    CMSFlexGrid* outputs = m_ui->outputGrid;
    outputs->SetTextMatrix(0, 0, QString());
    outputs->SetColWidth(0, OutputNameTwips);
    if (m_task.outputCount > 0) {
        outputs->SetRows(m_task.outputCount);
        for (int j = 0; j < m_task.outputCount; ++j)
            outputs->SetTextMatrix(j, 0, FromTask(m_task.outputNames[j]));
    }
    UpdateTrainingModeButton();
}

void CZarnDlg::UpdateTrainingModeButton() {
    m_ui->trainingModeButton->setEnabled(m_task.inputCount >= 1 && m_task.outputCount >= 1 &&
                                         m_task.hiddenCount >= 1);
}

void CZarnDlg::FillExampleTable() {
    CMSFlexGrid* grid = m_ui->exampleGrid;
    const int n = m_task.inputCount;
    grid->SetCols(n + 1);
    grid->SetRows(m_task.exampleCount + 1);
    for (int i = 0; i < n; ++i) grid->SetTextMatrix(0, i, FromTask(m_task.inputNames[i]));
    // Written on every fill: a task loaded with another input count moves the
    // result column.
    grid->SetTextMatrix(0, n, UiTexts::ResultHeading());
    for (int e = 0; e < m_task.exampleCount; ++e) {
        const Example& example = m_task.examples[e];
        for (int i = 0; i < n; ++i) {
            const InputParam& param = m_task.inputParams[i];
            const int j = example.inputVariant[i];
            grid->SetTextMatrix(
                e + 1, i,
                j >= 0 && j < param.variantCount ? FromTask(param.variantNames[j]) : QString());
        }
        for (int o = 0; o < m_task.outputCount; ++o)
            if (example.target[o] == 1.0)
                grid->SetTextMatrix(e + 1, n, FromTask(m_task.outputNames[o]));
    }
    // Wide enough for the heading and the cells, so that long names with
    // units are not cut; one long name must not push the other columns out
    // of sight.
    grid->resizeColumnsToContents();
    const int widest = grid->fontMetrics().averageCharWidth() * MaxExampleColumnChars;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->columnWidth(c) > widest) grid->setColumnWidth(c, widest);
}

// ---- Setup panel ---------------------------------------------------------

void CZarnDlg::RunParamEditor(const EditorRequest& request) {
    if (!request.status.ok()) m_user.Tell(request.status.message);
    if (request.open) {
        CParamDlg editor(m_task, m_state, this);
        editor.exec();
    }
    // Also without the editor: a question may have discarded the examples.
    RefreshTables();
}

template <typename Edit>
void CZarnDlg::TrackEdit(Edit&& edit) {
    // Comparing what a save would write catches every kind of change an
    // editor, a question or a delete can make, and none that was cancelled.
    const std::optional<std::string> before = FormatTaskFile(m_task);
    edit();
    if (FormatTaskFile(m_task) != before) m_taskChanged = true;
    UpdateTitle();
}

void CZarnDlg::OnAddInput() {
    TrackEdit([this] { RunParamEditor(AddInputParam(m_task, m_state, m_user)); });
}

void CZarnDlg::OnChangeInput() {
    const int index = static_cast<int>(m_ui->inputGrid->GetRowSel()) - 1;
    TrackEdit([this, index] { RunParamEditor(ChangeInputParam(m_task, m_state, index, m_user)); });
}

void CZarnDlg::OnDeleteInput() {
    const int index = static_cast<int>(m_ui->inputGrid->GetRowSel()) - 1;
    TrackEdit([this, index] {
        if (DeleteInputParam(m_task, index, m_user)) m_user.Tell(DeletedMessage);
    });
    RefreshTables();
}

void CZarnDlg::OnEditOutput() {
    TrackEdit([this] { RunParamEditor(EditOutputVariants(m_task, m_state, m_user)); });
}

void CZarnDlg::OnDeleteOutput() {
    const int index = static_cast<int>(m_ui->outputGrid->GetRowSel());
    TrackEdit([this, index] {
        if (DeleteOutputVariant(m_task, index, m_user)) m_user.Tell(DeletedMessage);
    });
    RefreshTables();
}

// ---- Modes ---------------------------------------------------------------

void CZarnDlg::OnSetupMode() {
    m_state.dialogMode = ModeSetup;
    m_trainingLayout = false;
    m_ui->panelTitleLabel->setText(UiTexts::SetupPanelTitle());
    SetShown({m_ui->hiddenLabel, m_ui->hiddenEdit}, true);
    ShowLayout(false);
    // The setup tables were last filled before the training layout showed; a
    // task loaded meanwhile must be on screen before a row is picked and deleted.
    RefreshSetupTables();
}

void CZarnDlg::OnTrainingMode() {
    m_state.dialogMode = ModeTraining;
    m_trainingLayout = true;
    m_ui->panelTitleLabel->setText(UiTexts::TrainingPanelTitle());
    ShowLayout(true);
    m_ui->errorGraphButton->setVisible(m_task.errorCount > 0);
    // Every entry starts from the default settings, replacing what was typed.
    m_ui->iterEdit->setText(FromUtf8(DefaultIterationsText));
    m_ui->coefEdit->setText(FromUtf8(DefaultCoefText));
    m_task.learningCoef = LenientAtof(DefaultCoefText);
    FillExampleTable();
}

void CZarnDlg::ShowLayout(bool training) {
    const std::initializer_list<QWidget*> setup = {
        m_ui->outputLabel,      m_ui->inputGrid,         m_ui->outputGrid,
        m_ui->addInputButton,   m_ui->deleteInputButton, m_ui->changeInputButton,
        m_ui->editOutputButton, m_ui->deleteOutputButton};
    const std::initializer_list<QWidget*> examples = {
        m_ui->exampleGrid, m_ui->addExampleButton, m_ui->deleteExampleButton,
        m_ui->trainButton, m_ui->coefEdit,         m_ui->coefLabel,
        m_ui->iterEdit,    m_ui->iterLabel,        m_ui->evaluateButton,
        m_ui->tuneButton};
    // The order matters: hiding the focused control moves the focus to the
    // next visible one.
    if (training) {
        SetShown(setup, false);
        SetShown(examples, true);
    } else {
        SetShown(setup, true);
        m_ui->errorGraphButton->hide();
        SetShown(examples, false);
    }
}

void CZarnDlg::SetHiddenText(const QString& text) {
    if (m_ui->hiddenEdit->text() == text)
        OnHiddenChanged();  // no change signal for the same text; the rule still applies
    else
        m_ui->hiddenEdit->setText(text);
}

void CZarnDlg::OnHiddenChanged() {
    if (m_trainingRun) return;
    const int value = HiddenCountFromText(ToUtf8(m_ui->hiddenEdit->text()));
    const QString normal = FromUtf8(FormatInt(value));
    // Out-of-range and untidy sizes are replaced silently; the new text runs
    // this rule again.
    if (m_ui->hiddenEdit->text() != normal) {
        m_ui->hiddenEdit->setText(normal);
        return;
    }
    if (value != m_task.hiddenCount) m_taskChanged = true;
    m_task.hiddenCount = value;
    UpdateTrainingModeButton();
    UpdateTitle();
    // The network belongs to the size it was trained with.
    m_ui->checkButton->setEnabled(CheckAvailable(m_task));
    m_ui->answerTableButton->setEnabled(CheckAvailable(m_task));
}

// ---- Training panel ------------------------------------------------------

void CZarnDlg::OnTrain() {
    if (m_trainingRun) return;
    const QString typedCoef = m_ui->coefEdit->text();
    const std::string coefText = CoefTextWithPoint(ToUtf8(typedCoef));
    const std::string iterText = ToUtf8(m_ui->iterEdit->text());
    const uint32_t seed = m_seedProvider();

    // The run goes on a worker thread; this window keeps painting but takes no
    // input, and nothing else touches the task until the run has ended.
    QPointer<QPushButton> button = m_ui->trainButton;
    const ProgressCallback progress = [button](const std::string& caption) {
        QMetaObject::invokeMethod(
            button,
            [button, text = FromUtf8(caption)] {
                if (!button) return;
                button->setText(text);
                button->repaint();
            },
            Qt::QueuedConnection);
    };
    m_trainingRun = true;
    m_stopRequested = false;
    m_aboutAction->setEnabled(false);
    TrainingOutcome outcome;
    {
        // Only a stop gets through: Escape, or a click on the train button,
        // which shows the progress. The run ends after the pass in progress.
        InputBlocker blocker(this);
        blocker.SetStopRequest(m_ui->trainButton, [this] { m_stopRequested = true; });
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        QEventLoop loop;
        QFutureWatcher<TrainingOutcome> watcher;
        connect(&watcher, &QFutureWatcher<TrainingOutcome>::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(QtConcurrent::run([this, coefText, iterText, seed, progress] {
            return TrainNetwork(m_task, coefText, iterText, seed, progress,
                                TrainingControl{&m_stopRequested});
        }));
        loop.exec();
        outcome = watcher.result();
    }
    m_trainingRun = false;
    m_aboutAction->setEnabled(true);
    // A usable network is part of what a save writes.
    if (outcome.status.ok() && m_task.accuracyPercent > 0.0) m_taskChanged = true;

    // A refused text stays as typed, decimal comma included.
    m_ui->coefEdit->setText(outcome.coefText == coefText ? typedCoef : FromUtf8(outcome.coefText));
    m_ui->iterEdit->setText(FromUtf8(outcome.iterText));
    m_ui->trainButton->setText(TrainCaption());
    m_ui->trainButton->repaint();
    m_user.Tell(outcome.status.message);
    RefreshTables();
}

void CZarnDlg::OnEvaluate() {
    if (m_trainingRun) return;
    m_trainingRun = true;  // the window's closing rules treat it as a run
    m_aboutAction->setEnabled(false);
    // The coefficient is read as training reads it, decimal comma included.
    const PanelRunOutcome outcome = EvaluateFromPanel(
        this, m_ui->evaluateButton, m_task, CoefTextWithPoint(ToUtf8(m_ui->coefEdit->text())),
        ToUtf8(m_ui->iterEdit->text()), m_seedProvider());
    m_trainingRun = false;
    m_aboutAction->setEnabled(true);
    if (!outcome.stopped) m_user.TellReport(outcome.message);
    RefreshTables();
}

void CZarnDlg::OnTune() {
    if (m_trainingRun) return;
    m_trainingRun = true;
    m_aboutAction->setEnabled(false);
    const PanelRunOutcome outcome = TuneFromPanel(this, m_ui->tuneButton, m_task, m_seedProvider());
    m_trainingRun = false;
    m_aboutAction->setEnabled(true);
    // A stopped search leaves the edits as they were.
    if (outcome.choice) {
        SetHiddenText(QString::number(outcome.choice->hidden));
        m_ui->coefEdit->setText(FromUtf8(outcome.choice->coef));
        m_ui->iterEdit->setText(QString::number(outcome.choice->iterations));
    }
    if (!outcome.stopped) m_user.TellReport(outcome.message);
    RefreshTables();
}

void CZarnDlg::OnErrorGraph() {
    CErrorGraphDlg graph(m_task, this);
    graph.exec();
    RefreshTables();
}

void CZarnDlg::OnAddExample() {
    m_state.dialogMode = ModeTraining;
    if (const Status room = RoomForExample(m_task); !room.ok()) {
        m_user.Tell(room.message);
    } else {
        TrackEdit([this] {
            CExampleDlg dialog(m_task, m_state, m_user, this);
            dialog.exec();
        });
    }
    RefreshTables();
}

void CZarnDlg::OnCheck() {
    m_state.dialogMode = ModeCheck;
    {
        CExampleDlg dialog(m_task, m_state, m_user, this);
        dialog.exec();
    }
    // Back to the mode of the layout on screen, so the refresh fills the
    // tables that are showing.
    m_state.dialogMode = m_trainingLayout ? ModeTraining : ModeSetup;
    RefreshTables();
}

void CZarnDlg::OnAnswerTable() {
    const QString dataPath = m_fileChooser(this, FileDialogKind::OpenData);
    RefreshTables();  // the file dialog has closed
    if (!dataPath.isEmpty()) {
        AnswerTableFile(m_task, m_user, NativePath(dataPath), [this] {
            const QString outPath = m_fileChooser(this, FileDialogKind::SaveAnswers);
            RefreshTables();
            return outPath.isEmpty() ? std::string() : NativePath(outPath);
        });
    }
    RefreshTables();
}

void CZarnDlg::OnDeleteExample() {
    CMSFlexGrid* grid = m_ui->exampleGrid;
    if (grid->GetRows() <= 1) return;
    const long row = grid->GetRowSel();
    if (row < 1) return;  // the heading row names no example
    if (DeleteExample(m_task, static_cast<int>(row) - 1)) {
        m_taskChanged = true;
        m_user.Tell(DeletedMessage);
    }
    RefreshTables();
}

// ---- Files ---------------------------------------------------------------

void CZarnDlg::OnSaveToFile() {
    SaveTask();
    RefreshTables();
}

bool CZarnDlg::SaveTask() {
    if (const Status ready = ReadyToSave(m_task); !ready.ok()) {
        m_user.Tell(ready.message);
        return false;
    }
    const QString path = m_fileChooser(this, FileDialogKind::Save);
    RefreshTables();  // the file dialog has closed
    if (path.isEmpty()) return false;
    const Status saved = SaveTaskFile(m_task, NativePath(path));
    if (!saved.ok()) {
        m_user.Tell(ToUtf8(UiTexts::NotSaved()));
        // Waiting would help here, unlike with the other reasons.
        if (HeldByAnotherWriter(saved)) m_user.Tell(ToUtf8(UiTexts::FileBusy()));
        return false;
    }
    TaskStored(path);
    m_user.Tell(ToUtf8(UiTexts::TaskSaved()));
    return true;
}

void CZarnDlg::TaskStored(const QString& path) {
    m_taskChanged = false;
    m_storedBytes = FormatTaskFile(m_task);
    m_currentFile = path;
    RememberTaskFolder(path);
    UpdateTitle();
}

QString CZarnDlg::FileDialogStart(FileDialogKind kind) const {
    // The current file is the last one this window loaded or saved; the
    // remembered folder may be another instance's since.
    if (kind == FileDialogKind::Save && !m_currentFile.isEmpty()) return m_currentFile;
    return LastTaskFolder();
}

void CZarnDlg::OnLoadFromFile() {
    // Asked first, before any file is chosen or read.
    if (!MayDiscardChanges()) return;
    const QString path = m_fileChooser(this, FileDialogKind::Open);
    RefreshTables();  // the file dialog has closed
    if (path.isEmpty()) return;
    LoadFile(path);
}

void CZarnDlg::LoadFile(const QString& path) {
    const DataImportOutcome imported = ImportDataFile(NativePath(path), m_task, m_user, this);
    if (imported.kind == DataImportOutcome::Kind::Imported) {
        // A new task that exists nowhere yet: unsaved, and no file to propose.
        m_taskChanged = true;
        m_currentFile.clear();
        SetHiddenText(FromUtf8(FormatInt(m_task.hiddenCount)));
        m_user.Tell(imported.report);
    }
    if (imported.kind != DataImportOutcome::Kind::NotData) {
        RefreshTables();
        return;
    }
    LoadTaskFile(path);
}

void CZarnDlg::LoadTaskFile(const QString& path) {
    const LoadResult result = LoadFromFile(m_task, NativePath(path));
    if (result.status.ok()) {
        SetHiddenText(FromUtf8(FormatInt(m_task.hiddenCount)));
        TaskStored(path);
        m_user.Tell(ToUtf8(UiTexts::TaskLoaded()));
        if (result.network == NetworkLoad::Damaged) m_user.Tell(NetworkDamagedMessage);
        if (result.scales == ScaleLoad::Damaged) m_user.Tell(ScalesDamagedMessage);
    } else {
        m_user.Tell(result.status.message);  // CannotOpenMessage, or what is wrong and where
    }
    if (!result.recoveryCopy.empty()) m_user.Tell(RecoveryCopyMessage + result.recoveryCopy);
    RefreshTables();
}

// ---- About box -----------------------------------------------------------

void CZarnDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
    RefreshTables();
}
