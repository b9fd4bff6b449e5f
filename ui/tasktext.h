// The boundary between the task's Windows-1251 bytes and the screen's text.
#pragma once

#include <QString>
#include <optional>
#include <string>

// Task bytes (Windows-1251) as screen text.
QString FromTask(const std::string& bytes);

// Screen text as task bytes; empty when a character has no Windows-1251 code.
std::optional<std::string> ToTask(const QString& text);

// Why a name typed into the field `what` cannot be stored (UTF-8), or empty
// text when it can. The task file keeps one name a line, so a pasted line
// break is refused like a character without a Windows-1251 code.
std::string NameRefusal(const QString& what, const QString& text);

// Program texts (UTF-8) as screen text and back.
inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text);
}
inline std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}
