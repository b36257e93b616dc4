#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

namespace wareloom {

enum class TransferType {
    Ascii,  // pages: the server may adapt line ends (ours hold none)
    Binary, // pictures and the banner: byte for byte
};

// One FTP connection to the web host, used for the transfers of one
// operation and closed before the operation returns. Every transfer reuses
// the same login.
//
// Active mode first; when the server cannot open the active data connection
// (PORT/EPRT refused, 425, its connect-back times out) the transfer is tried
// once more in passive mode and the connection stays passive.
//
// No call blocks for long: connect 15 s, server response 30 s, the server's
// connect-back 15 s, a transfer slower than 1 B/s for 30 s is ended. A test
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
    FtpConnection();
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // server is "host" or "host:port" (port 21 by default; an IPv6 address
    // goes in brackets when a port follows). Nothing is sent yet: a wrong
    // host or login shows as failed transfers.
    void open(const QString& server, const QString& user, const QString& password);

    // Stores the local file under remoteName exactly as given (UTF-8, no
    // directory change). False when the local file cannot be read, the name
    // is empty or holds a line break, or the server does not take the file.
    bool putFile(const QString& localPath, const QString& remoteName, TransferType type);

    // Deletes remoteName on the server; true only when the server confirms.
    bool deleteFile(const QString& remoteName);

    // Ends the login. open() may follow.
    void close();

    // Thread-safe. A cancelled connection stays cancelled, open() included.
    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

    // True once a transfer has had to fall back to passive mode.
    bool isPassive() const { return m_passive; }

    // What went wrong in the last call that failed, for diagnostics.
    const QString& lastError() const { return m_lastError; }

private:
    struct Handle;

    bool checkUsable(const QString& what, const QString& remoteName);
    bool perform(const QString& what);
    bool fail(const QString& what, const QString& why);

    std::unique_ptr<Handle> m_handle;
    QByteArray m_baseUrl;  // "ftp://host:port/"
    QString m_openError;   // why the settings cannot give a connection at all
    QString m_unreachable; // why the host is out of reach: no transfer is tried again
    bool m_passive = false;
    QString m_lastError;
    std::atomic<bool> m_cancelled{false};
};

// What lastError() says after a transfer ended by cancel().
inline constexpr char16_t CancelledReason[] = u"cancelled";

} // namespace wareloom
