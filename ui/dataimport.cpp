#include "ui/dataimport.h"

#include <QFileInfo>

#include "dataset/datacheck.h"
#include "dataset/datafile.h"
#include "dataset/importer.h"
#include "storage/taskfile.h"
#include "ui/importdlg.h"

DataImportOutcome ImportDataFile(const std::string& path, NetTask& task, UserDialog& user,
                                 QWidget* parent) {
    using Kind = DataImportOutcome::Kind;
    DataTable table;
    std::string error;
    switch (ReadDataFile(path, table, error)) {
        case DataReadStatus::NotData:
            return {Kind::NotData, {}};
        case DataReadStatus::CannotOpen:
            user.Tell(CannotOpenMessage);
            return {Kind::Abandoned, {}};
        case DataReadStatus::Refused:
            user.Tell(error);
            return {Kind::Abandoned, {}};
        case DataReadStatus::Read:
            break;
    }
    TaskDraft staged;
    ImportSummary summary;
    auto tryImport = [&](const DataTable& chosen, const ImportOptions& options) {
        if (ImportTable(chosen, options, staged, summary, error)) return true;
        user.Tell(error);
        return false;
    };
    auto reread = [&path](const DataReadOptions& options, DataTable& again, std::string& why) {
        switch (ReadDataFile(path, again, why, options)) {
            case DataReadStatus::Read:
                return true;
            case DataReadStatus::CannotOpen:
            case DataReadStatus::NotData:
                why = CannotOpenMessage;
                break;
            case DataReadStatus::Refused:
                break;
        }
        return false;
    };
    const QString source = QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
    ImportDlg dialog(std::move(table), source, reread, tryImport, parent);
    if (dialog.exec() != QDialog::Accepted) return {Kind::Abandoned, {}};
    ApplyImportedTask(staged, task);
    return {Kind::Imported,
            DescribeImport(summary) + "\n\n" + FormatCheckReport(CheckTaskData(task))};
}
