// What the program remembers between runs, in its own settings file
// ($XDG_CONFIG_HOME/zarn/zarn.conf): the folder of the last task loaded or saved.
#pragma once

#include <QString>

// Empty until a task has been loaded or saved.
QString LastTaskFolder();
// Remembers the folder that holds filePath.
void RememberTaskFolder(const QString& filePath);
