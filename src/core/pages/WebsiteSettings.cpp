#include "core/pages/WebsiteSettings.h"

#include "core/pages/MainPage.h"

#include <QDir>
#include <QSettings>

namespace wareloom {
namespace {

const QString ContactEmailKey = QStringLiteral("Website/ContactEmail");
const QString ShopNameKey = QStringLiteral("Website/ShopName");
const QString StyleKey = QStringLiteral("Website/Style");
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
    return settings;
}

Status WebsiteSettings::save(const DataDirectory& store) const
{
    QSettings file(filePath(store), QSettings::IniFormat);
    const auto put = [&file](const QString& key, const QString& text) {
        if (text.trimmed().isEmpty())
            file.remove(key);
        else
            file.setValue(key, text.trimmed());
    };
    put(ContactEmailKey, contactEmail);
    put(ShopNameKey, shopName);
    file.setValue(StyleKey, style == Style::Modern ? ModernName : ClassicName);
    file.sync();
    if (file.status() != QSettings::NoError) {
        return Status::failure(QStringLiteral("The website settings could not be written to %1.")
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
