#include "gui/publish/WebsiteSettingsDialog.h"

#include "ui_WebsiteSettingsDialog.h"

#include "core/pages/MainPage.h"
#include "gui/platform/MessageBox.h"

#include <QPushButton>

namespace wareloom {

WebsiteSettingsDialog::WebsiteSettingsDialog(DataDirectory store, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WebsiteSettingsDialog>()),
      m_store(std::move(store))
{
    m_ui->setupUi(this);
    m_ui->buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    m_ui->buttons->button(QDialogButtonBox::Ok)
        ->setAccessibleDescription(tr("Keep the settings and close"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)
        ->setAccessibleDescription(tr("Close without keeping the changes"));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &WebsiteSettingsDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const WebsiteSettings settings = WebsiteSettings::load(m_store);
    m_ui->shopName->setPlaceholderText(QLatin1String(DefaultShopName));
    m_ui->shopName->setText(settings.shopName);
    m_ui->contactEmail->setPlaceholderText(QLatin1String(SalesEmailAddress));
    m_ui->contactEmail->setText(settings.contactEmail);
    m_ui->style->setCurrentIndex(settings.style == WebsiteSettings::Style::Modern ? 1 : 0);
    m_ui->currency->setText(settings.currency);
    m_ui->locale->setText(settings.locale);
    m_ui->soldOut->setCurrentIndex(settings.soldOut == WebsiteSettings::SoldOut::Hide ? 1 : 0);
}

WebsiteSettingsDialog::~WebsiteSettingsDialog() = default;

void WebsiteSettingsDialog::accept()
{
    WebsiteSettings settings;
    settings.shopName = m_ui->shopName->text().trimmed();
    settings.contactEmail = m_ui->contactEmail->text().trimmed();
    settings.style = m_ui->style->currentIndex() == 1 ? WebsiteSettings::Style::Modern
                                                      : WebsiteSettings::Style::Classic;
    settings.currency = m_ui->currency->text().trimmed();
    settings.locale = m_ui->locale->text().trimmed();
    settings.soldOut = m_ui->soldOut->currentIndex() == 1 ? WebsiteSettings::SoldOut::Hide
                                                          : WebsiteSettings::SoldOut::Mark;
    if (const Status saved = settings.save(m_store); !saved) {
        messageBox(this, saved.message(), QStringLiteral("Wareloom"));
        return;
    }
    QDialog::accept();
}

} // namespace wareloom
