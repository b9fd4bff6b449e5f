#include "ui/answertable.h"

#include "dataset/datafile.h"
#include "dataset/predict.h"
#include "storage/atomicfile.h"
#include "storage/taskfile.h"

const char* const NotATableMessage =
    "Это не таблица CSV или ARFF: выберите файл *.csv или *.arff со столбцами, названными как "
    "входные параметры.";

void AnswerTableFile(NetTask& task, UserDialog& user, const std::string& dataPath,
                     const std::function<std::string()>& chooseOut) {
    DataTable table;
    std::string error;
    switch (ReadDataFile(dataPath, table, error)) {
        case DataReadStatus::Read:
            break;
        case DataReadStatus::NotData:
            user.Tell(NotATableMessage);
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
    if (!ReplaceFileContents(outPath, csv).ok()) {
        user.Tell("Не сохранено...");
        return;
    }
    user.Tell(DescribePrediction(summary));
}
