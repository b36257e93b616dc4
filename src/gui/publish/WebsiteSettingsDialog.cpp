#include "gui/publish/WebsiteSettingsDialog.h"

#include "ui_WebsiteSettingsDialog.h"

#include "core/pages/MainPage.h"
#include "gui/platform/MessageBox.h"

#include <QPushButton>

namespace wareloom {
namespace {

// One '@' with text on both sides and nothing a mail link cannot carry.
bool looksLikeAddress(const QString& address)
{
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1 || address.indexOf(QLatin1Char('@'), at + 1) >= 0)
        return false;
    for (const QChar c : address) {
        if (c.isSpace() || c.category() == QChar::Other_Control ||
            QStringLiteral("<>\"'(),;:\\[]").contains(c))
            return false;
    }
    return true;
}

} // namespace

WebsiteSettingsDialog::WebsiteSettingsDialog(DataDirectory store, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WebsiteSettingsDialog>()),
      m_store(std::move(store))
{
    m_ui->setupUi(this);
    m_ui->buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &WebsiteSettingsDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const WebsiteSettings settings = WebsiteSettings::load(m_store);
    m_ui->shopName->setPlaceholderText(QLatin1String(DefaultShopName));
    m_ui->shopName->setText(settings.shopName);
    m_ui->contactEmail->setPlaceholderText(QLatin1String(SalesEmailAddress));
    m_ui->contactEmail->setText(settings.contactEmail);
    m_ui->style->setCurrentIndex(settings.style == WebsiteSettings::Style::Modern ? 1 : 0);
}

WebsiteSettingsDialog::~WebsiteSettingsDialog() = default;

void WebsiteSettingsDialog::accept()
{
    WebsiteSettings settings;
    settings.shopName = m_ui->shopName->text().trimmed();
    settings.contactEmail = m_ui->contactEmail->text().trimmed();
    settings.style = m_ui->style->currentIndex() == 1 ? WebsiteSettings::Style::Modern
                                                      : WebsiteSettings::Style::Classic;
    if (!settings.contactEmail.isEmpty() && !looksLikeAddress(settings.contactEmail)) {
        messageBox(this,
                   QStringLiteral("\"%1\" is not an e-mail address: it needs one @ with text "
                                  "before and after it, and no spaces.")
                       .arg(settings.contactEmail),
                   QStringLiteral("Wareloom"));
        return;
    }
    if (const Status saved = settings.save(m_store); !saved) {
        messageBox(this, saved.message(), QStringLiteral("Wareloom"));
        return;
    }
    QDialog::accept();
}

} // namespace wareloom
