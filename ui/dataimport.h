// The load command's branch for data files: a CSV or ARFF file (by its name
// or its content) goes through the import dialog into the task.
#pragma once

#include <QWidget>
#include <string>

#include "model/task.h"
#include "model/userdialog.h"

struct DataImportOutcome {
    enum class Kind {
        NotData,    // not a data file: load it as a task file
        Imported,   // the task is replaced; report says what was done
        Abandoned,  // refused (the user was told) or cancelled; the task is unchanged
    } kind = Kind::NotData;
    std::string report;  // Imported: what was imported and the data checks (UTF-8)
};

DataImportOutcome ImportDataFile(const std::string& path, NetTask& task, UserDialog& user,
                                 QWidget* parent);
