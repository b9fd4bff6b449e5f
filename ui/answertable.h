// The main window's answering of a table: the trained network's answer for
// every row of a CSV or ARFF table, saved as a CSV table.
#pragma once

#include <functional>
#include <string>

#include "model/task.h"
#include "model/userdialog.h"

// Reads the table at dataPath and answers it; then asks chooseOut where to
// save (an empty path cancels), writes the answers there safely and tells
// how many rows were answered and, when the table has results, how many were
// right. Every refusal is told (UiTexts::NotATable for a file that is
// neither CSV nor ARFF); nothing is written then.
void AnswerTableFile(NetTask& task, UserDialog& user, const std::string& dataPath,
                     const std::function<std::string()>& chooseOut);
