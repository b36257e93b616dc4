#pragma once

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace wareloom::test {

// A directory that refuses new and replaced files for the object's lifetime.
// Root ignores permission bits (CI runs as root), so root uses chattr +i.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(QString path)
        : m_path(std::move(path)), m_oldPermissions(QFile::permissions(m_path))
    {
        m_ok = geteuid() == 0 ? QProcess::execute("chattr", {"+i", m_path}) == 0
                              : QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyDirectory()
    {
        if (geteuid() == 0)
            QProcess::execute("chattr", {"-i", m_path});
        else
            QFile::setPermissions(m_path, m_oldPermissions);
    }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;

    // False when the file system could not be made to refuse writes.
    bool ok() const { return m_ok; }

private:
    QString m_path;
    QFile::Permissions m_oldPermissions;
    bool m_ok = false;
};

} // namespace wareloom::test
