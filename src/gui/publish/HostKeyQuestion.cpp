#include "gui/publish/HostKeyQuestion.h"

#include "gui/platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HostKeyQuestion)
};

} // namespace

bool askToTrustHostKey(QWidget* owner, const HostKey& key, const QString& knownHostsPath)
{
    const QString caption = QStringLiteral("Wareloom");
    if (key.isChanged()) {
        messageBox(owner,
                   Texts::tr("The key of %1 has changed!\n\nTrusted key: %2\nKey shown now: "
                             "%3\n\nNothing was sent. Someone may be posing as your web "
                             "host. If the host really changed its key, remove its line "
                             "from %4.")
                       .arg(key.hostPort, key.known, key.offered,
                            QDir::toNativeSeparators(knownHostsPath)),
                   caption, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    // A person compares the certificate's fingerprint with the one the
    // host's control panel (or openssl x509 -fingerprint -sha256) shows.
    QString text = key.whyUntrusted.isEmpty()
                       ? Texts::tr("The identity of %1 cannot be checked.").arg(key.hostPort)
                       : Texts::tr("The identity of %1 cannot be checked: %2.")
                             .arg(key.hostPort, key.whyUntrusted);
    if (!key.certificateSha256.isEmpty())
        text += Texts::tr("\n\nIts certificate's SHA-256 fingerprint is:\n%1")
                    .arg(key.certificateSha256);
    text += Texts::tr("\n\nIts SHA-256 key fingerprint is:\n%1\n\nTrust this key from now on?")
                .arg(key.offered);
    const MessageAnswer answer =
        messageBox(owner, text, caption, MessageButtons::YesNoDefaultNo, MessageIcon::Question);
    if (answer != MessageAnswer::Yes)
        return false;
    if (const Status stored = KnownHosts::trust(key, knownHostsPath); !stored) {
        messageBox(owner, stored.message(), caption, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace wareloom
