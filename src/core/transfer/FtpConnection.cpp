#include "core/transfer/FtpConnection.h"

#include <QFile>

#include <curl/curl.h>

namespace wareloom {
namespace {

struct Timeouts
{
    long connectSeconds = 15;
    long serverResponseSeconds = 30;
    long acceptMilliseconds = 15000;
    long lowSpeedSeconds = 30;

    static Timeouts fromEnvironment()
    {
        bool ok = false;
        const long seconds = qEnvironmentVariable("WARELOOM_FTP_TIMEOUT").toLong(&ok);
        if (!ok || seconds <= 0)
            return {};
        return {seconds, seconds, seconds * 1000, seconds};
    }
};

// A remote name goes into the URL path; every byte that curl could read as
// URL syntax ('#', '?', '%', ";type=", blanks...) is percent-encoded. A
// leading '/' is encoded too, so that it reaches the server as part of the
// name instead of being taken as the URL's path separator.
QByteArray encodePath(const QByteArray& name)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const uchar c = uchar(name[i]);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           (c == '/' && i > 0);
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

// A line break (or NUL) in a name or login would end the FTP command early
// and let the rest pass as a command of its own.
bool breaksCommandLine(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) ||
           text.contains(QChar(0));
}

struct ServerAddress
{
    QByteArray urlHost; // as it goes between "ftp://" and ":port"
    int port = 21;
    QString error;
};

// "host", "host:port", "[v6address]", "[v6address]:port" or a bare IPv6
// address. Characters that would change the meaning of the URL are refused.
ServerAddress parseServer(const QString& field)
{
    ServerAddress address;
    const QString server = field.trimmed();
    QString host = server;
    QString port;
    if (server.startsWith(QLatin1Char('['))) {
        const qsizetype close = server.indexOf(QLatin1Char(']'));
        if (close > 0) {
            host = server.mid(1, close - 1);
            const QString rest = server.mid(close + 1);
            if (rest.startsWith(QLatin1Char(':')))
                port = rest.mid(1);
            else if (!rest.isEmpty())
                host.clear();
        } else {
            host.clear();
        }
    } else if (server.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = server.indexOf(QLatin1Char(':'));
        host = server.left(colon);
        port = server.mid(colon + 1);
    }
    static const QString forbidden = QStringLiteral(" /\\?#@[]{}%\"'<>^`|!$&()*+,;=");
    bool valid = !host.isEmpty();
    for (const QChar c : host) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c))
            valid = false;
    }
    if (!port.isNull()) {
        bool ok = false;
        address.port = port.toInt(&ok);
        if (!ok || address.port < 1 || address.port > 65535 || !port.front().isDigit())
            valid = false;
    }
    if (!valid) {
        address.error =
            QStringLiteral("\"%1\" is not an FTP server name (host or host:port)").arg(field);
        return address;
    }
    const bool ipv6 = host.contains(QLatin1Char(':'));
    address.urlHost = ipv6 ? '[' + host.toUtf8() + ']' : host.toUtf8();
    return address;
}

size_t readLocalFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 read = static_cast<QFile*>(file)->read(buffer, qint64(size * count));
    return read < 0 ? size_t(CURL_READFUNC_ABORT) : size_t(read);
}

// libcurl calls this about once a second, also while it waits for a server
// that says nothing; non-zero ends the transfer.
int abortWhenCancelled(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

} // namespace

struct FtpConnection::Handle
{
    CURL* curl = curl_easy_init();
    char errors[CURL_ERROR_SIZE] = {};
    CURLcode lastResult = CURLE_OK;

    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }

    long responseCode() const
    {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return code;
    }

    // The server could not make or take the active-mode data connection.
    bool activeDataFailed() const
    {
        return lastResult == CURLE_FTP_PORT_FAILED || lastResult == CURLE_FTP_ACCEPT_FAILED ||
               lastResult == CURLE_FTP_ACCEPT_TIMEOUT || responseCode() == 425;
    }
};

FtpConnection::FtpConnection() = default;

FtpConnection::~FtpConnection()
{
    close();
}

