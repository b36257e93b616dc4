#include "core/pages/PageFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PageFiles)
};

// Every temporary page starts with this; nothing else of ours does.
constexpr char TemporaryPrefix[] = ".wareloom-page-";

} // namespace

PageFiles::~PageFiles()
{
    discard();
    if (!m_spare.isEmpty())
        ::unlink(m_spare.constData());
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
    m_written = 0;
    m_oldSize = 0;
    if (reuseSpare())
        return Status::success();
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
        m_spare = m_temporary; // now the old page
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // A file system that cannot exchange.
    return ::rename(m_temporary.constData(), m_nativePath.constData()) == 0 ? 0 : errno;
}

// Opens the old page kept from the last exchange as the new temporary file,
// when it is a plain file with no other name that nobody has open: a write
// lease is granted only then. Nobody can open it by a page's name any more,
// so it cannot be read while it is rewritten. O_NONBLOCK: opening a pipe
// must not wait for a reader.
bool PageFiles::reuseSpare()
{
    if (m_spare.isEmpty())
        return false;
    const QByteArray spare = std::exchange(m_spare, QByteArray());
    const int fd = ::open(spare.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        m_fd = fd;
        m_oldSize = info.st_size;
        m_temporary = spare;
        return true;
    }
    if (fd >= 0)
        ::close(fd);
    ::unlink(spare.constData()); // a reader keeps its old page whole
    return false;
}

void PageFiles::removeLeftovers(const QString& directory)
{
    // Read directly: every run starts here, and the folder holds two files a category.
    const QByteArray native = QFile::encodeName(directory);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, TemporaryPrefix, sizeof TemporaryPrefix - 1) == 0 &&
            entry->d_type != DT_DIR)
            ::unlink((native + '/' + entry->d_name).constData());
    }
    ::closedir(dir);
}

Status PageFiles::failure(int error) const
{
    return Status::failure(Texts::tr("The page %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(m_path), qt_error_string(error)));
}

} // namespace wareloom
