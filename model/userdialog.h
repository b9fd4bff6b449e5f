// OK/Cancel questions and OK messages for the user. The core only asks
// (a refusal comes back as a Status, model/status.h); the window tells. The
// UI implements it with message boxes, tests with scripts. Texts are UTF-8.
#pragma once

#include <string>

class UserDialog {
  public:
    virtual ~UserDialog() = default;
    // Shows a question with OK and Cancel; true only for OK.
    virtual bool Ask(const std::string& question) = 0;
    // Shows a message with an OK button.
    virtual void Tell(const std::string& message) = 0;
};
