#include "core/pages/PriceFormat.h"

#include <QRegularExpression>

#include <QSet>
#include <algorithm>

namespace wareloom {
namespace {

bool isCode(const QString& currency)
{
    if (currency.size() != 3)
        return false;
    for (const QChar c : currency) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return false;
    }
    return true;
}

// What may stand around the number: a currency sign or code and blanks.
bool isDecoration(QChar c)
{
    return c.isSpace() || c.isLetter() || c.category() == QChar::Symbol_Currency;
}

bool isGroupBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0xA0) || c == QChar(0x202F) ||
           c == QLatin1Char('\'');
}

// The ISO code of a symbol: the locale's own currency first, else the one
// code every locale that writes the symbol agrees on.
QString isoCodeOf(const QString& currency, const QLocale& locale)
{
    if (currency.isEmpty() || isCode(currency))
        return currency;
    if (locale.currencySymbol(QLocale::CurrencySymbol) == currency)
        return locale.currencySymbol(QLocale::CurrencyIsoCode);
    QSet<QString> codes;
    for (const QLocale& other : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                         QLocale::AnyTerritory)) {
        if (other.currencySymbol(QLocale::CurrencySymbol) == currency)
            codes.insert(other.currencySymbol(QLocale::CurrencyIsoCode));
    }
    return codes.size() == 1 ? *codes.begin() : QString();
}

} // namespace

PriceFormat::PriceFormat(const QString& currency, const QString& locale)
    : m_currency(currency),
      m_locale(locale.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                : QLocale(locale)),
      m_isoCode(isoCodeOf(currency, m_locale))
{}

std::optional<PriceNumber> PriceFormat::read(QStringView text)
{
    qsizetype first = 0, last = text.size() - 1;
    while (first <= last && !text[first].isDigit()) {
        if (!isDecoration(text[first]) && text[first] != QLatin1Char('-'))
            return std::nullopt;
        ++first;
    }
    while (last >= first && !text[last].isDigit()) {
        if (!isDecoration(text[last]))
            return std::nullopt;
        --last;
    }
    if (first > last)
        return std::nullopt;
    const bool negative = text.left(first).contains(QLatin1Char('-'));
    QString digits; // with '.' and ',' where written
    for (const QChar c : text.mid(first, last - first + 1)) {
        if (c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char(','))
            digits.append(c.digitValue() >= 0 ? QChar(u'0' + c.digitValue()) : c);
        else if (!isGroupBlank(c))
            return std::nullopt;
    }
    const qsizetype dot = digits.lastIndexOf(QLatin1Char('.'));
    const qsizetype comma = digits.lastIndexOf(QLatin1Char(','));
    qsizetype decimal = std::max(dot, comma);
    if (decimal >= 0) {
        const QChar separator = digits[decimal];
        const bool onlyOne = digits.count(QLatin1Char('.')) + digits.count(QLatin1Char(',')) == 1;
        const bool grouping = (dot < 0 || comma < 0) &&
                              (!onlyOne || (digits.size() - decimal - 1 == 3 && decimal > 0 &&
                                            digits.left(decimal) != QLatin1String("0")));
        if (grouping)
            decimal = -1;
        else if (digits.count(separator) > 1)
            return std::nullopt;
    }
    // Groups before the decimal separator: one to three digits, then threes.
    const QString whole = decimal >= 0 ? digits.left(decimal) : digits;
    const QStringList groups = whole.split(QRegularExpression(QStringLiteral("[.,]")));
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3 || groups[0].isEmpty() || groups[0].size() > 3)
            return std::nullopt;
    }
    const QString fraction = decimal >= 0 ? digits.mid(decimal + 1) : QString();
    bool ok = false;
    const double value =
        (groups.join(QString()) + QLatin1Char('.') + fraction + QLatin1Char('0')).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return PriceNumber{negative ? -value : value, int(fraction.size())};
}

bool PriceFormat::carriesCurrency(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetter() || c.category() == QChar::Symbol_Currency;
    });
}

QString PriceFormat::shown(const QString& written, const std::optional<PriceNumber>& number) const
{
    if (m_currency.isEmpty() || !number || carriesCurrency(written))
        return written;
    const int precision = number->decimals == 0 ? 0 : std::max(2, number->decimals);
    // A placeholder the locale puts where the symbol goes, so that a code
    // can be kept apart from the digits.
    QString text = m_locale.toCurrencyString(number->value, QStringLiteral("\x01"), precision);
    const qsizetype at = text.indexOf(QChar(1));
    QString symbol = m_currency;
    if (isCode(m_currency) && at >= 0) {
        if (at + 1 < text.size() && !text[at + 1].isSpace())
            symbol.append(QChar(0xA0));
        if (at > 0 && !text[at - 1].isSpace())
            symbol.prepend(QChar(0xA0));
    }
    return text.replace(QChar(1), symbol);
}

QString PriceFormat::language() const
{
    return m_locale.bcp47Name();
}

} // namespace wareloom
