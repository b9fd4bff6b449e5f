#include "ui/installedactivation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString InstalledActivationFilePath(const QString& fileName) {
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(dir)) continue;
        const QString path = dir + QStringLiteral("/dbus-1/services/") + fileName;
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

bool InstalledActivationFileSays(const QString& fileName, const QByteArray& contents) {
    const QString path = InstalledActivationFilePath(fileName);
    if (path.isEmpty()) return false;
    QFile file(path);
    // More than a few lines cannot be the same; never read a huge file whole.
    return file.open(QIODevice::ReadOnly) && file.read(contents.size() + 1) == contents;
}
