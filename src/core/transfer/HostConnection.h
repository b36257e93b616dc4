#pragma once

#include "core/transfer/KnownHosts.h"
#include "core/transfer/RemoteListing.h"
#include "core/util/Result.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

namespace wareloom {

// What a host needed for its data connections, learnt on one connection and
// handed to the next (and kept with the publish record for the next run).
struct HostNeeds
{
    bool passive = false; // active mode failed
    bool tls12 = false;   // TLS at most 1.2 (always, today: see open())
    bool operator==(const HostNeeds&) const = default;
};

enum class TransferType {
    Ascii,  // pages: the server may adapt line ends (ours hold none)
    Binary, // pictures and the banner: byte for byte
};

// One connection to the web host, whatever it speaks (FTP, FTPS, SFTP, S3,
// WebDAV), used for the transfers of one operation and closed before the
// operation returns. Every transfer reuses the same login.
//
// Remote names are the upload path followed by the file name. A transfer's
// failure names the request and gives the server's reply, or what kept it
// from being answered. A refused login or an untrusted key stops the
// connection: later transfers fail at once, so a wrong password makes one
// attempt per operation, not one per file. cancel() may come from any
// thread: the transfer under way ends within about a second and every later
// one fails at once.
class HostConnection
{
public:
    // The kind of connection the FTP Server field asks for, not opened yet.
    static std::unique_ptr<HostConnection> forServer(const QString& server);

    // Every wait of every connection made from now on (connecting, an
    // answer, a stalled transfer) gives up after timeout; zero or less
    // restores the usual waits. Meant to be called once, at start.
    static void setUniformTimeout(std::chrono::seconds timeout);

    HostConnection() = default;
    virtual ~HostConnection() = default;
    HostConnection(const HostConnection&) = delete;
    HostConnection& operator=(const HostConnection&) = delete;

    // Nothing is sent yet: a wrong host or login shows as failed transfers.
    // The host's key must be the one knownHostsPath trusts for it, if any.
    virtual void open(const QString& server, const QString& user, const QString& password,
                      const QString& knownHostsPath) = 0;

    // Stores the local file under remoteName exactly as given. Fails when
    // the local file cannot be read, the name is empty or holds a line
    // break, or the server does not take the file.
    virtual Status putFile(const QString& localPath, const QString& remoteName,
                           TransferType type) = 0;

    // A file replaceFile() got to the server.
    struct Stored
    {
        // Fails when the server refused the rename: temporaryName holds the
        // file (remoteName may then be gone when it was to be removed first).
        Status renamed = Status::success();
        // The MD5 (hex) of what arrived, when the host confirmed it as the
        // ETag its listings show; empty otherwise.
        QByteArray md5;
    };
    // How the host takes a rename onto an existing name.
    enum class Overwrite {
        ByRename,    // the rename replaces the old file
        RemoveFirst, // the old file is removed right before
    };
    // Stores the file so that nobody ever reads a partly written
    // remoteName: under temporaryName, then renamed over remoteName (a host
    // that replaces a file whole in one request needs no temporary name).
    // Fails when the file did not arrive.
    virtual Result<Stored> replaceFile(const QString& localPath, const QString& remoteName,
                                       const QString& temporaryName, TransferType type,
                                       Overwrite overwrite) = 0;

    // The plain files of a directory ("" is the login directory or the top,
    // otherwise it ends with "/") as the host shows them. Fails when the
    // host does not list it; nothing, without failing, when it lists it in a
    // way not understood (the caller says so in its own words).
    virtual Result<std::optional<RemoteFiles>> listFiles(const QString& directory) = 0;

    // The bytes of remoteName on the server, at most 16 MB of them; fails
    // when the host does not give them.
    virtual Result<QByteArray> readFile(const QString& remoteName) = 0;

    // Deletes remoteName on the server; succeeds only when the server confirms.
    virtual Status deleteFile(const QString& remoteName) = 0;

    // Ends the login. open() may follow.
    virtual void close() = 0;

    // The server field as one name for one host of this kind (see serverAddress()).
    virtual QString addressOf(const QString& server) const = 0;

    // What this host needed so far; assume() starts the next transfer so.
    virtual HostNeeds needs() const { return {}; }
    virtual void assume(HostNeeds) {}

    // The charset pages are declared with where the host sends a content
    // type ("utf-8", "windows-1252"...).
    void setPageCharset(const QByteArray& charset) { m_pageCharset = charset; }

    // Thread-safe. A cancelled connection stays cancelled, open() included.
    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

    // Set when the connection stopped: no later transfer is tried.
    const QString& stopReason() const { return m_unreachable; }
    // The key the host showed when it was not trusted (new or changed).
    const std::optional<HostKey>& untrustedKey() const { return m_untrustedKey; }
    // Something the user should know once (a weaker TLS version...); empty otherwise.
    const QString& notice() const { return m_notice; }

protected:
    // "what: why".
    static Status fail(const QString& what, const QString& why);
    // The same, and no later transfer is tried.
    Status stop(const QString& what, const QString& why);
    // A TLS certificate the CAs did not vouch for: its SHA-256 ("AB:CD:...")
    // and why it was refused.
    struct RefusedCertificate
    {
        QString sha256;
        QString why;
    };
    // offered is the key the host showed; known the one trusted before, if any.
    Status refuseKey(const QString& what, const QString& offered, const QString& known,
                     const QString& whyUnchecked, const RefusedCertificate& certificate = {});

    QString m_hostPort; // "host:port", as KnownHosts names it
    QByteArray m_pageCharset = "utf-8";
    QString m_unreachable; // why the host is out of reach: no transfer is tried again
    std::optional<HostKey> m_untrustedKey;
    QString m_notice;
    std::atomic<bool> m_cancelled{false};
};

// The FTP Server field as one name for one host: "ftp://host:21",
// "sftp://host:22", "s3://host:443/bucket"... The field itself when it
// names no host.
QString serverAddress(const QString& server);

// Why a transfer ended by cancel() failed.
// Translated in the context "HostConnection".
inline constexpr char CancelledReason[] = QT_TRANSLATE_NOOP("HostConnection", "cancelled");

} // namespace wareloom
