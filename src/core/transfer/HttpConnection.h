#pragma once

#include "core/transfer/HostConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrlQuery>

#include <memory>

class QFile;

namespace wareloom {

// What S3 and WebDAV hosts share: one libcurl handle speaking HTTP or HTTPS
// to "scheme://host[:port]/path", its connection kept alive from request to
// request. A TLS certificate the system's CAs vouch for is taken; any other
// key must be the one KnownHosts holds (and is pinned), else the connection
// stops before any request is answered and untrustedKey() tells the key. An
// "s3://" or "davs://" host is never reached in clear text, and no redirect
// is followed. A refused login stops the connection. Every failure carries
// the server's own words (status line, S3's error code and message).
class HttpConnection : public HostConnection
{
public:
    HttpConnection();
    ~HttpConnection() override;

    void open(const QString& server, const QString& user, const QString& password,
              const QString& knownHostsPath) override;
    void close() override;
    QString addressOf(const QString& server) const override;
    // GET: the body of a 2xx answer, at most MaxReplyBytes of it.
    Result<QByteArray> readFile(const QString& remoteName) override;

    // The largest answer read (a listing page, a file read back).
    static constexpr qsizetype MaxReplyBytes = 16 << 20;

protected:
    // The server field read: "s3://host:port/bucket?region=x" gives tls,
    // "host", 443, "/bucket/" and region=x.
    struct Target
    {
        bool tls = true;
        QByteArray scheme;
        QString host;
        QByteArray origin; // "https://host:port"
        QString path;      // decoded, starts and ends with "/"
        QUrlQuery query;
    };
    static std::optional<Target> parseTarget(const QString& server);

    // Fails, saying why, when this kind of host cannot work with the target.
    virtual Status checkTarget(const Target& target) = 0;

    struct Request
    {
        QByteArray method = "GET";
        QByteArray path; // percent-encoded, from the first "/" on
        QList<QByteArray> headers;
        QFile* upload = nullptr; // the body of a PUT
        QByteArray body;         // or a body of its own
    };
    struct Reply
    {
        long code = 0;
        QByteArray status; // "404 Not Found"
        QByteArray etag;   // the ETag header's value, quotes and all
        QByteArray body;
    };
    // Sends the request; fails when no HTTP answer came (a stop already
    // made). Any status is an answer.
    Result<Reply> send(const QString& what, const Request& request);
    // The server's refusal as a failure (a refused login stops the connection).
    Status refused(const QString& what, const Reply& reply);
    // Fails, with the reason, when remoteName cannot be sent or the
    // connection cannot be used.
    Status checkUsable(const QString& what, const QString& remoteName);

    virtual void authenticate(void* curl) = 0;
    // What a request without a body carries besides (S3 signs the hash of no bytes).
    virtual QList<QByteArray> emptyBodyHeaders() const { return {}; }
    // True when every header given is signed (it must then be sent as given).
    virtual bool signsHeaders() const { return false; }
    // The server's own words on a refusal: the status line by default.
    virtual QString serverWords(const Reply& reply) const;
    virtual bool refusesLogin(const Reply& reply) const { return reply.code == 401; }
    // A refusal every later request would meet as well (no such bucket).
    virtual bool refusesEverything(const Reply&) const { return false; }

    // Content-Type (and, for pages, a short Cache-Control) of a file by its name.
    QList<QByteArray> contentHeaders(const QString& fileName) const;

    // The path under the target's one: a leading "/" of the name is dropped.
    QByteArray pathOf(const QString& remoteName) const;

    const QString& user() const { return m_user; }
    const QString& password() const { return m_password; }
    const QByteArray& origin() const { return m_origin; }
    const QByteArray& basePath() const { return m_basePath; }

private:
    struct Handle;

    Status perform(const QString& what);

    std::unique_ptr<Handle> m_handle;
    QString m_user;
    QString m_password;
    bool m_tls = true;
    QByteArray m_origin;   // "https://host:port"
    QByteArray m_basePath; // percent-encoded, starts and ends with "/"
    QByteArray m_pin;      // the trusted key, as libcurl takes it
    QString m_openError;   // why the settings cannot give a connection at all
};

} // namespace wareloom
