#pragma once

#include "core/transfer/RemoteListing.h"
#include "core/util/Status.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace wareloom {

class HostConnection;
class PublishRecord;

// The upload folder as the host listed it: the files whose names start with
// what the upload path puts in front of each file name ("/htdocs/" lists
// /htdocs/; "/htdocs/shop-" lists /htdocs/ and keeps the names starting
// "shop-"), each with its size in bytes and, from an S3 host, its MD5.
class UploadFolder
{
public:
    // Lists the folder on connection (its login, when it is the first
    // transfer); not listed when the host gives no listing we understand.
    // notUnderstood: what status() says of a listing that came in a form
    // not understood, in the caller's words.
    static UploadFolder list(HostConnection& connection, const QString& uploadPath,
                             const QString& notUnderstood);

    bool isListed() const { return m_files.has_value(); }
    // Why the folder is not listed; success when it is.
    const Status& status() const { return m_status; }
    // The size of fileName (after the upload path), -1 when not listed.
    qint64 size(const QString& fileName) const;
    // The listing shows fileName as the record says it was sent: of that
    // size, and with that MD5 where both the listing and the record tell one
    // (so a file changed on the host behind our back is not).
    bool showsAsSent(const QString& fileName, const PublishRecord& record) const;
    // The names after the upload path, sorted.
    QStringList fileNames() const;

private:
    std::optional<RemoteFiles> m_files;
    Status m_status = Status::success();
    QString m_prefix;
};

} // namespace wareloom
