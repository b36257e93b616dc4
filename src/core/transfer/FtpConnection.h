#pragma once

#include "core/transfer/KnownHosts.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace wareloom {

// What the FTP Server field asks for; never a fall back to clear text.
enum class HostProtocol {
    Ftp,         // "host", "host:port"
    ExplicitTls, // "ftpes://": AUTH TLS, login and every data connection encrypted
    ImplicitTls, // "ftps://": TLS from the first byte, port 990
    Sftp,        // "sftp://": SSH, port 22
};

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

// One connection to the web host (FTP, FTPS or SFTP), used for the transfers
// of one operation and closed before the operation returns. Every transfer
// reuses the same login.
//
// FTP: active mode first; when the active data connection cannot be made or
// breaks (PORT/EPRT refused or impossible, 425/426, no connect-back within
// a few seconds, reset) the transfer is tried once more in passive mode and
// the connection stays passive. FTPS starts passive: through TLS the server
// would wait for a handshake on its connect-back that never comes.
//
// Trust: a TLS certificate the system's CAs vouch for is taken; a key in
// KnownHosts must match exactly; any other key (and every SSH host key not
// in KnownHosts) stops the connection before the login, and hostKey() says
// which key the host showed. A refused login, a refused AUTH TLS or an
// untrusted key stop the connection: later transfers fail at once, so a
// wrong password makes one attempt per operation, not one per file.
//
// No call blocks for long: connect 15 s, server response 30 s, the server's
// connect-back 5 s, a transfer slower than 1 B/s for 30 s is ended. A test
// may set WARELOOM_FTP_TIMEOUT to a number of seconds that replaces all four.
// A host that has not answered at all within its time-out is not waited for
// again: the later transfers of the connection fail at once.
//
// cancel() may come from any thread: the transfer under way ends within
// about a second (libcurl's progress callback reads the flag) and every
// later transfer of the connection fails at once.
class FtpConnection
{
public:
    // Every wait of every connection made from now on (connecting, an
    // answer, a stalled transfer) gives up after timeout; zero or less
    // restores the usual waits. Meant to be called once, at start.
    static void setUniformTimeout(std::chrono::seconds timeout);

    FtpConnection();
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // server is "host" or "host:port" (port 21 by default; an IPv6 address
    // goes in brackets when a port follows), optionally after "ftpes://",
    // "ftps://" or "sftp://". Nothing is sent yet: a wrong host or login
    // shows as failed transfers. The host's key must be the one knownHostsPath
    // trusts for it, if any.
    void open(const QString& server, const QString& user, const QString& password,
              const QString& knownHostsPath);

    // Stores the local file under remoteName exactly as given (UTF-8, no
    // directory change; over SFTP a name without a leading "/" is taken
    // from the login directory). False when the local file cannot be read, the name
    // is empty or holds a line break, or the server does not take the file.
    bool putFile(const QString& localPath, const QString& remoteName, TransferType type);

    enum class Stored { Yes, No, NotRenamed };
    // How the host takes a rename onto an existing name.
    enum class Overwrite {
        ByRename,    // the rename replaces the old file
        RemoveFirst, // the old file is removed right before (always over SFTP)
    };
    // Stores the file under temporaryName and renames it over remoteName, so
    // that nobody ever reads a partly written remoteName. NotRenamed: the
    // file arrived but the server refused the rename (remoteName may then
    // be gone when it was to be removed first); temporaryName holds it.
    Stored replaceFile(const QString& localPath, const QString& remoteName,
                       const QString& temporaryName, TransferType type, Overwrite overwrite);

    // The raw listing of a directory ("" is the login directory, otherwise
    // it ends with "/"): MLSD lines, else LIST lines, or SFTP's "ls -l"
    // lines. Nothing when the server gives none.
    // A listing longer than MaxListingBytes is refused unread.
    std::optional<QByteArray> listDirectory(const QString& directory);
    static constexpr qsizetype MaxListingBytes = 16 << 20;

    // Deletes remoteName on the server; true only when the server confirms.
    bool deleteFile(const QString& remoteName);

    // Ends the login. open() may follow.
    void close();

    // Thread-safe. A cancelled connection stays cancelled, open() included.
    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

    // True once a transfer has had to fall back to passive mode (or FTPS).
    bool isPassive() const { return m_passive; }
    // What this host needed so far; assume() starts the next transfer so.
    HostNeeds needs() const { return {m_passive, m_tls12}; }
    void assume(HostNeeds needs);

    // What went wrong in the last call that failed: the command and the
    // server's reply, or what kept the command from being answered.
    const QString& lastError() const { return m_lastError; }

    // Set when the connection stopped: no later transfer is tried.
    const QString& stopReason() const { return m_unreachable; }
    // The key the host showed when it was not trusted (new or changed).
    const std::optional<HostKey>& untrustedKey() const { return m_untrustedKey; }
    // Said once when FTPS fell back to TLS 1.2; empty otherwise.
    const QString& notice() const { return m_notice; }

private:
    struct Handle;

    void usePassive();
    void useTls12();
    bool checkUsable(const QString& what, const QString& remoteName);
    Stored storeFile(const QString& localPath, const QString& storeName, const QString& renameTo,
                     TransferType type, Overwrite overwrite = Overwrite::ByRename);
    bool performRetrying(const QString& what, const std::function<bool()>& rewind);
    bool perform(const QString& what);
    static QByteArray sftpArgument(QByteArray path);
    bool stop(const QString& what, const QString& why);
    bool refuseKey(const QString& what, const QString& offered);
    bool fail(const QString& what, const QString& why);
    bool isTls() const;
    QByteArray urlPath(const QString& remoteName) const;

    std::unique_ptr<Handle> m_handle;
    HostProtocol m_protocol = HostProtocol::Ftp;
    QString m_hostPort;   // "host:port", as KnownHosts names it
    QByteArray m_pin;     // the trusted key, as libcurl takes it
    bool m_tls12 = false; // TLS 1.2 at most
    QString m_notice;
    std::optional<HostKey> m_untrustedKey;
    QByteArray m_baseUrl;  // "ftp://host:port/"
    QString m_openError;   // why the settings cannot give a connection at all
    QString m_unreachable; // why the host is out of reach: no transfer is tried again
    bool m_passive = false;
    QString m_lastError;
    std::atomic<bool> m_cancelled{false};
};

// The FTP Server field as one name for one host: "ftp://host:21",
// "sftp://host:22"... The field itself when it names no host.
QString serverAddress(const QString& server);

} // namespace wareloom
