// The program's questions and messages as modal message boxes: OK boxes for
// messages, OK/Cancel for the questions that guard the examples.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "model/userdialog.h"

class MessageBox : public UserDialog {
  public:
    enum class SaveAnswer { Save, Discard, Cancel };

    explicit MessageBox(QWidget* parent);

    // UiTexts::SaveChangesQuestion with UiTexts::YesButton, NoButton and
    // CancelButton.
    SaveAnswer AskSaveChanges();

    // True only for OK.
    bool Ask(const std::string& question) override;
    void Tell(const std::string& message) override;
    // A report with columns, in a fixed-pitch font so that its tables line up.
    void TellReport(const std::string& report);

    // The title of every box.
    static QString Title();

  private:
    QPointer<QWidget> m_parent;
};
