#include "core/util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(AtomicFile)
};

Status writeFailure(const QSaveFile& file, const QString& path)
{
    return Status::failure(
        Texts::tr("%1 could not be written: %2")
            .arg(QDir::toNativeSeparators(path), file.error() == QFileDevice::NoError
                                                     ? Texts::tr("only part of it could be written")
                                                     : file.errorString()));
}

Status readFailure(const QString& path, const QString& why)
{
    return Status::failure(
        Texts::tr("%1 could not be read: %2").arg(QDir::toNativeSeparators(path), why));
}

// Unbuffered: a short write (full disk) shows in write()'s result;
// buffered, Qt can let it pass and commit a truncated file.
constexpr QIODevice::OpenMode SaveMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

} // namespace

Status replaceFile(const QString& path, QByteArrayView contents,
                   QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(SaveMode))
        return writeFailure(file, path);
    if (permissions && !file.setPermissions(permissions))
        return writeFailure(file, path);
    if (file.write(contents.data(), contents.size()) != contents.size())
        return writeFailure(file, path);
    if (!file.commit())
        return writeFailure(file, path);
    return Status::success();
}

Status copyFileAtomically(const QString& source, const QString& target)
{
    // Reading a pipe or a device could block or never end.
    if (!QFileInfo(source).isFile())
        return readFailure(source, Texts::tr("it is not a file"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return readFailure(source, in.errorString());
    QSaveFile out(target);
    if (!out.open(SaveMode))
        return writeFailure(out, target);
    constexpr qint64 chunkSize = qint64(64) * 1024;
    for (QByteArray chunk = in.read(chunkSize); !chunk.isEmpty(); chunk = in.read(chunkSize)) {
        if (out.write(chunk) != chunk.size())
            return writeFailure(out, target);
    }
    if (in.error() != QFileDevice::NoError)
        return readFailure(source, in.errorString());
    if (!out.commit())
        return writeFailure(out, target);
    return Status::success();
}

} // namespace wareloom
