#include "ui/answertable.h"

#include "dataset/datafile.h"
#include "dataset/predict.h"
#include "storage/atomicfile.h"
#include "storage/taskfile.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"

void AnswerTableFile(NetTask& task, UserDialog& user, const std::string& dataPath,
                     const std::function<std::string()>& chooseOut) {
    DataTable table;
    std::string error;
    switch (ReadDataFile(dataPath, table, error)) {
        case DataReadStatus::Read:
            break;
        case DataReadStatus::NotData:
            user.Tell(ToUtf8(UiTexts::NotATable()));
            return;
        case DataReadStatus::CannotOpen:
            user.Tell(CannotOpenMessage);
            return;
        case DataReadStatus::Refused:
            user.Tell(error);
            return;
    }
    std::string csv;
    PredictSummary summary;
    if (!PredictTable(task, table, PredictOptions{}, csv, summary, error)) {
        user.Tell(error);
        return;
    }
    const std::string outPath = chooseOut();
    if (outPath.empty()) return;
    if (!ReplaceFileContents(outPath, csv)) {
        user.Tell(ToUtf8(UiTexts::NotSaved()));
        return;
    }
    user.Tell(DescribePrediction(summary));
}
