#include "core/transfer/DavConnection.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QXmlStreamReader>

#include <curl/curl.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DavConnection)
};

constexpr char PropfindBody[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                "<propfind xmlns=\"DAV:\"><prop><resourcetype/>"
                                "<getcontentlength/></prop></propfind>";

bool isSuccess(long code)
{
    return code >= 200 && code < 300;
}

// A path of a PROPFIND answer as text: "/dav/a%20b.htm" or a whole URL.
QString decodedPath(const QString& href)
{
    const QByteArray path =
        href.startsWith(QLatin1String("http://")) || href.startsWith(QLatin1String("https://"))
            ? QUrl(href).path(QUrl::FullyEncoded).toUtf8()
            : href.toUtf8();
    return QUrl::fromPercentEncoding(path);
}

// The plain files in folder (a decoded path ending in "/") that a
// multistatus answer lists; nothing when it cannot be read.
std::optional<RemoteFiles> readMultistatus(const QByteArray& body, const QString& folder)
{
    RemoteFiles files;
    QXmlStreamReader xml(body);
    QString href;
    qint64 size = -1;
    bool collection = false, multistatus = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.namespaceUri() != QLatin1String("DAV:"))
                continue;
            const auto name = xml.name();
            if (name == QLatin1String("multistatus"))
                multistatus = true;
            else if (name == QLatin1String("response"))
                href.clear(), size = -1, collection = false;
            else if (name == QLatin1String("href"))
                href = decodedPath(xml.readElementText());
            else if (name == QLatin1String("getcontentlength"))
                size = xml.readElementText().toLongLong();
            else if (name == QLatin1String("collection"))
                collection = true;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("response") &&
                   xml.namespaceUri() == QLatin1String("DAV:")) {
            if (collection || !href.startsWith(folder))
                continue; // the folder itself, one below, or not ours
            const QString name = href.mid(folder.size());
            if (name.isEmpty() || name.contains(QLatin1Char('/')) || size < 0)
                return std::nullopt;
            files.insert(name, {size, {}}); // its ETag is no MD5: the record judges
        }
    }
    if (xml.hasError() || !multistatus)
        return std::nullopt;
    return files;
}

} // namespace

Status DavConnection::checkTarget(const Target& target)
{
    if (target.scheme != "dav" && target.scheme != "davs")
        return Status::failure(Texts::tr("not a WebDAV address"));
    return Status::success();
}

void DavConnection::authenticate(void* curl)
{
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, long(CURLAUTH_BASIC));
    curl_easy_setopt(curl, CURLOPT_USERNAME, user().toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password().toUtf8().constData());
}

Status DavConnection::put(const QString& what, const QString& localPath, const QString& remoteName,
                          const QString& typeName)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(what, Texts::tr("cannot read %1: %2").arg(localPath, file.errorString()));
    Request request;
    request.method = "PUT";
    request.path = pathOf(remoteName);
    request.headers = contentHeaders(typeName);
    request.upload = &file;
    for (bool folderMade = false;; folderMade = true) {
        const Result<Reply> reply = send(what, request);
        if (!reply)
            return reply.status();
        if (isSuccess(reply->code))
            return Status::success();
        if (reply->code != 409 || folderMade)
            return refused(what, *reply);
        if (Status made = makeFolders(remoteName); !made)
            return made;
        if (!file.seek(0))
            return fail(what, Texts::tr("cannot read %1: %2").arg(localPath, file.errorString()));
    }
}

// Each folder of the name's path under the share's, from the top; one that
// is there already answers 405. Another of our connections may be making the
// same folder at the same moment, and Apache then refuses the later one with
// 403 rather than 405: asked again, it says 405.
Status DavConnection::makeFolders(const QString& remoteName)
{
    const QStringList parts = remoteName.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += parts[i] + QLatin1Char('/');
        const QString what = QStringLiteral("MKCOL ") + folder;
        Request request;
        request.method = "MKCOL";
        request.path = pathOf(folder);
        for (int attempt = 0;; ++attempt) {
            const Result<Reply> reply = send(what, request);
            if (!reply)
                return reply.status();
            if (isSuccess(reply->code) || reply->code == 405)
                break;
            if (attempt == 1)
                return refused(what, *reply);
        }
    }
    return Status::success();
}

Status DavConnection::putFile(const QString& localPath, const QString& remoteName, TransferType)
{
    const QString what = QStringLiteral("PUT ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (remoteName.isEmpty() || remoteName.endsWith(QLatin1Char('/')))
        return fail(what, Texts::tr("no remote name"));
    return put(what, localPath, remoteName, remoteName);
}

Result<HostConnection::Stored> DavConnection::replaceFile(const QString& localPath,
                                                          const QString& remoteName,
                                                          const QString& temporaryName,
                                                          TransferType, Overwrite overwrite)
{
    const QString what = QStringLiteral("PUT ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (Status usable = checkUsable(what, temporaryName); !usable)
        return usable;
    if (remoteName.isEmpty() || temporaryName.isEmpty())
        return fail(what, Texts::tr("no remote name"));
    if (Status sent = put(what, localPath, temporaryName, remoteName); !sent)
        return sent;
    // A name still there fails the move, which says so.
    if (overwrite == Overwrite::RemoveFirst)
        (void)remove(what, remoteName);
    Request request;
    request.method = "MOVE";
    request.path = pathOf(temporaryName);
    request.headers = {"Destination: " + origin() + pathOf(remoteName), "Overwrite: T"};
    const Result<Reply> reply = send(QStringLiteral("MOVE ") + temporaryName, request);
    if (!reply)
        return reply.status();
    if (isSuccess(reply->code))
        return Stored{};
    return Stored{Status::failure(Texts::tr("%1: the server did not move %2 to %3: %4")
                                      .arg(what, temporaryName, remoteName, serverWords(*reply))),
                  {}};
}

Result<std::optional<RemoteFiles>> DavConnection::listFiles(const QString& directory)
{
    const QString what = QStringLiteral("PROPFIND ") + directory;
    if (Status usable = checkUsable(what, directory); !usable)
        return usable;
    Request request;
    request.method = "PROPFIND";
    request.path = pathOf(directory);
    request.headers = {"Depth: 1", "Content-Type: application/xml; charset=utf-8"};
    request.body = PropfindBody;
    const Result<Reply> reply = send(what, request);
    if (!reply)
        return reply.status();
    if (reply->code == 404)
        return std::optional(RemoteFiles());
    if (reply->code != 207)
        return refused(what, *reply);
    return readMultistatus(reply->body, QUrl::fromPercentEncoding(request.path));
}

Status DavConnection::remove(const QString& what, const QString& remoteName)
{
    Request request;
    request.method = "DELETE";
    request.path = pathOf(remoteName);
    const Result<Reply> reply = send(what, request);
    if (!reply)
        return reply.status();
    return isSuccess(reply->code) ? Status::success() : refused(what, *reply);
}

Status DavConnection::deleteFile(const QString& remoteName)
{
    const QString what = QStringLiteral("DELETE ") + remoteName;
    if (Status usable = checkUsable(what, remoteName); !usable)
        return usable;
    if (remoteName.isEmpty() || remoteName.endsWith(QLatin1Char('/')))
        return fail(what, Texts::tr("no remote name"));
    return remove(what, remoteName);
}

} // namespace wareloom
