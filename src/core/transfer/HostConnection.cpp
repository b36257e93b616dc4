#include "core/transfer/HostConnection.h"

#include "core/transfer/CurlSupport.h"
#include "core/transfer/DavConnection.h"
#include "core/transfer/FtpConnection.h"
#include "core/transfer/S3Connection.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HostConnection)
};

struct Kind
{
    const char* prefix;
    std::unique_ptr<HostConnection> (*make)();
};

template <class Connection> std::unique_ptr<HostConnection> make()
{
    return std::make_unique<Connection>();
}

// Any other field is for FTP (plain, FTPS, SFTP), as it always was.
constexpr Kind Kinds[] = {{"s3://", make<S3Connection>},
                          {"s3+http://", make<S3Connection>},
                          {"davs://", make<DavConnection>},
                          {"dav://", make<DavConnection>}};

} // namespace

std::unique_ptr<HostConnection> HostConnection::forServer(const QString& server)
{
    const QString field = server.trimmed();
    for (const Kind& kind : Kinds) {
        if (field.startsWith(QLatin1String(kind.prefix), Qt::CaseInsensitive))
            return kind.make();
    }
    return make<FtpConnection>();
}

void HostConnection::setUniformTimeout(std::chrono::seconds timeout)
{
    Timeouts::setUniform(timeout);
}

Status HostConnection::fail(const QString& what, const QString& why)
{
    return Status::failure(Texts::tr("%1: %2").arg(what, why));
}

Status HostConnection::stop(const QString& what, const QString& why)
{
    m_unreachable = why;
    return fail(what, why);
}

Status HostConnection::refuseKey(const QString& what, const QString& offered, const QString& known,
                                 const QString& whyUnchecked, const RefusedCertificate& certificate)
{
    if (offered.isEmpty())
        return stop(what, Texts::tr("The host's key cannot be checked: %1").arg(whyUnchecked));
    const HostKey key{m_hostPort, offered, known, certificate.sha256, certificate.why};
    m_untrustedKey = key;
    if (key.isChanged())
        return stop(what, Texts::tr("The key of %1 has changed: it was %2 and is now %3. "
                                    "Nothing was sent.")
                              .arg(key.hostPort, key.known, key.offered));
    QString said =
        key.whyUntrusted.isEmpty()
            ? Texts::tr("The key of %1 is not trusted yet: its SHA-256 fingerprint is %2")
                  .arg(key.hostPort, key.offered)
            : Texts::tr("The key of %1 is not trusted yet (%2): its SHA-256 fingerprint is %3")
                  .arg(key.hostPort, key.whyUntrusted, key.offered);
    if (!key.certificateSha256.isEmpty())
        said += Texts::tr(", its certificate's %1").arg(key.certificateSha256);
    return stop(what, said);
}

QString serverAddress(const QString& server)
{
    return HostConnection::forServer(server)->addressOf(server);
}

} // namespace wareloom