void FtpConnection::open(const QString& server, const QString& user, const QString& password)
{
    close();
    m_passive = false;
    m_lastError.clear();
    m_openError.clear();
    m_unreachable.clear();

    const ServerAddress address = parseServer(server);
    if (!address.error.isEmpty()) {
        m_openError = address.error;
        return;
    }
    if (breaksCommandLine(user) || breaksCommandLine(password)) {
        m_openError = QStringLiteral("the FTP user name or password holds a line break");
        return;
    }
    auto handle = std::make_unique<Handle>();
    CURL* curl = handle->curl;
    if (!curl) {
        m_openError = QStringLiteral("the network library cannot make a connection");
        return;
    }
    m_baseUrl = "ftp://" + address.urlHost + ':' + QByteArray::number(address.port) + '/';

    const Timeouts timeouts = Timeouts::fromEnvironment();
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, handle->errors);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_PROXY, ""); // direct, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L); // "a/../b" stays as given
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts.serverResponseSeconds);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, timeouts.acceptMilliseconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readLocalFile);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_cancelled);
    m_handle = std::move(handle);
}

bool FtpConnection::putFile(const QString& localPath, const QString& remoteName, TransferType type)
{
    const QString what = QStringLiteral("STOR ") + remoteName;
    if (!checkUsable(what, remoteName))
        return false;
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(what, QStringLiteral("cannot read %1: %2").arg(localPath, file.errorString()));

    CURL* curl = m_handle->curl;
    const QByteArray url = m_baseUrl + encodePath(remoteName.toUtf8());
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, type == TransferType::Ascii ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_READDATA, &file);
    if (perform(what))
        return true;
    if (m_passive || isCancelled() || !m_handle->activeDataFailed())
        return false;

    m_passive = true;
    curl_easy_setopt(curl, CURLOPT_FTPPORT, nullptr);
    if (!file.seek(0))
        return fail(what,
                    QStringLiteral("cannot read %1 again: %2").arg(localPath, file.errorString()));
    return perform(what);
}

bool FtpConnection::deleteFile(const QString& remoteName)
{
    const QString what = QStringLiteral("DELE ") + remoteName;
    if (!checkUsable(what, remoteName))
        return false;

    // "*" keeps the login when the server refuses; the reply code tells.
    CURL* curl = m_handle->curl;
    curl_slist* quote = curl_slist_append(nullptr, ("*DELE " + remoteName.toUtf8()).constData());
    if (!quote)
        return fail(what, QStringLiteral("out of memory"));
    curl_easy_setopt(curl, CURLOPT_URL, m_baseUrl.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, quote);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    const bool performed = perform(what);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    if (!performed)
        return false;
    const long reply = m_handle->responseCode();
    if (reply != 250)
        return fail(what, QStringLiteral("the server answered %1").arg(reply));
    return true;
}

void FtpConnection::close()
{
    m_handle.reset();
}

bool FtpConnection::checkUsable(const QString& what, const QString& remoteName)
{
    if (!m_handle)
        return fail(what,
                    m_openError.isEmpty() ? QStringLiteral("no connection is open") : m_openError);
    if (isCancelled())
        return fail(what, QString::fromUtf16(CancelledReason));
    if (!m_unreachable.isEmpty())
        return fail(what, m_unreachable);
    if (remoteName.isEmpty())
        return fail(what, QStringLiteral("no remote name"));
    if (breaksCommandLine(remoteName))
        return fail(what, QStringLiteral("the remote name holds a line break"));
    return true;
}

bool FtpConnection::perform(const QString& what)
{
    m_handle->errors[0] = '\0';
    m_handle->lastResult = curl_easy_perform(m_handle->curl);
    if (m_handle->lastResult == CURLE_OK)
        return true;
    if (m_handle->lastResult == CURLE_ABORTED_BY_CALLBACK)
        return fail(what, QString::fromUtf16(CancelledReason));
    // The error buffer keeps stale text after successful calls: only now is it ours.
    const QString why = m_handle->errors[0]
                            ? QString::fromUtf8(m_handle->errors)
                            : QString::fromUtf8(curl_easy_strerror(m_handle->lastResult));
    // Timed out before the host said a word: it is out of reach, and every
    // later transfer would wait as long again (a publish run, once per page).
    if (m_handle->lastResult == CURLE_OPERATION_TIMEDOUT && m_handle->responseCode() == 0)
        m_unreachable = why;
    return fail(what, why);
}

bool FtpConnection::fail(const QString& what, const QString& why)
{
    m_lastError = what + QStringLiteral(": ") + why;
    return false;
}

} // namespace wareloom
