// Qt's own Russian texts (file dialogs, their questions, standard buttons),
// so that they speak the program's language under any locale.
#pragma once

class QCoreApplication;
class QTranslator;

// Loads qtbase_ru from Qt's translations folder and installs it (owned by
// app); null, and English Qt texts, when the file is not there.
QTranslator* InstallQtTranslation(QCoreApplication& app);
