#include "core/transfer/FtpConnection.h"

#include "core/transfer/CurlSupport.h"
#include "core/transfer/RemoteListing.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <curl/curl.h>

#include <algorithm>
#include <cctype>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FtpConnection)
};

struct ServerAddress
{
    HostProtocol protocol = HostProtocol::Ftp;
    QByteArray urlHost; // as it goes between "scheme://" and ":port"
    int port = 21;
};

struct Scheme
{
    const char* prefix;
    HostProtocol protocol;
    int defaultPort;
};

// No scheme is plain FTP, as it always was.
constexpr Scheme Schemes[] = {{"ftpes://", HostProtocol::ExplicitTls, 21},
                              {"ftps://", HostProtocol::ImplicitTls, 990},
                              {"sftp://", HostProtocol::Sftp, 22}};

// "host", "host:port", "[v6address]", "[v6address]:port" or a bare IPv6
// address, after an optional "ftpes://", "ftps://" or "sftp://" (a "/" may
// end it). Characters that would change the meaning of the URL are refused.
Result<ServerAddress> parseServer(const QString& field)
{
    ServerAddress address;
    QString server = field.trimmed();
    for (const Scheme& scheme : Schemes) {
        const QLatin1String prefix(scheme.prefix);
        if (server.startsWith(prefix, Qt::CaseInsensitive)) {
            address.protocol = scheme.protocol;
            address.port = scheme.defaultPort;
            server = server.mid(prefix.size());
            if (server.endsWith(QLatin1Char('/')))
                server.chop(1);
            break;
        }
    }
    const std::optional<HostAndPort> hostPort = parseHostPort(server, address.port);
    if (!hostPort)
        return Status::failure(Texts::tr("\"%1\" is not an FTP server name (host, host:port, "
                                         "ftpes://host, ftps://host or sftp://host)")
                                   .arg(field));
    address.urlHost = hostPort->urlHost;
    address.port = hostPort->port;
    return address;
}

// A listing beyond the bound ends the transfer (a write error) unread.
size_t appendReceived(char* data, size_t size, size_t count, void* received)
{
    const size_t bytes = size * count;
    auto* listing = static_cast<QByteArray*>(received);
    if (listing->size() + qsizetype(bytes) > FtpConnection::MaxListingBytes)
        return 0;
    listing->append(data, qsizetype(bytes));
    return bytes;
}

// A reply that refuses: "553 Could not create file."
bool isRefusal(const QByteArray& reply)
{
    return reply.size() >= 3 && (reply[0] == '4' || reply[0] == '5') &&
           std::isdigit(uchar(reply[1])) && std::isdigit(uchar(reply[2]));
}

// Never a key a host has (see NoTlsKey).
constexpr char NoSshKey[] = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";

struct Seen
{
    QString key;      // "sha256//..." or "SHA256:...", as KnownHosts keeps it
    QByteArray reply; // the server's last reply line
};

// libcurl tells the key it saw and each reply only in its verbose text.
int watchSession(CURL*, curl_infotype type, char* data, size_t size, void* seen)
{
    Seen& out = *static_cast<Seen*>(seen);
    const QByteArray text = QByteArray(data, qsizetype(size)).trimmed();
    if (type == CURLINFO_HEADER_IN && !text.isEmpty()) {
        out.reply = text.split('\n').last().trimmed();
    } else if (type == CURLINFO_TEXT) {
        static const QRegularExpression sshKey(QStringLiteral("SHA256 fingerprint: (\\S+)"));
        const QString line = QString::fromUtf8(text);
        if (const QString tlsKey = tlsKeyIn(line); !tlsKey.isEmpty())
            out.key = tlsKey;
        else if (const auto ssh = sshKey.match(line); ssh.hasMatch())
            out.key = QStringLiteral("SHA256:") +
                      ssh.captured(1).remove(QLatin1Char('=')); // as ssh-keygen
    }
    return 0;
}

} // namespace

QString FtpConnection::addressOf(const QString& server) const
{
    const Result<ServerAddress> address = parseServer(server);
    if (!address)
        return server;
    const char* scheme = "ftp://";
    for (const Scheme& known : Schemes) {
        if (known.protocol == address->protocol)
            scheme = known.prefix;
    }
    return QLatin1String(scheme) + QString::fromUtf8(address->urlHost) + QLatin1Char(':') +
           QString::number(address->port);
}

