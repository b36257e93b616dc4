#include "publish/PageFiles.h"

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
    }
}

Status PageFiles::commit()
{
    const int closeError = ::close(m_fd) != 0 ? errno : 0;
    m_fd = -1;
    if (m_writeError == 0 && closeError != 0)
        m_writeError = closeError;
    if (m_writeError != 0) {
        // Still ours alone: the next page can use it.
        m_spare = m_temporary;
        return failure(m_writeError);
    }
    // Keep the old page under a new name before the new one takes its place.
    QByteArray kept = unusedName();
    if (::linkat(AT_FDCWD, m_nativePath.constData(), AT_FDCWD, kept.constData(), 0) != 0)
        kept.clear();
    if (::rename(m_temporary.constData(), m_nativePath.constData()) != 0) {
        const int error = errno;
        if (!kept.isEmpty()) // a second name of the page itself
            ::unlink(kept.constData());
        m_spare = m_temporary;
        return failure(error);
    }
    m_spare = kept;
    return Status::success();
}

// Opens the kept file as the new temporary file, emptied, when it is a plain
// file with no other name; otherwise lets it go.
bool PageFiles::reuseSpare()
{
    if (m_spare.isEmpty())
        return false;
    const int fd = ::open(m_spare.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        ::ftruncate(fd, 0) == 0) {
        m_fd = fd;
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
