#include "core/transfer/HttpConnection.h"

#include "core/transfer/CurlSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include <curl/curl.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HttpConnection)
};

struct Scheme
{
    const char* name;
    bool tls;
};

constexpr Scheme Schemes[] = {{"s3", true}, {"s3+http", false}, {"davs", true}, {"dav", false}};

struct Received
{
    QByteArray status; // of the last response: a "100 Continue" comes before
    QByteArray etag;
    QByteArray body;
    QString key; // the TLS key the host showed
};

size_t takeHeader(char* data, size_t size, size_t count, void* received)
{
    const size_t bytes = size * count;
    const QByteArray line = QByteArray(data, qsizetype(bytes)).trimmed();
    // "HTTP/1.1 404 Not Found", "HTTP/2 404"
    Received& into = *static_cast<Received*>(received);
    if (line.startsWith("HTTP/")) {
        into.status = line.mid(line.indexOf(' ') + 1);
        into.etag.clear();
        into.body.clear();
    } else if (line.size() > 5 && line.left(5).toLower() == "etag:") {
        into.etag = line.mid(5).trimmed();
    }
    return bytes;
}

size_t takeBody(char* data, size_t size, size_t count, void* received)
{
    const size_t bytes = size * count;
    QByteArray& body = static_cast<Received*>(received)->body;
    if (body.size() + qsizetype(bytes) > HttpConnection::MaxReplyBytes)
        return 0;
    body.append(data, qsizetype(bytes));
    return bytes;
}

// libcurl tells the TLS key it saw only in its verbose text.
int watchKey(CURL*, curl_infotype type, char* data, size_t size, void* received)
{
    if (type == CURLINFO_TEXT) {
        const QString key = tlsKeyIn(QString::fromUtf8(data, qsizetype(size)));
        if (!key.isEmpty())
            static_cast<Received*>(received)->key = key;
    }
    return 0;
}

bool isPage(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".htm")) || fileName.endsWith(QLatin1String(".html"));
}

} // namespace

struct HttpConnection::Handle
{
    CURL* curl = curl_easy_init();
    char errors[CURL_ERROR_SIZE] = {};
    CURLcode lastResult = CURLE_OK;
    Received received;

    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }
};

HttpConnection::HttpConnection() = default;

HttpConnection::~HttpConnection()
{
    close();
}

