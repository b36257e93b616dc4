#include "core/transfer/S3Connection.h"

#include "core/transfer/CurlSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <curl/curl.h>

#include <algorithm>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(S3Connection)
};

// Of no bytes: what a request without a body is signed with.
constexpr char EmptyPayload[] =
    "x-amz-content-sha256: e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

// The value of a query parameter as signed: all but the unreserved
// characters percent-encoded, "/" included.
QByteArray queryValue(const QString& value)
{
    return value.toUtf8().toPercentEncoding();
}

// "<Error><Code>NoSuchBucket</Code><Message>...</Message></Error>"
struct ErrorText
{
    QString code;
    QString message;
};

ErrorText readError(const QByteArray& body)
{
    ErrorText error;
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Code"))
            error.code = xml.readElementText();
        else if (xml.name() == QLatin1String("Message"))
            error.message = xml.readElementText();
    }
    return error;
}

// The MD5 an ETag is, when it is one: "\"<32 hex digits>\"". A multipart
// upload's ("<hex>-<parts>") is not; neither is anything else.
QByteArray plainMd5(const QByteArray& etag)
{
    QByteArray md5 = etag.startsWith('"') && etag.endsWith('"') ? etag.mid(1).chopped(1) : etag;
    md5 = md5.toLower();
    const bool hex = std::all_of(md5.cbegin(), md5.cend(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    return md5.size() == 32 && hex ? md5 : QByteArray();
}

// The payload's SHA-256, which the request is signed with, and its MD5,
// which the object's ETag will be, in one read; the file is rewound.
bool hashPayload(QFile& file, QCryptographicHash& sha256, QCryptographicHash& md5)
{
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    qint64 read = 0;
    while ((read = file.read(buffer.data(), buffer.size())) > 0) {
        sha256.addData(QByteArrayView(buffer.constData(), read));
        md5.addData(QByteArrayView(buffer.constData(), read));
    }
    return read == 0 && file.seek(0);
}

// One page of a ListObjectsV2 answer.
struct ListPage
{
    RemoteFiles files; // key -> size, MD5
    QString nextToken; // empty on the last page
    bool readable = false;
};

ListPage readListPage(const QByteArray& body)
{
    ListPage page;
    QXmlStreamReader xml(body);
    QString key;
    RemoteFile file;
    bool truncated = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("ListBucketResult"))
                page.readable = true;
            else if (name == QLatin1String("Key"))
                key = xml.readElementText();
            else if (name == QLatin1String("Size"))
                file.size = xml.readElementText().toLongLong();
            else if (name == QLatin1String("ETag"))
                file.md5 = plainMd5(xml.readElementText().toLatin1());
            else if (name == QLatin1String("IsTruncated"))
                truncated = xml.readElementText() == QLatin1String("true");
            else if (name == QLatin1String("NextContinuationToken"))
                page.nextToken = xml.readElementText();
            else if (name == QLatin1String("Contents"))
                key.clear(), file = {};
        } else if (xml.isEndElement() && xml.name() == QLatin1String("Contents")) {
            if (key.isEmpty() || file.size < 0)
                page.readable = false;
            page.files.insert(key, file);
        }
    }
    if (xml.hasError() || (truncated && page.nextToken.isEmpty()))
        page.readable = false;
    if (!truncated)
        page.nextToken.clear();
    return page;
}

QString keyOf(const QString& remoteName)
{
    QString key = remoteName;
    while (key.startsWith(QLatin1Char('/')))
        key.remove(0, 1);
    return key;
}

} // namespace

QString S3Connection::regionOf(const QString& server)
{
    const std::optional<Target> target = parseTarget(server);
    return target ? regionOf(*target) : QString();
}

QString S3Connection::regionOf(const Target& target)
{
    if (QString region = target.query.queryItemValue(QStringLiteral("region")); !region.isEmpty())
        return region;
    // s3.eu-west-1.amazonaws.com, s3-eu-west-1.amazonaws.com,
    // s3.dualstack.eu-west-1.amazonaws.com, s3.us-west-004.backblazeb2.com
    static const QRegularExpression named(QStringLiteral(
        "(?:^|\\.)s3[.-](?:dualstack\\.)?([a-z0-9-]+)\\.(?:amazonaws\\.com|backblazeb2\\.com)$"));
    const QString host = target.host.toLower();
    if (const QRegularExpressionMatch match = named.match(host); match.hasMatch())
        return match.captured(1);
    if (host.endsWith(QLatin1String(".r2.cloudflarestorage.com")))
        return QStringLiteral("auto");
    return QStringLiteral("us-east-1");
}

Status S3Connection::checkTarget(const Target& target)
{
    if (target.scheme != "s3" && target.scheme != "s3+http")
        return Status::failure(Texts::tr("not an S3 address"));
    const QString bucket = target.path.mid(1).chopped(1);
    if (bucket.isEmpty() || bucket.contains(QLatin1Char('/')))
        return Status::failure(Texts::tr("the S3 address names no bucket: s3://host/bucket (the "
                                         "key prefix goes in the upload path)"));
    m_bucketPath = '/' + encodeUrlPath(bucket.toUtf8());
    const QString region = regionOf(target);
    if (region.contains(QLatin1Char(':')) || breaksCommandLine(region))
        return Status::failure(Texts::tr("\"%1\" is not a region").arg(region));
    m_signing = "aws:amz:" + region.toUtf8() + ":s3";
    return Status::success();
}