struct FtpConnection::Handle
{
    CURL* curl = curl_easy_init();
    CURLM* multi = curl_multi_init(); // keeps the logged-in connection between transfers
    char errors[CURL_ERROR_SIZE] = {};
    CURLcode lastResult = CURLE_OK;
    Seen seen;
    QByteArray received; // a listing

    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (curl)
            curl_easy_cleanup(curl);
        if (multi)
            curl_multi_cleanup(multi); // says QUIT on the kept connection
    }

    // As curl_easy_perform(), but without its waits of a whole second:
    // libcurl 7.88 leaves a passive data connection unmade until its next
    // call when the server answered EPSV before libcurl looked for the
    // answer, as fast hosts do, and then waits on no socket or only on the
    // control connection, which says nothing more. Being called again every
    // few milliseconds costs nothing next to that.
    CURLcode perform()
    {
        if (curl_multi_add_handle(multi, curl) != CURLM_OK)
            return CURLE_FAILED_INIT;
        CURLcode result = CURLE_FAILED_INIT;
        for (int running = 1; running;) {
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                break;
            if (!running)
                break;
            constexpr long maxWait = 5; // milliseconds
            long timeout = -1;
            curl_multi_timeout(multi, &timeout);
            const long wait = timeout < 0 || timeout > maxWait ? maxWait : timeout;
            if (curl_multi_poll(multi, nullptr, 0, int(wait), nullptr) != CURLM_OK)
                break;
        }
        int left = 0;
        while (const CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
                result = message->data.result;
        }
        curl_multi_remove_handle(multi, curl);
        return result;
    }

    long responseCode() const
    {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return code;
    }

    bool moved() const
    {
        curl_off_t up = 0, down = 0;
        curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &up);
        curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &down);
        return up > 0 || down > 0;
    }

    // The active-mode data connection could not be made, taken or kept:
    // refused or impossible PORT/EPRT, no connect-back, reset on the way.
    bool activeDataFailed() const
    {
        switch (lastResult) {
        case CURLE_FTP_PORT_FAILED:
        case CURLE_FTP_ACCEPT_FAILED:
        case CURLE_FTP_ACCEPT_TIMEOUT:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return true;
        case CURLE_OPERATION_TIMEDOUT: // a listing waits for the connect-back so
            return (responseCode() == 150 || responseCode() == 125) && !moved();
        default:
            return responseCode() == 425 || responseCode() == 426;
        }
    }
};

FtpConnection::FtpConnection() = default;

FtpConnection::~FtpConnection()
{
    close();
}

void FtpConnection::open(const QString& server, const QString& user, const QString& password,
                         const QString& knownHostsPath)
{
    close();
    m_passive = false;
    m_openError.clear();
    m_unreachable.clear();

    const Result<ServerAddress> parsed = parseServer(server);
    if (!parsed) {
        m_openError = parsed.status().message();
        return;
    }
    const ServerAddress& address = *parsed;
    if (breaksCommandLine(user) || breaksCommandLine(password)) {
        m_openError = Texts::tr("the FTP user name or password holds a line break");
        return;
    }
    auto handle = std::make_unique<Handle>();
    CURL* curl = handle->curl;
    if (!curl || !handle->multi) {
        m_openError = Texts::tr("the network library cannot make a connection");
        return;
    }
    m_protocol = address.protocol;
    m_hostPort =
        QString::fromUtf8(address.urlHost) + QLatin1Char(':') + QString::number(address.port);
    m_pin = KnownHosts::keyFor(m_hostPort, knownHostsPath).toUtf8();
    m_untrustedKey.reset();
    m_notice.clear();
    m_tls12 = false;
    const char* scheme = m_protocol == HostProtocol::Sftp          ? "sftp"
                         : m_protocol == HostProtocol::ImplicitTls ? "ftps"
                                                                   : "ftp";
    m_baseUrl =
        scheme + QByteArray("://") + address.urlHost + ':' + QByteArray::number(address.port) + '/';

    const Timeouts timeouts = Timeouts::chosen();
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, handle->errors);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, scheme);
    // A connection given up is never taken again.
    curl_multi_setopt(handle->multi, CURLMOPT_MAXCONNECTS, 1L);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, watchSession);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &handle->seen);
    if (isTls()) {
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, long(CURLFTPAUTH_TLS));
        curl_easy_setopt(curl, CURLOPT_SSL_SESSIONID_CACHE, 1L); // data connections resume it
        if (!m_pin.isEmpty()) {
            // The user trusted exactly this key: the pin stands in for the CAs.
            // A key of the other kind (SSH before) cannot match: changed.
            curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY,
                             m_pin.startsWith("sha256//") ? m_pin.constData() : NoTlsKey);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
        }
    } else if (m_protocol == HostProtocol::Sftp) {
        // Without a key to compare libcurl would take any host.
        const QByteArray known = m_pin.startsWith("SHA256:") ? m_pin.mid(7) : NoSshKey;
        curl_easy_setopt(curl, CURLOPT_SSH_HOST_PUBLIC_KEY_SHA256, known.constData());
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES,
                         long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
    }
    curl_easy_setopt(curl, CURLOPT_PROXY, ""); // direct, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L); // "a/../b" stays as given
    // Active mode through TLS is what breaks: the server's connect-back waits
    // for a handshake. Plain FTP tries active first.
    m_passive = isTls();
    curl_easy_setopt(curl, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts.serverResponseSeconds);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, timeouts.acceptMilliseconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readLocalFile);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendReceived);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &handle->received);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_cancelled);
    m_handle = std::move(handle);
    // libcurl keeps one TLS 1.3 ticket per host and servers take each only
    // once: an upload's data connection (which never reads the ticket sent
    // on it) offers a spent one, and servers that demand resumption refuse
    // it. A TLS 1.2 session resumes on every data connection.
    if (isTls())
        useTls12();
}

