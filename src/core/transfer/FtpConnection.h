#pragma once

#include "core/transfer/HostConnection.h"

#include <QByteArray>
#include <QString>

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
// may set WARELOOM_FTP_TIMEOUT to a number of seconds that replaces all four
// (setUniformTimeout()).
// A host that has not answered at all within its time-out is not waited for
// again: the later transfers of the connection fail at once.
//
// cancel() may come from any thread: the transfer under way ends within
// about a second (libcurl's progress callback reads the flag) and every
// later transfer of the connection fails at once.
class FtpConnection : public HostConnection
{
public:
    FtpConnection();
    ~FtpConnection() override;

    // server is "host" or "host:port" (port 21 by default; an IPv6 address
    // goes in brackets when a port follows), optionally after "ftpes://",
    // "ftps://" or "sftp://". Nothing is sent yet: a wrong host or login
    // shows as failed transfers. The host's key must be the one knownHostsPath
    // trusts for it, if any.
    void open(const QString& server, const QString& user, const QString& password,
              const QString& knownHostsPath) override;

    // Stores the local file under remoteName exactly as given (UTF-8, no
    // directory change; over SFTP a name without a leading "/" is taken
    // from the login directory). Fails when the local file cannot be read, the name
    // is empty or holds a line break, or the server does not take the file.
    Status putFile(const QString& localPath, const QString& remoteName, TransferType type) override;

    // Over SFTP the old file is always removed right before the rename.
    // Stores the file under temporaryName and renames it over remoteName, so
    // that nobody ever reads a partly written remoteName (see Stored).
    Result<Stored> replaceFile(const QString& localPath, const QString& remoteName,
                               const QString& temporaryName, TransferType type,
                               Overwrite overwrite) override;

    // The raw listing of a directory ("" is the login directory, otherwise
    // it ends with "/"): MLSD lines, else LIST lines, or SFTP's "ls -l"
    // lines. Fails when the server gives none.
    // A listing longer than MaxListingBytes is refused unread.
    Result<QByteArray> listDirectory(const QString& directory);
    static constexpr qsizetype MaxListingBytes = 16 << 20;
    // The listing read (MLSD, "ls -l" or DOS lines).
    Result<std::optional<RemoteFiles>> listFiles(const QString& directory) override;

    Result<QByteArray> readFile(const QString& remoteName) override;
    Status deleteFile(const QString& remoteName) override;
    void close() override;
    QString addressOf(const QString& server) const override;

    // True once a transfer has had to fall back to passive mode (or FTPS).
    bool isPassive() const { return m_passive; }
    // What this host needed so far; assume() starts the next transfer so.
    HostNeeds needs() const override { return {m_passive, m_tls12}; }
    void assume(HostNeeds needs) override;

private:
    struct Handle;

    void usePassive();
    void useTls12();
    Status checkUsable(const QString& what, const QString& remoteName);
    Result<QByteArray> receive(const QString& what, const QByteArray& path, const char* command,
                               const char* kind);
    Result<Stored> storeFile(const QString& localPath, const QString& storeName,
                             const QString& renameTo, TransferType type,
                             Overwrite overwrite = Overwrite::ByRename);
    Status performRetrying(const QString& what, const std::function<bool()>& rewind);
    Status perform(const QString& what);
    static QByteArray sftpArgument(QByteArray path);
    Status refuseKey(const QString& what, const QString& offered);
    bool isTls() const;
    QByteArray urlPath(const QString& remoteName) const;

    std::unique_ptr<Handle> m_handle;
    HostProtocol m_protocol = HostProtocol::Ftp;
    QByteArray m_pin;     // the trusted key, as libcurl takes it
    bool m_tls12 = false; // TLS 1.2 at most
    QByteArray m_baseUrl; // "ftp://host:port/"
    QString m_openError;  // why the settings cannot give a connection at all
    bool m_passive = false;
};

} // namespace wareloom
