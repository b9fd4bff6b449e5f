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
    const Status read = ReadDataFile(path, table);
    if (read.kind == StatusKind::NotData) return {Kind::NotData, {}};
    if (!read.ok()) {
        user.Tell(read.message);
        return {Kind::Abandoned, {}};
    }
    TaskDraft staged;
    ImportSummary summary;
    auto tryImport = [&](const DataTable& chosen, const ImportOptions& options) {
        const Status imported = ImportTable(chosen, options, staged, summary);
        if (!imported.ok()) user.Tell(imported.message);
        return imported.ok();
    };
    auto reread = [&path](const DataReadOptions& options, DataTable& again) {
        Status reread = ReadDataFile(path, again, options);
        // The file was read once as data: now it is no longer data.
        if (reread.kind == StatusKind::NotData) reread.message = CannotOpenMessage;
        return reread;
    };
    const QString source = QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
    ImportDlg dialog(std::move(table), source, reread, tryImport, parent);
    if (dialog.exec() != QDialog::Accepted) return {Kind::Abandoned, {}};
    ApplyImportedTask(staged, task);
    return {Kind::Imported,
            DescribeImport(summary) + "\n\n" + FormatCheckReport(CheckTaskData(task))};
}
