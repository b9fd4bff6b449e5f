// Core headers before any Qt header: Qt defines "signals" as a keyword.
#include "network/ranking.h"
//
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <algorithm>

#include "model/examples.h"
#include "ui/exampledlg.h"
#include "ui/tasktext.h"
#include "ui_exampledlg.h"

CExampleDlg::CExampleDlg(NetTask& task, DialogState& state, UserDialog& user, QWidget* parent)
    : QDialog(parent),
      task_(task),
      state_(state),
      user_(user),
      ui_(std::make_unique<Ui::CExampleDlg>()) {
    ui_->setupUi(this);
    QComboBox* combos[MaxInputs] = {ui_->inputCombo1,  ui_->inputCombo2,  ui_->inputCombo3,
                                    ui_->inputCombo4,  ui_->inputCombo5,  ui_->inputCombo6,
                                    ui_->inputCombo7,  ui_->inputCombo8,  ui_->inputCombo9,
                                    ui_->inputCombo10, ui_->inputCombo11, ui_->inputCombo12};
    QLabel* labels[MaxInputs] = {ui_->inputLabel1,  ui_->inputLabel2,  ui_->inputLabel3,
                                 ui_->inputLabel4,  ui_->inputLabel5,  ui_->inputLabel6,
                                 ui_->inputLabel7,  ui_->inputLabel8,  ui_->inputLabel9,
                                 ui_->inputLabel10, ui_->inputLabel11, ui_->inputLabel12};
    std::copy(std::begin(combos), std::end(combos), combos_);
    std::copy(std::begin(labels), std::end(labels), labels_);

    // Unused slots stay hidden but keep their place, so every parameter
    // appears at its own row and column whatever the parameter count.
    for (int i = 0; i < MaxInputs; ++i) {
        for (QWidget* widget :
             {static_cast<QWidget*>(combos_[i]), static_cast<QWidget*>(labels_[i])}) {
            QSizePolicy policy = widget->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            widget->setSizePolicy(policy);
        }
        labels_[i]->hide();
        if (i > 0) combos_[i]->hide();
    }
    ui_->answerLabel->hide();
    SizeRankingList();
    // The output list stays where it is in both roles.
    QSizePolicy buttonPolicy = ui_->resultButton->sizePolicy();
    buttonPolicy.setRetainSizeWhenHidden(true);
    ui_->resultButton->setSizePolicy(buttonPolicy);

    connect(ui_->okButton, &QPushButton::clicked, this, &CExampleDlg::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->resultButton, &QPushButton::clicked, this, &CExampleDlg::OnResult);

    FillLists();
    ShowRole();
    ui_->okButton->setFocus();
}

CExampleDlg::~CExampleDlg() = default;

bool CExampleDlg::CheckRole() const {
    return state_.dialogMode == ModeCheck;
}

void CExampleDlg::FillLists() {
    const int inputs = std::clamp(task_.inputCount, 0, MaxInputs);
    for (int i = 0; i < inputs; ++i) {
        const InputParam& param = task_.inputParams[i];
        labels_[i]->setText(FromTask(task_.inputNames[i]));
        labels_[i]->show();
        QComboBox* combo = combos_[i];
        combo->clear();
        const int variants = std::clamp(param.variantCount, 0, MaxVariants);
        for (int j = 0; j < variants; ++j) combo->addItem(FromTask(param.variantNames[j]));
        combo->setCurrentIndex(variants > 0 ? 0 : -1);
        combo->show();
    }
    ui_->resultCombo->clear();
    const int outputs = std::clamp(task_.outputCount, 0, MaxOutputs);
    for (int o = 0; o < outputs; ++o) ui_->resultCombo->addItem(FromTask(task_.outputNames[o]));
    ui_->resultCombo->setCurrentIndex(outputs > 0 ? 0 : -1);
}

void CExampleDlg::ShowRole() {
    const bool check = CheckRole();
    ui_->resultCombo->setVisible(!check);
    ui_->resultLabel->setVisible(!check);
    ui_->answerLabel->setVisible(check);
    ui_->answerLabel->clear();
    ui_->rankingList->setVisible(check);
    ui_->rankingList->clear();
    ui_->resultButton->setVisible(check);
}

void CExampleDlg::InputSelections(int* variantIndex) const {
    const int inputs = std::clamp(task_.inputCount, 0, MaxInputs);
    for (int i = 0; i < inputs; ++i) variantIndex[i] = combos_[i]->currentIndex();
}

void CExampleDlg::accept() {
    if (CheckRole()) {
        QDialog::accept();
        return;
    }
    // The main window refuses to open the dialog on a full set; this guard
    // keeps the set within its capacity whatever path led here.
    if (!CanAddExample(task_)) {
        user_.Tell(ExamplesFullMessage);
        QDialog::reject();
        return;
    }
    int variantIndex[MaxInputs] = {};
    InputSelections(variantIndex);
    if (!AddExample(task_, variantIndex, ui_->resultCombo->currentIndex())) {
        // A parameter or the result without any variant: nothing to store.
        user_.Tell(ExampleIncompleteMessage);
        return;
    }
    QDialog::accept();
}

void CExampleDlg::OnResult() {
    int variantIndex[MaxInputs] = {};
    InputSelections(variantIndex);
    const std::vector<RankedOutput> ranked = RankOutputs(task_, variantIndex);
    ui_->rankingList->clear();
    if (ranked.empty()) {
        ui_->answerLabel->clear();
        user_.Tell(NoAnswerMessage);
        return;
    }
    ui_->answerLabel->setText(FromTask(task_.outputNames[ranked.front().output]));
    const int shown = std::min<int>(RankedShown, static_cast<int>(ranked.size()));
    for (int r = 0; r < shown; ++r)
        ui_->rankingList->addItem(FromTask(RankedText(task_, ranked[r])));
}

void CExampleDlg::SizeRankingList() {
    // Room for exactly the ranked lines shown, so the list never scrolls.
    QListWidget* list = ui_->rankingList;
    list->addItem(QStringLiteral("0"));
    const int row = list->sizeHintForRow(0);
    list->clear();
    list->setFixedHeight(RankedShown * row + 2 * list->frameWidth());
}