void S3Connection::authenticate(void* curl)
{
    curl_easy_setopt(curl, CURLOPT_AWS_SIGV4, m_signing.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user().toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password().toUtf8().constData());
}

Status S3Connection::putFile(const QString& localPath, const QString& remoteName, TransferType)
{
    return put(localPath, remoteName).status();
}

Result<QByteArray> S3Connection::put(const QString& localPath, const QString& remoteName)
{
    const QString what = QStringLiteral("PUT ") + keyOf(remoteName);
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (keyOf(remoteName).isEmpty())
        return fail(what, Texts::tr("no remote name"));
    QFile file(localPath);
    QCryptographicHash sha256(QCryptographicHash::Sha256), md5(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hashPayload(file, sha256, md5))
        return fail(what, Texts::tr("cannot read %1: %2").arg(localPath, file.errorString()));
    Request request;
    request.method = "PUT";
    request.path = pathOf(remoteName);
    // libcurl signs what it is given: the payload's real hash, never "unsigned".
    request.headers = contentHeaders(remoteName)
                      << "x-amz-content-sha256: " + sha256.result().toHex();
    request.upload = &file;
    const Result<Reply> reply = send(what, request);
    if (!reply)
        return reply.status();
    if (reply->code != 200)
        return refused(what, *reply);
    // Kept only when the host's ETags are MD5s: not so with some kinds of
    // server-side encryption, and then the size and the record judge.
    const QByteArray sent = md5.result().toHex();
    return plainMd5(reply->etag) == sent ? sent : QByteArray();
}

Result<HostConnection::Stored> S3Connection::replaceFile(const QString& localPath,
                                                         const QString& remoteName, const QString&,
                                                         TransferType, Overwrite)
{
    // A PUT replaces the object whole: readers see the old one or the new one.
    Result<QByteArray> md5 = put(localPath, remoteName);
    if (!md5)
        return md5.status();
    return Stored{Status::success(), std::move(*md5)};
}

Result<std::optional<RemoteFiles>> S3Connection::listFiles(const QString& directory)
{
    const QString prefix = keyOf(directory);
    const QString what = QStringLiteral("LIST ") + prefix;
    if (Status usable = checkUsable(what, directory); !usable)
        return usable;
    RemoteFiles files;
    QString token;
    do {
        // Signed as written: parameters sorted by name, values encoded.
        QByteArray query;
        if (!token.isEmpty())
            query += "continuation-token=" + queryValue(token) + '&';
        query += "delimiter=%2F&list-type=2";
        if (!prefix.isEmpty())
            query += "&prefix=" + queryValue(prefix);
        Request request;
        request.path = m_bucketPath + '?' + query;
        request.headers = emptyBodyHeaders();
        const Result<Reply> reply = send(what, request);
        if (!reply)
            return reply.status();
        if (reply->code != 200)
            return refused(what, *reply);
        ListPage page = readListPage(reply->body);
        if (!page.readable)
            return std::optional<RemoteFiles>();
        for (auto file = page.files.cbegin(); file != page.files.cend(); ++file)
            files.insert(file.key().mid(prefix.size()), file.value());
        token = page.nextToken;
    } while (!token.isEmpty());
    return std::optional(std::move(files));
}

Status S3Connection::deleteFile(const QString& remoteName)
{
    const QString what = QStringLiteral("DELETE ") + keyOf(remoteName);
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (keyOf(remoteName).isEmpty())
        return fail(what, Texts::tr("no remote name"));
    Request request;
    request.method = "DELETE";
    request.path = pathOf(remoteName);
    request.headers = emptyBodyHeaders();
    const Result<Reply> reply = send(what, request);
    if (!reply)
        return reply.status();
    return reply->code == 204 || reply->code == 200 ? Status::success() : refused(what, *reply);
}

QList<QByteArray> S3Connection::emptyBodyHeaders() const
{
    return {EmptyPayload};
}

QString S3Connection::serverWords(const Reply& reply) const
{
    const ErrorText error = readError(reply.body);
    QString words = HttpConnection::serverWords(reply);
    if (!error.code.isEmpty())
        words += QStringLiteral(": ") + error.code;
    if (!error.message.isEmpty())
        words += QStringLiteral(" (") + error.message + QLatin1Char(')');
    return words;
}

bool S3Connection::refusesLogin(const Reply& reply) const
{
    static const QStringList codes{QStringLiteral("SignatureDoesNotMatch"),
                                   QStringLiteral("InvalidAccessKeyId")};
    return reply.code == 401 || codes.contains(readError(reply.body).code);
}

bool S3Connection::refusesEverything(const Reply& reply) const
{
    return readError(reply.body).code == QLatin1String("NoSuchBucket");
}

} // namespace wareloom
