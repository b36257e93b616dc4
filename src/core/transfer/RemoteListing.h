#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace wareloom {

// A plain file as a host lists it.
struct RemoteFile
{
    qint64 size = -1; // in bytes
    // The MD5 of its bytes (hex) where the host lists one: an S3 ETag of an
    // object sent in one part. Empty otherwise (FTP, WebDAV's size-and-time
    // ETags, multipart ETags).
    QByteArray md5;
};
// File name -> what the listing shows of it.
using RemoteFiles = QHash<QString, RemoteFile>;

// The plain files of a directory listing and their sizes in bytes. Reads
// MLSD lines ("type=file;size=12; name"), Unix "ls -l" lines (LIST, and
// SFTP listings) and DOS lines ("12-31-24  10:00AM  12 name"). Nothing when
// a line fits none of them: a listing misread would make present files look
// missing.
std::optional<RemoteFiles> parseListing(const QByteArray& listing);

} // namespace wareloom
