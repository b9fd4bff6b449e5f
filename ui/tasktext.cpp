#include "ui/tasktext.h"

#include <QList>

#include "model/cp1251.h"

QString FromTask(const std::string& bytes) {
    return QString::fromUtf8(Cp1251ToUtf8(bytes));
}

std::optional<std::string> ToTask(const QString& text) {
    return Utf8ToCp1251(text.toUtf8().toStdString());
}

std::string NameRefusal(const QString& what, const QString& text) {
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return ToUtf8(QStringLiteral("Поле «%1» содержит перевод строки. Название должно "
                                     "умещаться в одну строку.")
                          .arg(what));
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
    return ToUtf8(QStringLiteral("Поле «%1» содержит символ «%2», которого нет в кодировке "
                                 "Windows-1251. Замените его: задача хранит только символы "
                                 "этой кодировки.")
                      .arg(what, bad));
}
