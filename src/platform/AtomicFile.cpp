#include "platform/AtomicFile.h"

#include <QDir>
#include <QSaveFile>

namespace wareloom {

Status replaceFile(const QString& path, QByteArrayView contents, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    const auto failed = [&] {
        const QString why = file.error() == QFileDevice::NoError
                                ? QStringLiteral("only part of it could be written")
                                : file.errorString();
        return Status::failure(
            QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), why));
    };
    // Unbuffered: a short write (full disk) shows in write()'s result;
    // buffered, Qt can let it pass and commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    if (permissions && !file.setPermissions(permissions))
        return failed();
    if (file.write(contents.data(), contents.size()) != contents.size())
        return failed();
    if (!file.commit())
        return failed();
    return Status::success();
}

} // namespace wareloom
