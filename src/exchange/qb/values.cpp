#include "exchange/qb/values.h"

namespace tw::qb {

QString DateText(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

std::optional<QDate> DateFromText(const QString& text)
{
    // Exactly YYYY-MM-DD: the product sends nothing else for a date.
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    QDate d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString AmountText(Currency amount)
{
    QString text = QString::fromStdString(amount.ToText(4));
    // Drop trailing zeros beyond the second decimal: "12.5000" -> "12.50".
    while (text.size() > 3 && text.endsWith(u'0') && text[text.size() - 3] != u'.')
        text.chop(1);
    return text;
}

std::optional<Currency> AmountFromText(const QString& text)
{
    // The product never sends more than four decimals or blanks; a text that
    // would need rounding is not an amount of the product.
    const QString t = text.trimmed();
    if (t.isEmpty() || t != text)
        return std::nullopt;
    qsizetype point = t.indexOf(u'.');
    if (point >= 0 && t.size() - point - 1 > 4)
        return std::nullopt;
    for (QChar c : t)
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+'))
            return std::nullopt;
    auto v = Currency::FromText(t.toStdString());
    return v;
}

}  // namespace tw::qb
