#include "ui/exampledlg.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <algorithm>

#include "dataset/predict.h"
#include "model/examples.h"
#include "network/network.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"
#include "ui_exampledlg.h"

CExampleDlg::CExampleDlg(NetTask& task, DialogState& state, UserDialog& user, QWidget* parent)
    : QDialog(parent),
      m_task(task),
      m_state(state),
      m_user(user),
      m_ui(std::make_unique<Ui::CExampleDlg>()) {
    m_ui->setupUi(this);
    QComboBox* combos[MaxInputs] = {m_ui->inputCombo1,  m_ui->inputCombo2,  m_ui->inputCombo3,
                                    m_ui->inputCombo4,  m_ui->inputCombo5,  m_ui->inputCombo6,
                                    m_ui->inputCombo7,  m_ui->inputCombo8,  m_ui->inputCombo9,
                                    m_ui->inputCombo10, m_ui->inputCombo11, m_ui->inputCombo12};
    QLabel* labels[MaxInputs] = {m_ui->inputLabel1,  m_ui->inputLabel2,  m_ui->inputLabel3,
                                 m_ui->inputLabel4,  m_ui->inputLabel5,  m_ui->inputLabel6,
                                 m_ui->inputLabel7,  m_ui->inputLabel8,  m_ui->inputLabel9,
                                 m_ui->inputLabel10, m_ui->inputLabel11, m_ui->inputLabel12};
    std::copy(std::begin(combos), std::end(combos), m_combos);
    std::copy(std::begin(labels), std::end(labels), m_labels);

    // Unused slots stay hidden but keep their place, so every parameter
    // appears at its own row and column whatever the parameter count.
    for (int i = 0; i < MaxInputs; ++i) {
        for (QWidget* widget :
             {static_cast<QWidget*>(m_combos[i]), static_cast<QWidget*>(m_labels[i])}) {
            QSizePolicy policy = widget->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            widget->setSizePolicy(policy);
        }
        m_labels[i]->hide();
        if (i > 0) m_combos[i]->hide();
    }
    m_ui->answerLabel->hide();
    SizeRankingList();
    // The output list stays where it is in both roles.
    QSizePolicy buttonPolicy = m_ui->resultButton->sizePolicy();
    buttonPolicy.setRetainSizeWhenHidden(true);
    m_ui->resultButton->setSizePolicy(buttonPolicy);

    connect(m_ui->okButton, &QPushButton::clicked, this, &CExampleDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->resultButton, &QPushButton::clicked, this, &CExampleDlg::OnResult);

    FillLists();
    ShowRole();
    for (QComboBox* combo : m_combos) {
        connect(combo, &QComboBox::currentIndexChanged, this, &CExampleDlg::ClearAnswer);
        connect(combo, &QComboBox::editTextChanged, this, &CExampleDlg::ClearAnswer);
    }
    m_ui->okButton->setFocus();
}

CExampleDlg::~CExampleDlg() = default;

bool CExampleDlg::CheckRole() const {
    return m_state.dialogMode == ModeCheck;
}

void CExampleDlg::FillLists() {
    const int inputs = std::clamp(m_task.inputCount, 0, MaxInputs);
    for (int i = 0; i < inputs; ++i) {
        const InputParam& param = m_task.inputParams[i];
        m_labels[i]->setText(FromTask(m_task.inputNames[i]));
        m_labels[i]->show();
        QComboBox* combo = m_combos[i];
        combo->clear();
        const int variants = std::clamp(param.variantCount, 0, MaxVariants);
        for (int j = 0; j < variants; ++j) combo->addItem(FromTask(param.variantNames[j]));
        combo->setCurrentIndex(variants > 0 ? 0 : -1);
        // A numeric parameter is asked by value too, but examples hold variants only.
        if (CheckRole() && ScaleFits(param)) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);  // completing "4" to "40" would change the number
        }
        combo->show();
    }
    m_ui->resultCombo->clear();
    const int outputs = std::clamp(m_task.outputCount, 0, MaxOutputs);
    for (int o = 0; o < outputs; ++o) m_ui->resultCombo->addItem(FromTask(m_task.outputNames[o]));
    m_ui->resultCombo->setCurrentIndex(outputs > 0 ? 0 : -1);
}