std::optional<HttpConnection::Target> HttpConnection::parseTarget(const QString& server)
{
    const QString field = server.trimmed();
    const qsizetype separator = field.indexOf(QLatin1String("://"));
    if (separator < 0)
        return std::nullopt;
    Target target;
    target.scheme = field.left(separator).toLower().toLatin1();
    const Scheme* scheme = nullptr;
    for (const Scheme& known : Schemes) {
        if (target.scheme == known.name)
            scheme = &known;
    }
    if (!scheme)
        return std::nullopt;
    target.tls = scheme->tls;
    QString rest = field.mid(separator + 3);
    if (const qsizetype question = rest.indexOf(QLatin1Char('?')); question >= 0) {
        target.query = QUrlQuery(rest.mid(question + 1));
        rest.truncate(question);
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const std::optional<HostAndPort> host =
        parseHostPort(slash < 0 ? rest : rest.left(slash), target.tls ? 443 : 80);
    if (!host)
        return std::nullopt;
    target.host = QString::fromUtf8(host->urlHost);
    target.origin = (target.tls ? "https://" : "http://") + host->urlHost + ':' +
                    QByteArray::number(host->port);
    // Typed as text, or copied from a browser's address bar with escapes.
    target.path =
        slash < 0 ? QStringLiteral("/") : QUrl::fromPercentEncoding(rest.mid(slash).toUtf8());
    if (!target.path.endsWith(QLatin1Char('/')))
        target.path += QLatin1Char('/');
    if (breaksCommandLine(target.path))
        return std::nullopt;
    return target;
}

void HttpConnection::open(const QString& server, const QString& user, const QString& password,
                          const QString& knownHostsPath)
{
    close();
    m_openError.clear();
    m_unreachable.clear();
    m_untrustedKey.reset();
    const std::optional<Target> target = parseTarget(server);
    if (!target) {
        m_openError = Texts::tr("\"%1\" is not a server address (s3://host/bucket, "
                                "s3+http://host:port/bucket, davs://host/folder/ or "
                                "dav://host:port/folder/)")
                          .arg(server);
        return;
    }
    if (const Status usable = checkTarget(*target); !usable) {
        m_openError = usable.message();
        return;
    }
    if (breaksCommandLine(user) || breaksCommandLine(password)) {
        m_openError = Texts::tr("the user name or password holds a line break");
        return;
    }
    auto handle = std::make_unique<Handle>();
    if (!handle->curl) {
        m_openError = Texts::tr("the network library cannot make a connection");
        return;
    }
    m_handle = std::move(handle);
    m_user = user;
    m_password = password;
    m_tls = target->tls;
    m_origin = target->origin;
    m_basePath = '/' + encodeUrlPath(target->path.mid(1).toUtf8());
    m_hostPort = QString::fromLatin1(m_origin.mid(m_origin.indexOf("//") + 2));
    m_pin = KnownHosts::keyFor(m_hostPort, knownHostsPath).toUtf8();
}

void HttpConnection::close()
{
    m_handle.reset();
}

QString HttpConnection::addressOf(const QString& server) const
{
    const std::optional<Target> target = parseTarget(server);
    if (!target)
        return server;
    return QString::fromLatin1(target->scheme) + QStringLiteral("://") +
           QString::fromLatin1(target->origin.mid(target->origin.indexOf("//") + 2)) + target->path;
}

Result<QByteArray> HttpConnection::readFile(const QString& remoteName)
{
    const QString what = QStringLiteral("GET ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (remoteName.isEmpty() || remoteName.endsWith(QLatin1Char('/')))
        return fail(what, Texts::tr("no remote name"));
    Request request;
    request.path = pathOf(remoteName);
    request.headers = emptyBodyHeaders();
    Result<Reply> reply = send(what, request);
    if (!reply) {
        if (m_handle->lastResult == CURLE_WRITE_ERROR) // takeBody's bound
            return fail(what, Texts::tr("the file is longer than %1 MB").arg(MaxReplyBytes >> 20));
        return reply.status();
    }
    if (reply->code < 200 || reply->code >= 300)
        return refused(what, *reply);
    return std::move(reply->body);
}

Status HttpConnection::checkUsable(const QString& what, const QString& remoteName)
{
    if (!m_handle)
        return fail(what, m_openError.isEmpty() ? Texts::tr("no connection is open") : m_openError);
    if (isCancelled())
        return fail(what, QCoreApplication::translate("HostConnection", CancelledReason));
    if (!m_unreachable.isEmpty())
        return fail(what, m_unreachable);
    if (breaksCommandLine(remoteName))
        return fail(what, Texts::tr("the remote name holds a line break"));
    return Status::success();
}

QByteArray HttpConnection::pathOf(const QString& remoteName) const
{
    QString name = remoteName;
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return m_basePath + encodeUrlPath(name.toUtf8());
}

QList<QByteArray> HttpConnection::contentHeaders(const QString& fileName) const
{
    struct Type
    {
        const char* suffix;
        const char* type;
    };
    static constexpr Type types[] = {
        {".jpg", "image/jpeg"},        {".jpeg", "image/jpeg"},
        {".png", "image/png"},         {".gif", "image/gif"},
        {".js", "text/javascript"},    {".css", "text/css"},
        {".xml", "application/xml"},   {".txt", "text/plain; charset=utf-8"},
        {".json", "application/json"}, {".ico", "image/x-icon"},
        {".svg", "image/svg+xml"},     {".webp", "image/webp"},
    };
    if (isPage(fileName)) // short: an edit shows within a minute behind a CDN
        return {"Content-Type: text/html; charset=" + m_pageCharset, "Cache-Control: max-age=60"};
    for (const Type& type : types) {
        if (fileName.endsWith(QLatin1String(type.suffix), Qt::CaseInsensitive))
            return {QByteArray("Content-Type: ") + type.type};
    }
    return {"Content-Type: application/octet-stream"};
}

Result<HttpConnection::Reply> HttpConnection::send(const QString& what, const Request& request)
{
    CURL* curl = m_handle->curl;
    // Keeps the live connection and the TLS session; drops every option.
    curl_easy_reset(curl);
    m_handle->received = {};
    const QByteArray url = m_origin + request.path;
    const char* protocol = m_tls ? "https" : "http";
    const Timeouts timeouts = Timeouts::chosen();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, protocol);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_handle->errors);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, ""); // direct, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_cancelled);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, takeHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &m_handle->received);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, takeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &m_handle->received);
    if (m_tls) {
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, watchKey);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &m_handle->received);
        if (!m_pin.isEmpty()) {
            // The user trusted exactly this key: the pin stands in for the CAs.
            curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY,
                             m_pin.startsWith("sha256//") ? m_pin.constData() : NoTlsKey);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
        }
    }
    authenticate(curl);
    // No wait for "100 Continue"; a signature would cover the empty header too.
    curl_slist* headers = signsHeaders() ? nullptr : curl_slist_append(nullptr, "Expect:");
    for (const QByteArray& header : request.headers)
        headers = curl_slist_append(headers, header.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    if (request.upload) {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, readLocalFile);
        curl_easy_setopt(curl, CURLOPT_READDATA, request.upload);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(request.upload->size()));
    } else if (!request.body.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.constData());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body.size()));
    }
    if (request.method != "GET" && request.method != "PUT")
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.constData());
    Status answered = perform(what);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    if (!answered)
        return answered;
    Reply reply;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.code);
    reply.status = m_handle->received.status;
    reply.etag = m_handle->received.etag;
    reply.body = std::move(m_handle->received.body);
    return reply;
}

