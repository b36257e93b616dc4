#pragma once

#include "core/transfer/KnownHosts.h"

class QWidget;

namespace wareloom {

// Asks, owned by owner, whether to trust the new key of a web host, and
// stores it in the KnownHosts file at knownHostsPath when the user says Yes (default No). A changed
// key is never asked about: the warning names both keys. True when the key is now trusted and the
// operation may be tried again.
bool askToTrustHostKey(QWidget* owner, const HostKey& key, const QString& knownHostsPath);

} // namespace wareloom
