#include "settings/setuppassword.h"

#include "data/textroutines.h"

#include <algorithm>

namespace tw::settings {

QString TrimPasswordEntry(const QString& typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && typed[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && typed[end - 1].unicode() <= 0x20)
        --end;
    return typed.mid(begin, end - begin);
}

std::optional<std::string> StoredPasswordForm(const QString& typed)
{
    const QString text = TrimPasswordEntry(typed);
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return std::nullopt;
    return data::SwapPasswordLetters(text.toLatin1().toStdString());
}

bool PasswordMatches(const QString& typed, const std::string& storedField)
{
    const QString text = TrimPasswordEntry(typed);
    if (text == QLatin1String(kBuiltInPassword))
        return true;
    // The field pads with blanks, so a stored form ending in one (a password
    // that starts with the character the swap turns into a blank) is compared
    // as the field gives it back.
    const auto withoutPadding = [](std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    const std::optional<std::string> form = StoredPasswordForm(text);
    return form && withoutPadding(*form) == withoutPadding(storedField);
}

}  // namespace tw::settings
