#include "ui/tasksettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr const char* kLastFolderKey = "files/lastFolder";

// The program's own file, whatever organisation name the application carries.
QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("zarn"),
                     QStringLiteral("zarn"));
}

}  // namespace

QString LastTaskFolder() {
    return Settings().value(QLatin1String(kLastFolderKey)).toString();
}

void RememberTaskFolder(const QString& filePath) {
    Settings().setValue(QLatin1String(kLastFolderKey), QFileInfo(filePath).absolutePath());
}
