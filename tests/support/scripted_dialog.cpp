#include "tests/support/scripted_dialog.h"

#include <gtest/gtest.h>

bool ScriptedDialog::Ask(const std::string& question) {
    questions.push_back(question);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question;
        return false;
    }
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialog::Tell(const std::string& message) {
    messages.push_back(message);
}
