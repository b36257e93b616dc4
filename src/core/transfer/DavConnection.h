#pragma once

#include "core/transfer/HttpConnection.h"

namespace wareloom {

// A WebDAV share (Nextcloud, Apache's mod_dav, a control panel's web disk):
// "davs://host[:port]/path/" over HTTPS, "dav://" over HTTP, with Basic
// authentication. Remote names are under the path (a leading "/" of a name
// is dropped). A file goes up under its temporary name and is moved over
// its own name in one step (MOVE, "Overwrite: T"); missing folders are made
// (MKCOL). Sizes come from PROPFIND; its ETag (size and time, not content)
// is not used: the publish record judges content.
class DavConnection : public HttpConnection
{
public:
    Status putFile(const QString& localPath, const QString& remoteName, TransferType type) override;
    Result<Stored> replaceFile(const QString& localPath, const QString& remoteName,
                               const QString& temporaryName, TransferType type,
                               Overwrite overwrite) override;
    // PROPFIND, depth 1. A folder that is not there holds no files.
    Result<std::optional<RemoteFiles>> listFiles(const QString& directory) override;
    Status deleteFile(const QString& remoteName) override;

protected:
    Status checkTarget(const Target& target) override;
    void authenticate(void* curl) override;

private:
    // PUT, making the missing folders when the server says they are (409).
    Status put(const QString& what, const QString& localPath, const QString& remoteName,
               const QString& typeName);
    Status makeFolders(const QString& remoteName);
    Status remove(const QString& what, const QString& remoteName);
};

} // namespace wareloom
