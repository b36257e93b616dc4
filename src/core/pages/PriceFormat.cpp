#include "core/pages/PriceFormat.h"

#include <QSet>
#include <algorithm>
#include <charconv>

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

// Reads the digits and separators without allocating: a category page
// reads two numbers in each of up to 999 items.
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
    std::array<char, 32> digits; // with '.' and ',' where written
    int size = 0, dots = 0, commas = 0, lastDot = -1, lastComma = -1;
    for (const QChar c : text.mid(first, last - first + 1)) {
        if (size == int(digits.size()))
            return std::nullopt;
        if (c.isDigit()) {
            digits[size++] = char('0' + c.digitValue());
        } else if (c == QLatin1Char('.')) {
            lastDot = size;
            ++dots;
            digits[size++] = '.';
        } else if (c == QLatin1Char(',')) {
            lastComma = size;
            ++commas;
            digits[size++] = ',';
        } else if (!isGroupBlank(c)) {
            return std::nullopt;
        }
    }
    int decimal = std::max(lastDot, lastComma);
    if (decimal >= 0) {
        const bool onlyOne = dots + commas == 1;
        const bool wholeIsZero = decimal == 1 && digits[0] == '0';
        const bool grouping =
            (dots == 0 || commas == 0) && (!onlyOne || (size - decimal - 1 == 3 && !wholeIsZero));
        if (grouping)
            decimal = -1;
        else if ((digits[decimal] == '.' ? dots : commas) > 1)
            return std::nullopt;
    }
    PriceNumber number;
    char* out = number.plain.data();
    if (text.left(first).contains(QLatin1Char('-')))
        *out++ = '-';
    // Groups before the decimal separator: one to three digits, then threes.
    const int wholeEnd = decimal >= 0 ? decimal : size;
    int group = 0, groups = 0;
    for (int i = 0; i <= wholeEnd; ++i) {
        if (i < wholeEnd && digits[i] >= '0') {
            *out++ = digits[i];
            ++group;
            continue;
        }
        const bool separated = i < wholeEnd || groups > 0;
        if (separated && (groups == 0 ? group < 1 || group > 3 : group != 3))
            return std::nullopt;
        ++groups;
        group = 0;
    }
    if (out == number.plain.data() || out[-1] == '-')
        *out++ = '0';
    if (decimal >= 0 && decimal + 1 < size) {
        *out++ = '.';
        for (int i = decimal + 1; i < size; ++i)
            *out++ = digits[i];
        number.decimals = size - decimal - 1;
    }
    number.plainSize = quint8(out - number.plain.data());
    std::from_chars(number.plain.data(), out, number.value);
    return number;
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
