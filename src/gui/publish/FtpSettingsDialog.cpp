#include "gui/publish/FtpSettingsDialog.h"

#include "ui_FtpSettingsDialog.h"

#include "core/util/TextConversion.h"
#include "gui/platform/MessageBox.h"

#include <algorithm>
#include <iterator>

namespace wareloom {
namespace {

// What the boxes mean for one kind of host: placeholder and description of
// the user, password, upload path and HTTP server boxes.
struct FieldMeanings
{
    const char* prefixes[2];
    const char* texts[4][2];
};

constexpr FieldMeanings Meanings[] = {
    {{"s3://", "s3+http://"},
     {{"Access key ID", "The access key ID of the S3 key that may write to the bucket"},
      {"Secret access key",
       "The secret key; it signs each request and is never sent (stored in clear here)"},
      {"key prefix, e.g. shop/ (empty: the top of the bucket)",
       "Put in front of every object key, ending in a slash, or empty"},
      {"https://bucket.s3-website.region.amazonaws.com/inventory.htm",
       "The bucket's public web address (website endpoint, custom domain or CDN)"}}},
    {{"davs://", "dav://"},
     {{"WebDAV user name", "Your user name on the WebDAV share"},
      {"WebDAV password", "Your password on the share (an app password for Nextcloud); "
                          "stored in clear, sent only over HTTPS with davs://"},
      {"folder under the share, e.g. shop/",
       "The folder under the share's address the files go into, ending in a slash"},
      {"https://www.example.com/inventory.htm", "The web address of the published inventory.htm"}}},
    {{"", ""},
     {{"", "Your FTP login name"},
      {"", "Your FTP password; it is stored in clear"},
      {"", "The folder on the host the files go into, ending in a slash"},
      {"", "The web address of the published inventory.htm"}}},
};

} // namespace

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
    connect(m_ui->ftpServer, &QLineEdit::textChanged, this, &FtpSettingsDialog::describeFields);
    describeFields(m_ui->ftpServer->text());
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

void FtpSettingsDialog::describeFields(const QString& server)
{
    const QString field = server.trimmed();
    const auto names = [&](const FieldMeanings& kind) {
        return std::any_of(std::begin(kind.prefixes), std::end(kind.prefixes), [&](const char* p) {
            return *p && field.startsWith(QLatin1String(p), Qt::CaseInsensitive);
        });
    };
    // The last one, FTP, when no other kind is named, as always.
    const FieldMeanings* meaning =
        std::find_if(std::begin(Meanings), std::end(Meanings) - 1, names);
    const SettingsField fields[] = {SettingsField::UserName, SettingsField::Password,
                                    SettingsField::UploadPath, SettingsField::HttpServer};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        QLineEdit* edit = box(fields[i]);
        edit->setPlaceholderText(QString::fromUtf8(meaning->texts[i][0]));
        edit->setToolTip(QString::fromUtf8(meaning->texts[i][1]));
        edit->setAccessibleDescription(QString::fromUtf8(meaning->texts[i][1]));
    }
}

void FtpSettingsDialog::tellFailure(const Status& status)
{
    messageBox(this, status.message(), QStringLiteral("Wareloom"));
}

} // namespace wareloom