Status FtpConnection::putFile(const QString& localPath, const QString& remoteName,
                              TransferType type)
{
    // No rename follows: a stored file is all there is to it.
    const Result<Stored> stored = storeFile(localPath, remoteName, {}, type);
    return stored.status();
}

Result<FtpConnection::Stored> FtpConnection::replaceFile(const QString& localPath,
                                                         const QString& remoteName,
                                                         const QString& temporaryName,
                                                         TransferType type, Overwrite overwrite)
{
    return storeFile(localPath, temporaryName, remoteName, type, overwrite);
}

Result<FtpConnection::Stored> FtpConnection::storeFile(const QString& localPath,
                                                       const QString& storeName,
                                                       const QString& renameTo, TransferType type,
                                                       Overwrite overwrite)
{
    const QString what = QStringLiteral("STOR ") + (renameTo.isEmpty() ? storeName : renameTo);
    if (Status usable = checkUsable(what, storeName); !usable)
        return usable;
    if (!renameTo.isEmpty()) {
        if (Status usable = checkUsable(what, renameTo); !usable)
            return usable;
    }
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(what, Texts::tr("cannot read %1: %2").arg(localPath, file.errorString()));

    // The rename follows on the same login; a refused one fails the
    // transfer with a quote error after the file arrived. Only the removal
    // before it may fail ("*"): the name may be free.
    const bool sftp = m_protocol == HostProtocol::Sftp;
    curl_slist* rename = nullptr;
    if (!renameTo.isEmpty()) {
        const QByteArray from = storeName.toUtf8(), to = renameTo.toUtf8();
        QList<QByteArray> commands =
            sftp ? QList<QByteArray>{"*rm " + sftpArgument(to),
                                     "rename " + sftpArgument(from) + ' ' + sftpArgument(to)}
                 : QList<QByteArray>{"RNFR " + from, "RNTO " + to};
        if (!sftp && overwrite == Overwrite::RemoveFirst)
            commands.prepend("*DELE " + to);
        for (const QByteArray& command : commands)
            rename = curl_slist_append(rename, command.constData());
    }
    CURL* curl = m_handle->curl;
    const QByteArray url = m_baseUrl + urlPath(storeName);
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, rename);
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, type == TransferType::Ascii ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_READDATA, &file);
    Status performed = performRetrying(what, [&file] { return file.seek(0); });
    const bool renameFailed = m_handle->lastResult == CURLE_QUOTE_ERROR;
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, nullptr);
    curl_slist_free_all(rename);
    if (!renameTo.isEmpty() && renameFailed) {
        const QByteArray& reply = m_handle->seen.reply;
        const QString why =
            isRefusal(reply)
                ? Texts::tr("the server did not rename %1 to %2: %3")
                      .arg(storeName, renameTo, QString::fromUtf8(reply))
                : Texts::tr("the server did not rename %1 to %2").arg(storeName, renameTo);
        return Stored{fail(what, why), {}};
    }
    if (!performed)
        return performed;
    return Stored{};
}

