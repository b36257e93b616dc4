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

PageFiles::~PageFiles()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temporary.constData());
    }
    dropSpare();
}

Status PageFiles::begin(const QString& path)
{
    if (m_fd >= 0) { // the last page was never committed
        ::close(m_fd);
        m_fd = -1;
        dropSpare();
        m_spare = m_temporary;
    }
    m_path = path;
    m_nativePath = QFile::encodeName(path);
    m_writeError = 0;
    m_written = 0;
    m_oldSize = 0;
    static const QByteArray processId = QByteArray::number(QCoreApplication::applicationPid());
    m_namePrefix = QFile::encodeName(QFileInfo(path).path()) + "/.wareloom-page-" + processId + '-';
    if (reuseSpare() || createTemporary())
        return Status::success();
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
        m_written += written;
    }
}

Status PageFiles::commit()
{
    // What is left of the reused file's old content goes.
    if (m_writeError == 0 && m_written < m_oldSize && ::ftruncate(m_fd, m_written) != 0)
        m_writeError = errno;
    const int closeError = ::close(m_fd) != 0 ? errno : 0;
    m_fd = -1;
    if (m_writeError == 0 && closeError != 0)
        m_writeError = closeError;
    if (m_writeError != 0) {
        // Still ours alone: the next page can use it.
        m_spare = m_temporary;
        return failure(m_writeError);
    }
    if (const int error = putInPlace(); error != 0) {
        m_spare = m_temporary;
        return failure(error);
    }
    return Status::success();
}

// The finished temporary file becomes the page; the old page, if any, is
// kept as the spare. Returns 0 or the error.
int PageFiles::putInPlace()
{
    struct stat old;
    if (::lstat(m_nativePath.constData(), &old) != 0) {
        if (errno != ENOENT)
            return errno;
        // No page yet: nothing to keep.
        return ::rename(m_temporary.constData(), m_nativePath.constData()) == 0 ? 0 : errno;
    }
    if (S_ISDIR(old.st_mode))
        return EISDIR;
    if (::renameat2(AT_FDCWD, m_temporary.constData(), AT_FDCWD, m_nativePath.constData(),
                    RENAME_EXCHANGE) == 0) {
        m_spare = m_temporary; // now the old page
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    return replaceByLink(); // a file system that cannot exchange
}

// Keeps the old page under a new name, then renames the new one over it.
int PageFiles::replaceByLink()
{
    QByteArray kept = unusedName();
    if (::linkat(AT_FDCWD, m_nativePath.constData(), AT_FDCWD, kept.constData(), 0) != 0)
        kept.clear();
    if (::rename(m_temporary.constData(), m_nativePath.constData()) != 0) {
        const int error = errno;
        if (!kept.isEmpty()) // a second name of the page itself
            ::unlink(kept.constData());
        return error;
    }
    m_spare = kept;
    return 0;
}

// Opens the kept file as the new temporary file when it is a plain file with
// no other name; otherwise lets it go. Its old content is overwritten and
// cut at commit(). O_NONBLOCK: opening a pipe must not wait for a reader.
bool PageFiles::reuseSpare()
{
    if (m_spare.isEmpty())
        return false;
    const int fd = ::open(m_spare.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1) {
        m_fd = fd;
        m_oldSize = info.st_size;
        m_temporary = m_spare;
        m_spare.clear();
        return true;
    }
    if (fd >= 0)
        ::close(fd);
    dropSpare();
    return false;
}

bool PageFiles::createTemporary()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = unusedName();
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// A name beside the page that no other program would pick.
QByteArray PageFiles::unusedName()
{
    return m_namePrefix + QByteArray::number(++m_nameCounter);
}

void PageFiles::dropSpare()
{
    if (!m_spare.isEmpty())
        ::unlink(m_spare.constData());
    m_spare.clear();
}

Status PageFiles::failure(int error) const
{
    return Status::failure(QStringLiteral("The page %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(m_path), qt_error_string(error)));
}

} // namespace wareloom
