#pragma once

#include <QFile>
#include <QProcess>
#include <QString>

#include <unistd.h>

namespace wareloom::test {

// Makes a directory refuse new and replaced files for its lifetime. Tests run
// as root in CI, where permission bits are ignored, so root uses the
// immutable attribute instead.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(QString path) : m_path(std::move(path))
    {
        if (geteuid() == 0) {
            m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
        } else {
            m_oldPermissions = QFile::permissions(m_path);
            m_ok = QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    ~ReadOnlyDirectory()
    {
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
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