Result<QByteArray> FtpConnection::listDirectory(const QString& directory)
{
    const QString what = QStringLiteral("LIST ") + directory;
    if (Status usable = checkUsable(what, directory.isEmpty() ? QStringLiteral("./") : directory);
        !usable)
        return usable;
    // MLSD gives exact sizes and names; not every server knows it.
    const bool ftp = m_protocol != HostProtocol::Sftp;
    const QByteArray path = directory.isEmpty() && ftp ? QByteArray() : urlPath(directory);
    Result<QByteArray> listing = receive(what, path, ftp ? "MLSD" : nullptr, "listing");
    if (ftp && !listing && m_handle->lastResult != CURLE_WRITE_ERROR && !isCancelled() &&
        m_unreachable.isEmpty())
        listing = receive(what, path, nullptr, "listing");
    return listing;
}

Result<QByteArray> FtpConnection::readFile(const QString& remoteName)
{
    const QString what = QStringLiteral("RETR ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    return receive(what, urlPath(remoteName), nullptr, "file");
}

// Receives what the URL path gives (a file, or the listing command asks
// for), at most MaxListingBytes.
Result<QByteArray> FtpConnection::receive(const QString& what, const QByteArray& path,
                                          const char* command, const char* kind)
{
    CURL* curl = m_handle->curl;
    const QByteArray url = m_baseUrl + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, command);
    m_handle->received.clear();
    const Status performed =
        performRetrying(what, [this] { return m_handle->received.clear(), true; });
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
    if (performed)
        return std::exchange(m_handle->received, {});
    if (m_handle->lastResult == CURLE_WRITE_ERROR)
        return fail(what,
                    (qstrcmp(kind, "file") == 0 ? Texts::tr("the file is longer than %1 MB")
                                                : Texts::tr("the listing is longer than %1 MB"))
                        .arg(MaxListingBytes >> 20));
    return performed;
}

Result<std::optional<RemoteFiles>> FtpConnection::listFiles(const QString& directory)
{
    const Result<QByteArray> listing = listDirectory(directory);
    if (!listing)
        return listing.status();
    return parseListing(*listing);
}

// Performs the transfer set up; once more, after rewind(), when the first
// try met a fault a second try may get past.
Status FtpConnection::performRetrying(const QString& what, const std::function<bool()>& rewind)
{
    Status performed = perform(what);
    if (performed || isCancelled() || !m_unreachable.isEmpty())
        return performed;
    if (m_protocol == HostProtocol::Sftp || m_passive || !m_handle->activeDataFailed())
        return performed;
    usePassive();
    CURL* curl = m_handle->curl;
    if (!rewind())
        return fail(what, Texts::tr("cannot read the file again"));
    // The server may have given up the control connection with the data one.
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    Status done = perform(what);
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 0L);
    return done;
}

