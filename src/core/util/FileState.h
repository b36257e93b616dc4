#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace wareloom {

// A file as stat shows it: what changes whenever its bytes may have. The
// change time (ctime) cannot be set back by anyone, so a file replaced by a
// copy that kept the old modification time still shows as changed.
struct FileState
{
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0;  // ditto
    quint64 inode = 0;
    quint64 device = 0;

    // Of a regular file, following a link or not; nothing for anything else.
    static std::optional<FileState> ofPath(const QString& path, bool followLink);
    static std::optional<FileState> ofOpenFile(int fd);

    // Whether a change made within the file system's clock step after the
    // state was taken could leave it as it is: such a state proves nothing.
    bool isRecent() const;

    bool operator==(const FileState&) const = default;
};

} // namespace wareloom
