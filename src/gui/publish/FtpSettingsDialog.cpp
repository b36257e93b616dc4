#include "gui/publish/FtpSettingsDialog.h"

#include "ui_FtpSettingsDialog.h"

#include "core/util/TextConversion.h"
#include "gui/platform/MessageBox.h"

namespace wareloom {

FtpSettingsDialog::FtpSettingsDialog(const DataDirectory& store, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FtpSettingsDialog>()), m_settings(store)
{
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &FtpSettingsDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The boxes show what the record holds even when the file failed: empty
    // fields for a file that could not be made.
    if (const Status loaded = m_settings.loadOrCreate(); !loaded)
        tellFailure(loaded);
    for (int field = 0; field < SettingsFieldCount; ++field)
        box(SettingsField(field))->setText(m_settings.text(SettingsField(field)));
}

FtpSettingsDialog::~FtpSettingsDialog() = default;

void FtpSettingsDialog::accept()
{
    QStringList texts;
    for (int field = 0; field < SettingsFieldCount; ++field)
        texts << box(SettingsField(field))->text();
    // Never stored as '?' without a word.
    if (const QStringList missing = missingFromCodePage(texts); !missing.isEmpty()) {
        messageBox(this, tr("These characters cannot be stored: ") + missing.join(QLatin1Char(' ')),
                   tr("ERROR:"));
        return;
    }
    // A path without its last "/" runs into the file names ("/htdocsinventory.htm").
    const QString uploadPath = box(SettingsField::UploadPath)->text();
    if (!uploadPath.isEmpty() && !uploadPath.endsWith(QLatin1Char('/')) &&
        messageBox(this, tr("Files will go to %1inventory.htm. Save anyway?").arg(uploadPath),
                   QStringLiteral("Wareloom"), MessageButtons::YesNo,
                   MessageIcon::Warning) != MessageAnswer::Yes)
        return;
    // Each field takes the first 199 characters of its box.
    for (int field = 0; field < SettingsFieldCount; ++field)
        m_settings.setText(SettingsField(field), box(SettingsField(field))->text());
    if (const Status saved = m_settings.save(); !saved) {
        tellFailure(saved);
        return;
    }
    QDialog::accept();
}

QLineEdit* FtpSettingsDialog::box(SettingsField field) const
{
    switch (field) {
    case SettingsField::UserName:
        return m_ui->userName;
    case SettingsField::Password:
        return m_ui->password;
    case SettingsField::FtpServer:
        return m_ui->ftpServer;
    case SettingsField::UploadPath:
        return m_ui->uploadPath;
    case SettingsField::HttpServer:
        return m_ui->httpServer;
    }
    return m_ui->userName;
}

void FtpSettingsDialog::tellFailure(const Status& status)
{
    messageBox(this, status.message(), QStringLiteral("Wareloom"));
}

} // namespace wareloom
