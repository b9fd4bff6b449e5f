// A UserDialog that answers from a script and records what it was shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/userdialog.h"

class ScriptedDialog : public UserDialog {
  public:
    // Answers given to the next questions, in order; a question beyond the
    // script fails the test.
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;

    bool Ask(const std::string& question) override;
    void Tell(const std::string& message) override;
};
