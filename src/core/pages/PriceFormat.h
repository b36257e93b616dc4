#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace wareloom {

// A price typed in any common notation, read as a number.
struct PriceNumber
{
    double value = 0;
    int decimals = 0; // digits written after the decimal separator
    // The number in plain notation ("-1299.50"), as many decimals as written.
    std::array<char, 40> plain{};
    quint8 plainSize = 0;

    QByteArrayView text() const { return {plain.data(), plainSize}; }
};

// Reads prices as numbers whatever the notation ("1,299.99", "1.299,99",
// "24,90", "£24.99") and writes them with the shop's currency the way its
// locale places it.
class PriceFormat
{
public:
    // currency: a symbol or ISO code, or empty; locale: "de_DE", empty for English.
    PriceFormat(const QString& currency, const QString& locale);

    // Nothing when the text is not one number, with perhaps a currency
    // around it. A single separator before exactly three digits groups
    // thousands ("1,299" and "1.299" are 1299); otherwise the last separator
    // is the decimal one.
    static std::optional<PriceNumber> read(QStringView text);

    // Whether the text names a currency of its own ("£24.99", "5 USD").
    static bool carriesCurrency(QStringView text);
    // The price to show: with the currency when one is set and the text is
    // a number without a currency of its own, else the text as written.
    QString shown(const QString& written, const std::optional<PriceNumber>& number) const;
    // The ISO 4217 code of the currency, empty when it is not known.
    const QString& isoCode() const { return m_isoCode; }
    // The language of the pages ("en", "de-DE").
    QString language() const;

private:
    QString m_currency;
    QLocale m_locale;
    QString m_isoCode;
};

} // namespace wareloom
