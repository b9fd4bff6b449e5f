#include "ui/answertable.h"

#include "dataset/datafile.h"
#include "dataset/predict.h"
#include "storage/atomicfile.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"

void AnswerTableFile(NetTask& task, UserDialog& user, const std::string& dataPath,
                     const std::function<std::string()>& chooseOut) {
    DataTable table;
    const Status read = ReadDataFile(dataPath, table);
    if (read.kind == StatusKind::NotData) {
        user.Tell(ToUtf8(UiTexts::NotATable()));
        return;
    }
    if (!read.ok()) {
        user.Tell(read.message);
        return;
    }
    std::string csv;
    PredictSummary summary;
    if (const Status answered = PredictTable(task, table, PredictOptions{}, csv, summary);
        !answered.ok()) {
        user.Tell(answered.message);
        return;
    }
    const std::string outPath = chooseOut();
    if (outPath.empty()) return;
    if (!ReplaceFileContents(outPath, csv).ok()) {
        user.Tell(ToUtf8(UiTexts::NotSaved()));
        return;
    }
    user.Tell(DescribePrediction(summary));
}
