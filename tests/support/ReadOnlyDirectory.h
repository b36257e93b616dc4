#pragma once
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace wareloom::test {
// A directory that refuses new and replaced files for the object's lifetime,
// if ok(). Root ignores permission bits (CI runs as root): chattr +i for root.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(QString path)
        : m_path(std::move(path)),
          m_ok(geteuid() == 0 ? QProcess::execute("chattr", {"+i", m_path}) == 0
                              : QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner))
    {}
    ~ReadOnlyDirectory()
    {
        if (geteuid() == 0)
            QProcess::execute("chattr", {"-i", m_path});
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok;
};
} // namespace wareloom::test
