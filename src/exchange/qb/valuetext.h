#pragma once
// The text of a value as the product writes it, and back; shared by the
// request paths, the XML codec and the company file.

#include "exchange/qb/values.h"

namespace tw::qb {

inline QString ValueText(const QString& v)
{
    return v;
}
inline QString ValueText(int v)
{
    return QString::number(v);
}
inline QString ValueText(bool v)
{
    return v ? QStringLiteral("true") : QStringLiteral("false");
}
inline QString ValueText(const QDate& v)
{
    return DateText(v);
}
inline QString ValueText(Currency v)
{
    return AmountText(v);
}
template <class E>
requires std::is_enum_v<E> QString ValueText(E v)
{
    return EnumWord(v);
}

template <class T>
std::optional<T> ValueFromText(const QString& text)
{
    if constexpr (std::is_same_v<T, QString>) {
        return text;
    } else if constexpr (std::is_same_v<T, int>) {
        bool ok = false;
        int v = text.toInt(&ok);
        return ok ? std::optional<int>(v) : std::nullopt;
    } else if constexpr (std::is_same_v<T, bool>) {
        if (text == u"true" || text == u"1")
            return true;
        if (text == u"false" || text == u"0")
            return false;
        return std::nullopt;
    } else if constexpr (std::is_same_v<T, QDate>) {
        return DateFromText(text);
    } else if constexpr (std::is_same_v<T, Currency>) {
        return AmountFromText(text);
    } else {
        static_assert(std::is_enum_v<T>);
        return EnumFromWord<T>(text);
    }
}

}  // namespace tw::qb