Status HttpConnection::perform(const QString& what)
{
    m_handle->errors[0] = '\0';
    CURL* curl = m_handle->curl;
    const CURLcode result = m_handle->lastResult = curl_easy_perform(curl);
    if (result == CURLE_OK)
        return Status::success();
    if (result == CURLE_ABORTED_BY_CALLBACK)
        return fail(what, QCoreApplication::translate("HostConnection", CancelledReason));
    QString why = QString::fromUtf8(m_handle->errors);
    if (why.isEmpty())
        why = QString::fromUtf8(curl_easy_strerror(result));
    const auto refuseKey = [&] {
        return HostConnection::refuseKey(what, m_handle->received.key, QString::fromUtf8(m_pin),
                                         why);
    };
    switch (result) {
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        if (!m_pin.isEmpty())
            return refuseKey();
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
        if (m_pin.isEmpty()) {
            // The CAs do not vouch for it: learn its key and certificate
            // without a request answered.
            m_handle->received = {};
            const RefusedCertificateLook look = lookAtRefusedCertificate(curl, m_hostPort);
            return HostConnection::refuseKey(what, m_handle->received.key, {}, why,
                                             {look.sha256, look.why});
        }
        break;
    default:
        break;
    }
    // Timed out before the host said a word: it is out of reach, and every
    // later request would wait as long again.
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    if (result == CURLE_OPERATION_TIMEDOUT && code == 0)
        m_unreachable = why;
    return fail(what, why);
}

Status HttpConnection::refused(const QString& what, const Reply& reply)
{
    const QString words = serverWords(reply);
    if (refusesLogin(reply))
        return stop(what, Texts::tr("Login refused by the server: %1").arg(words));
    if (refusesEverything(reply))
        return stop(what, words);
    return fail(what, words);
}

QString HttpConnection::serverWords(const Reply& reply) const
{
    return reply.status.isEmpty() ? Texts::tr("the server answered %1").arg(reply.code)
                                  : QString::fromUtf8(reply.status);
}

} // namespace wareloom
