#include "core/util/FileState.h"

#include <QFile>

#include <sys/stat.h>
#include <time.h>

namespace wareloom {
namespace {

constexpr qint64 NanosecondsPerSecond = 1'000'000'000;
// Far more than a file system's time stamp step, even a coarse one's.
constexpr qint64 RecentSpan = 2 * NanosecondsPerSecond;

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * NanosecondsPerSecond + time.tv_nsec;
}

std::optional<FileState> fromStat(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return FileState{info.st_size, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
                     quint64(info.st_ino), quint64(info.st_dev)};
}

} // namespace

std::optional<FileState> FileState::ofPath(const QString& path, bool followLink)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    const int result =
        followLink ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info);
    return result == 0 ? fromStat(info) : std::nullopt;
}

std::optional<FileState> FileState::ofOpenFile(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 ? fromStat(info) : std::nullopt;
}

bool FileState::isRecent() const
{
    timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qMax(modified, changed) > nanoseconds(now) - RecentSpan;
}

} // namespace wareloom
