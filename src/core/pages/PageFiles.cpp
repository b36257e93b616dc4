#include "core/pages/PageFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wareloom {
namespace {

// Every temporary page starts with this; nothing else of ours does.
constexpr char TemporaryPrefix[] = ".wareloom-page-";

} // namespace

PageFiles::~PageFiles()
{
    discard();
}

void PageFiles::discard()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(m_temporary.constData());
    m_fd = -1;
}

Status PageFiles::begin(const QString& path)
{
    discard(); // the last page was never committed
    m_path = path;
    m_nativePath = QFile::encodeName(path);
    m_writeError = 0;
    const QByteArray prefix = QFile::encodeName(QFileInfo(path).path()) + '/' + TemporaryPrefix +
                              QByteArray::number(QCoreApplication::applicationPid()) + '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary = prefix + QByteArray::number(++m_nameCounter);
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            return Status::success();
        if (errno != EEXIST)
            break;
    }
    return failure(errno);
}

void PageFiles::write(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0 && m_writeError == 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_writeError = written < 0 ? errno : ENOSPC;
            break;
        }
        data += written;
        left -= written;
    }
}

Status PageFiles::commit()
{
    const int closeError = ::close(m_fd) != 0 ? errno : 0;
    m_fd = -1;
    int error = m_writeError != 0 ? m_writeError : closeError;
    if (error == 0)
        error = putInPlace();
    if (error != 0) {
        ::unlink(m_temporary.constData());
        return failure(error);
    }
    return Status::success();
}

// The finished temporary file becomes the page; the old page, if any, is
// deleted, its file untouched. Returns 0 or the error.
int PageFiles::putInPlace()
{
    struct stat old;
    if (::lstat(m_nativePath.constData(), &old) != 0) {
        if (errno != ENOENT)
            return errno;
        return ::rename(m_temporary.constData(), m_nativePath.constData()) == 0 ? 0 : errno;
    }
    if (S_ISDIR(old.st_mode))
        return EISDIR;
    if (::renameat2(AT_FDCWD, m_temporary.constData(), AT_FDCWD, m_nativePath.constData(),
                    RENAME_EXCHANGE) == 0) {
        ::unlink(m_temporary.constData()); // now the old page
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // A file system that cannot exchange.
    return ::rename(m_temporary.constData(), m_nativePath.constData()) == 0 ? 0 : errno;
}

void PageFiles::removeLeftovers(const QString& directory)
{
    const QByteArray prefix = TemporaryPrefix;
    const QStringList names =
        QDir(directory).entryList({QString::fromLatin1(prefix) + QLatin1Char('*')},
                                  QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        QFile::remove(directory + QLatin1Char('/') + name);
}

Status PageFiles::failure(int error) const
{
    return Status::failure(QStringLiteral("The page %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(m_path), qt_error_string(error)));
}

} // namespace wareloom
