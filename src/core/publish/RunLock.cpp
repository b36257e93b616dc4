#include "core/publish/RunLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(RunLock)
};

constexpr char LockFileName[] = ".wareloom-run.lock";

} // namespace

RunLock::RunLock(const QString& directory)
    : m_path(directory + QLatin1Char('/') + QLatin1String(LockFileName))
{}

RunLock::~RunLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

RunLock::Result RunLock::acquire(std::chrono::milliseconds wait,
                                 const std::function<bool()>& stopWaiting)
{
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        m_message = Texts::tr("The run lock %1 cannot be made: %2")
                        .arg(QDir::toNativeSeparators(m_path), qt_error_string(errno));
        return Result::Failed;
    }
    const QDeadlineTimer deadline(wait);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_message = Texts::tr("The run lock %1 cannot be taken: %2")
                            .arg(QDir::toNativeSeparators(m_path), qt_error_string(errno));
            return Result::Failed;
        }
        if (deadline.hasExpired() || (stopWaiting && stopWaiting())) {
            m_message = Texts::tr("Another run is using this folder (%1); try again when "
                                  "it has ended.")
                            .arg(QDir::toNativeSeparators(QFileInfo(m_path).path()));
            return Result::Busy;
        }
        QThread::msleep(100);
    }
    return Result::Held;
}

} // namespace wareloom
