#include "core/pages/WebsiteSettings.h"

#include "core/pages/MainPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(WebsiteSettings)
};

const QString ContactEmailKey = QStringLiteral("Website/ContactEmail");
const QString ShopNameKey = QStringLiteral("Website/ShopName");
const QString StyleKey = QStringLiteral("Website/Style");
const QString CurrencyKey = QStringLiteral("Website/Currency");
const QString LocaleKey = QStringLiteral("Website/Locale");
const QString SoldOutKey = QStringLiteral("Website/SoldOut");
const QString ModernName = QStringLiteral("Modern");
const QString ClassicName = QStringLiteral("Classic");

// An INI value with an unquoted comma reads as a list: the text is its parts.
QString text(const QSettings& file, const QString& key)
{
    const QVariant value = file.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).trimmed();
    return value.toString().trimmed();
}

} // namespace

QString WebsiteSettings::filePath(const DataDirectory& store)
{
    return store.filePath(QStringLiteral("Website.ini"));
}

WebsiteSettings WebsiteSettings::load(const DataDirectory& store)
{
    const QSettings file(filePath(store), QSettings::IniFormat);
    WebsiteSettings settings;
    settings.contactEmail = text(file, ContactEmailKey);
    settings.shopName = text(file, ShopNameKey);
    // Anything but Modern is the classic style, which every site had before.
    if (file.value(StyleKey).toString().compare(ModernName, Qt::CaseInsensitive) == 0)
        settings.style = Style::Modern;
    settings.currency = text(file, CurrencyKey);
    settings.locale = text(file, LocaleKey);
    if (text(file, SoldOutKey).compare(QLatin1String("Hide"), Qt::CaseInsensitive) == 0)
        settings.soldOut = SoldOut::Hide;
    return settings;
}

Status WebsiteSettings::checkContactEmail(const QString& address)
{
    const auto refused = [&address](const QString& why) {
        return Status::failure(
            Texts::tr("\"%1\" cannot be the contact address: %2.").arg(address, why));
    };
    if (address.contains(QLatin1Char('\n')) || address.contains(QLatin1Char('\r')))
        return refused(Texts::tr("it holds a line break; give one address on one line"));
    for (const QChar c : address) {
        if (c.isSpace())
            return refused(Texts::tr("it holds a space; give one address without spaces"));
    }
    if (address.contains(QLatin1Char(',')) || address.contains(QLatin1Char(';')) ||
        address.count(QLatin1Char('@')) > 1)
        return refused(Texts::tr("give only one address"));
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1)
        return refused(Texts::tr("it needs one @ with text before and after it"));
    for (const QChar c : address) {
        if (c.category() == QChar::Other_Control || QStringView(u"<>\"'()\\[]:").contains(c))
            return refused(Texts::tr("a mail address cannot hold the character %1").arg(c));
    }
    return Status::success();
}

Status WebsiteSettings::save(const DataDirectory& store) const
{
    if (!contactEmail.trimmed().isEmpty()) {
        if (Status valid = checkContactEmail(contactEmail.trimmed()); !valid)
            return valid;
    }
    QSettings file(filePath(store), QSettings::IniFormat);
    const auto put = [&file](const QString& key, const QString& text) {
        if (text.trimmed().isEmpty())
            file.remove(key);
        else
            file.setValue(key, text.trimmed());
    };
    put(ContactEmailKey, contactEmail);
    put(ShopNameKey, shopName);
    put(CurrencyKey, currency);
    put(LocaleKey, locale);
    file.setValue(SoldOutKey,
                  soldOut == SoldOut::Hide ? QStringLiteral("Hide") : QStringLiteral("Mark"));
    file.setValue(StyleKey, style == Style::Modern ? ModernName : ClassicName);
    file.sync();
    if (file.status() != QSettings::NoError) {
        return Status::failure(Texts::tr("The website settings could not be written to %1.")
                                   .arg(QDir::toNativeSeparators(filePath(store))));
    }
    return Status::success();
}

QString WebsiteSettings::contactEmailShown() const
{
    return contactEmail.isEmpty() ? QLatin1String(SalesEmailAddress) : contactEmail;
}

QString WebsiteSettings::shopNameShown() const
{
    return shopName.isEmpty() ? QLatin1String(DefaultShopName) : shopName;
}

} // namespace wareloom
