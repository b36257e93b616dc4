#include "core/store/CategoryLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CategoryLock)
};

} // namespace

CategoryLock::CategoryLock(const QString& directory)
    : m_path(directory + QStringLiteral("/.wareloom-categories.lock"))
{}

CategoryLock::~CategoryLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets the lock go
}

Status CategoryLock::acquire()
{
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    int locked = -1;
    // Whoever holds it only reads and writes one file: waiting is short.
    while (m_fd >= 0 && (locked = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (m_fd < 0 || locked != 0) {
        return Status::failure(Texts::tr("The category lock %1 cannot be taken: %2")
                                   .arg(QDir::toNativeSeparators(m_path), qt_error_string(errno)));
    }
    return Status::success();
}

} // namespace wareloom
