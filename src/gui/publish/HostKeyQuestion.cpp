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
    const MessageAnswer answer =
        messageBox(owner,
                   Texts::tr("The identity of %1 cannot be checked.\n\nIts SHA-256 key "
                             "fingerprint is:\n%2\n\nTrust this key from now on?")
                       .arg(key.hostPort, key.offered),
                   caption, MessageButtons::YesNoDefaultNo, MessageIcon::Question);
    if (answer != MessageAnswer::Yes)
        return false;
    if (const Status stored = KnownHosts::trust(key, knownHostsPath); !stored) {
        messageBox(owner, stored.message(), caption, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace wareloom
