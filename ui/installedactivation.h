// The activation file of an installed program, which the session bus reads
// from the system's data folders ($XDG_DATA_DIRS).
#pragma once

#include <QByteArray>
#include <QString>

// The first services/<name>.service under $XDG_DATA_DIRS/dbus-1 (default
// /usr/local/share:/usr/share), the one the bus uses; empty when none exists.
QString InstalledActivationFilePath(const QString& fileName);

// True when that installed file holds exactly `contents`: a per-user copy
// would then add nothing.
bool InstalledActivationFileSays(const QString& fileName, const QByteArray& contents);