Status FtpConnection::deleteFile(const QString& remoteName)
{
    const QString what = QStringLiteral("DELE ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;

    // "*" keeps the login when the server refuses; the reply code tells.
    // SFTP has no reply codes: a refused rm fails the transfer.
    CURL* curl = m_handle->curl;
    const bool sftp = m_protocol == HostProtocol::Sftp;
    QByteArray path = remoteName.toUtf8();
    if (sftp)
        path = "rm " + sftpArgument(path);
    curl_slist* quote = curl_slist_append(nullptr, (sftp ? path : "*DELE " + path).constData());
    if (!quote)
        return fail(what, Texts::tr("out of memory"));
    curl_easy_setopt(curl, CURLOPT_URL, m_baseUrl.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, quote);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    Status performed = perform(what);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    if (!performed || sftp)
        return performed;
    const long reply = m_handle->responseCode();
    if (reply != 250)
        return fail(what, isRefusal(m_handle->seen.reply)
                              ? QString::fromUtf8(m_handle->seen.reply)
                              : Texts::tr("the server answered %1").arg(reply));
    return Status::success();
}

void FtpConnection::close()
{
    m_handle.reset();
}

void FtpConnection::usePassive()
{
    m_passive = true;
    if (m_handle)
        curl_easy_setopt(m_handle->curl, CURLOPT_FTPPORT, nullptr);
}

void FtpConnection::useTls12()
{
    m_tls12 = true;
    if (m_handle)
        curl_easy_setopt(m_handle->curl, CURLOPT_SSLVERSION,
                         long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
}

void FtpConnection::assume(HostNeeds needs)
{
    if (needs.passive && !m_passive)
        usePassive();
    if (needs.tls12 && isTls() && !m_tls12)
        useTls12();
}

Status FtpConnection::checkUsable(const QString& what, const QString& remoteName)
{
    if (!m_handle)
        return fail(what, m_openError.isEmpty() ? Texts::tr("no connection is open") : m_openError);
    if (isCancelled())
        return fail(what, QCoreApplication::translate("HostConnection", CancelledReason));
    if (!m_unreachable.isEmpty())
        return fail(what, m_unreachable);
    if (remoteName.isEmpty())
        return fail(what, Texts::tr("no remote name"));
    if (breaksCommandLine(remoteName))
        return fail(what, Texts::tr("the remote name holds a line break"));
    return Status::success();
}

Status FtpConnection::perform(const QString& what)
{
    m_handle->errors[0] = '\0';
    m_handle->seen = {};
    CURL* curl = m_handle->curl;
    const CURLcode result = m_handle->lastResult = m_handle->perform();
    if (result == CURLE_OK)
        return Status::success();
    if (result == CURLE_ABORTED_BY_CALLBACK)
        return fail(what, QCoreApplication::translate("HostConnection", CancelledReason));
    // The server's own words when it refused. libcurl keeps the first error
    // of a transfer, which may be a note from the active-mode attempt.
    const QString reply = QString::fromUtf8(m_handle->seen.reply);
    QString why = isRefusal(m_handle->seen.reply) ? reply : QString::fromUtf8(m_handle->errors);
    if (why.isEmpty() || why.startsWith(QLatin1String("sa_addr inet_ntop()")))
        why = QString::fromUtf8(curl_easy_strerror(result));
    switch (result) {
    case CURLE_LOGIN_DENIED:
        if (m_protocol == HostProtocol::Sftp)
            return stop(what, Texts::tr("SSH authentication failed: the server did not "
                                        "accept the user name and password"));
        return stop(
            what, Texts::tr("Login refused by the server: %1").arg(reply.isEmpty() ? why : reply));
    case CURLE_USE_SSL_FAILED:
        return stop(what, Texts::tr("The server refused to encrypt the connection (AUTH "
                                    "TLS: %1); nothing was sent in clear text")
                              .arg(reply.isEmpty() ? why : reply));
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        if (m_pin.isEmpty())
            break;
        return refuseKey(what, m_handle->seen.key);
    case CURLE_PEER_FAILED_VERIFICATION:
        if (m_protocol == HostProtocol::Sftp)
            return refuseKey(what, m_handle->seen.key);
        if (m_pin.isEmpty()) {
            // The CAs do not vouch for it: learn its key and certificate
            // without logging in.
            m_handle->seen = {};
            const RefusedCertificateLook look = lookAtRefusedCertificate(curl, m_hostPort);
            return HostConnection::refuseKey(what, m_handle->seen.key, {},
                                             QString::fromUtf8(m_handle->errors),
                                             {look.sha256, look.why});
        }
        break;
    default:
        break;
    }
    // Timed out before the host said a word: it is out of reach, and every
    // later transfer would wait as long again (a publish run, once per page).
    if (m_handle->lastResult == CURLE_OPERATION_TIMEDOUT && m_handle->responseCode() == 0)
        m_unreachable = why;
    return fail(what, why);
}

Status FtpConnection::refuseKey(const QString& what, const QString& offered)
{
    return HostConnection::refuseKey(what, offered, QString::fromUtf8(m_pin),
                                     QString::fromUtf8(m_handle->errors));
}

bool FtpConnection::isTls() const
{
    return m_protocol == HostProtocol::ExplicitTls || m_protocol == HostProtocol::ImplicitTls;
}

// SFTP paths are absolute after the host; "/~/" starts them in the login
// directory. FTP names go through NOCWD exactly as given.
QByteArray FtpConnection::urlPath(const QString& remoteName) const
{
    const QByteArray name = remoteName.toUtf8();
    if (m_protocol != HostProtocol::Sftp)
        return encodeUrlPath(name);
    if (name.startsWith('/'))
        return encodeUrlPath(name.mid(1));
    return "~/" + encodeUrlPath(name);
}

// A quoted argument of an SFTP command, as libcurl reads it.
QByteArray FtpConnection::sftpArgument(QByteArray path)
{
    path.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + path + '"';
}

} // namespace wareloom
