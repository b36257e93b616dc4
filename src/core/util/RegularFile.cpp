#include "core/util/RegularFile.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(RegularFile)
};

} // namespace

Status openRegularFile(QFile& file)
{
    // Non-blocking, so that opening a FIFO returns at once; what it is shows
    // on the open descriptor, which nothing can swap behind our back.
    const int fd =
        ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat entry;
        // A link to nothing is there all the same: something would be lost.
        if (error == ENOENT && ::lstat(QFile::encodeName(file.fileName()).constData(), &entry) != 0)
            return Status::missing(qt_error_string(error));
        return Status::failure(qt_error_string(error));
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::failure(Texts::tr("it is not a regular file"));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString why = qt_error_string(errno);
        ::close(fd);
        return Status::failure(why);
    }
    return Status::success();
}

} // namespace wareloom
