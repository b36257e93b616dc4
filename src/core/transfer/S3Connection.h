#pragma once

#include "core/transfer/HttpConnection.h"

namespace wareloom {

// A bucket of an S3-compatible object store (Amazon S3, Cloudflare R2,
// Backblaze B2, MinIO, Ceph...): "s3://host[:port]/bucket" over HTTPS,
// "s3+http://" over HTTP. The region is "?region=" when given, else the one
// an Amazon or Backblaze host name holds ("auto" for R2), else us-east-1.
// User and password are the access key id and the secret key; the secret
// never travels, every request is signed (AWS Signature Version 4, with the
// payload's SHA-256). Keys are the remote names without a leading "/"; a
// PUT replaces an object whole in one step, so no temporary name is used.
class S3Connection : public HttpConnection
{
public:
    Status putFile(const QString& localPath, const QString& remoteName, TransferType type) override;
    Result<Stored> replaceFile(const QString& localPath, const QString& remoteName,
                               const QString& temporaryName, TransferType type,
                               Overwrite overwrite) override;
    // ListObjectsV2 with the directory as the prefix and "/" as the
    // delimiter, page after page: the objects of that "folder".
    Result<std::optional<RemoteFiles>> listFiles(const QString& directory) override;
    Status deleteFile(const QString& remoteName) override;

    // The region of the server field, as requests are signed for it.
    static QString regionOf(const QString& server);

protected:
    Status checkTarget(const Target& target) override;
    void authenticate(void* curl) override;
    bool signsHeaders() const override { return true; }
    QList<QByteArray> emptyBodyHeaders() const override;
    QString serverWords(const Reply& reply) const override;
    bool refusesLogin(const Reply& reply) const override;
    bool refusesEverything(const Reply& reply) const override;

private:
    static QString regionOf(const Target& target);
    // One PUT: the MD5 (hex) of what arrived when the host's ETag confirms
    // it (not so with some kinds of server-side encryption), else empty.
    Result<QByteArray> put(const QString& localPath, const QString& remoteName);

    QByteArray m_bucketPath; // "/bucket"
    QByteArray m_signing;    // "aws:amz:<region>:s3"
};

} // namespace wareloom
