#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QString>

namespace wareloom {

// A host's key as the transfer saw it, and what KnownHosts holds for it.
// Keys are written as pinned: "sha256//<base64>" for a TLS public key,
// "SHA256:<base64>" for an SSH host key.
struct HostKey
{
    QString hostPort; // "host:port", the port always written
    QString offered;  // the key the host showed
    QString known;    // the key trusted before; empty when the host is new
    // A TLS host's certificate, for a person to compare with what the host's
    // control panel shows: its SHA-256 as "AB:CD:...", and why the system's
    // certificate authorities did not vouch for it. Empty for SSH keys.
    QString certificateSha256;
    QString whyUntrusted;

    bool isChanged() const { return !known.isEmpty(); }
    // The line KnownHosts holds once the key is trusted.
    QString line() const { return hostPort + QLatin1Char(' ') + offered; }
};

// KnownHosts in the data directory: one "host:port key" a line, the keys the
// user chose to trust. A host with a line must show exactly that key.
class KnownHosts
{
public:
    static QString filePath(const DataDirectory& store);

    // The key trusted for hostPort in the file at path; empty when none.
    static QString keyFor(const QString& hostPort, const QString& path);

    // Trusts key.offered for key.hostPort, replacing any line the host had.
    static Status trust(const HostKey& key, const QString& path);
};

} // namespace wareloom