void CExampleDlg::ShowRole() {
    const bool check = CheckRole();
    m_ui->resultCombo->setVisible(!check);
    m_ui->resultLabel->setVisible(!check);
    m_ui->answerLabel->setVisible(check);
    m_ui->answerLabel->clear();
    m_ui->rankingList->setVisible(check);
    m_ui->rankingList->clear();
    m_ui->usedLabel->setVisible(check);
    m_ui->usedLabel->clear();
    m_ui->resultButton->setVisible(check);
}

void CExampleDlg::InputSelections(int* variantIndex) const {
    const int inputs = std::clamp(m_task.inputCount, 0, MaxInputs);
    for (int i = 0; i < inputs; ++i) variantIndex[i] = m_combos[i]->currentIndex();
}

void CExampleDlg::accept() {
    if (CheckRole()) {
        QDialog::accept();
        return;
    }
    // The main window refuses to open the dialog on a full set; this guard
    // keeps the set within its capacity whatever path led here.
    if (!CanAddExample(m_task)) {
        m_user.Tell(ExamplesFullMessage);
        QDialog::reject();
        return;
    }
    int variantIndex[MaxInputs] = {};
    InputSelections(variantIndex);
    if (!AddExample(m_task, variantIndex, m_ui->resultCombo->currentIndex())) {
        // A parameter or the result without any variant: nothing to store.
        m_user.Tell(ToUtf8(UiTexts::ExampleIncomplete()));
        return;
    }
    QDialog::accept();
}

bool CExampleDlg::CheckInputs(ParamInput* inputs) {
    const int count = std::clamp(m_task.inputCount, 0, MaxInputs);
    for (int i = 0; i < count; ++i) {
        QComboBox* combo = m_combos[i];
        const InputParam& param = m_task.inputParams[i];
        const int index = combo->currentIndex();
        // A chosen entry is its variant even when names repeat.
        if (!combo->isEditable() ||
            (index >= 0 && combo->itemText(index) == combo->currentText())) {
            if (index < 0 || index >= param.variantCount) {
                inputs[i] = ParamInput{-1, 0.0, {}, false};  // the network refuses to run
                continue;
            }
            inputs[i] = ParamInput{index, param.variantValues[index], {}, false};
            continue;
        }
        // Numbers also as tables write them ("1 000"), as the import reads them.
        const std::optional<ParamInput> input = ResolveValue(param, ToUtf8(combo->currentText()));
        if (!input) {
            m_user.Tell(ToUtf8(
                UiTexts::UnknownValue(FromTask(m_task.inputNames[i]), combo->currentText())));
            return false;
        }
        inputs[i] = *input;
    }
    return true;
}

void CExampleDlg::ClearAnswer() {
    m_ui->answerLabel->clear();
    m_ui->rankingList->clear();
    m_ui->usedLabel->clear();
}

void CExampleDlg::OnResult() {
    ClearAnswer();
    ParamInput inputs[MaxInputs] = {};
    if (!CheckInputs(inputs)) return;
    double inputSignals[MaxInputs] = {};
    bool chosen = true;
    QStringList used;
    for (int i = 0; i < std::clamp(m_task.inputCount, 0, MaxInputs); ++i) {
        inputSignals[i] = inputs[i].signal;
        chosen = chosen && (inputs[i].variant >= 0 || inputs[i].number);
        if (inputs[i].number)
            used << FromTask(m_task.inputNames[i]) + QStringLiteral(" = ") +
                        FromUtf8(DescribeParamInput(m_task.inputParams[i], inputs[i]));
    }
    const std::vector<RankedOutput> ranked =
        chosen ? RankSignals(m_task, inputSignals) : std::vector<RankedOutput>();
    if (ranked.empty()) {
        m_user.Tell(ToUtf8(UiTexts::NoAnswer()));
        return;
    }
    m_ui->answerLabel->setText(FromTask(m_task.outputNames[ranked.front().output]));
    const int shown = std::min<int>(RankedShown, static_cast<int>(ranked.size()));
    for (int r = 0; r < shown; ++r)
        m_ui->rankingList->addItem(FromTask(RankedText(m_task, ranked[r])));
    m_ui->usedLabel->setText(used.join(QLatin1Char('\n')));
}

void CExampleDlg::SizeRankingList() {
    // Room for exactly the ranked lines shown, so the list never scrolls.
    QListWidget* list = m_ui->rankingList;
    list->addItem(QStringLiteral("0"));
    const int row = list->sizeHintForRow(0);
    list->clear();
    list->setFixedHeight(RankedShown * row + 2 * list->frameWidth());
}
