#include "ui/tasktext.h"

#include <QList>

#include "model/cp1251.h"
#include "ui/uitexts.h"

QString FromTask(const std::string& bytes) {
    return QString::fromUtf8(Cp1251ToUtf8(bytes));
}

std::optional<std::string> ToTask(const QString& text) {
    return Utf8ToCp1251(text.toUtf8().toStdString());
}

std::string NameRefusal(const QString& what, const QString& text) {
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return ToUtf8(UiTexts::NameHasLineBreak(what));
    if (ToTask(text)) return {};
    // Name the first character that cannot be stored, so the user can find it.
    QString bad = QStringLiteral("?");
    for (const uint code : text.toUcs4()) {
        const char32_t one32 = code;
        const QString one = QString::fromUcs4(&one32, 1);
        if (!ToTask(one)) {
            bad = one;
            break;
        }
    }
    return ToUtf8(UiTexts::NameHasForeignCharacter(what, bad));
}
