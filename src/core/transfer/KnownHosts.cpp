#include "core/transfer/KnownHosts.h"

#include "core/util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(KnownHosts)
};

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

QString KnownHosts::filePath(const DataDirectory& store)
{
    return store.filePath(QStringLiteral("KnownHosts"));
}

QString KnownHosts::keyFor(const QString& hostPort, const QString& path)
{
    for (const QString& line : readLines(path)) {
        const QStringList parts = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() == 2 && parts[0].compare(hostPort, Qt::CaseInsensitive) == 0)
            return parts[1];
    }
    return {};
}

Status KnownHosts::trust(const HostKey& key, const QString& path)
{
    QByteArray kept;
    for (const QString& line : readLines(path)) {
        if (line.section(QLatin1Char(' '), 0, 0).compare(key.hostPort, Qt::CaseInsensitive) != 0)
            kept += line.toUtf8() + '\n';
    }
    kept += key.line().toUtf8() + '\n';
    if (const Status written =
            replaceFile(path, kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        !written)
        return Status::failure(Texts::tr("%1 cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(path), written.message()));
    return Status::success();
}

} // namespace wareloom
