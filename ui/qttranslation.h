// Qt's own Russian texts (file dialogs, their questions, standard buttons),
// so that they speak the program's language under any locale.
#pragma once

class QCoreApplication;

// Loads qtbase_ru from Qt's translations folder; false (and English Qt
// texts) when the file is not there.
bool InstallQtTranslation(QCoreApplication& app);
