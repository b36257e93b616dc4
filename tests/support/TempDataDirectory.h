#pragma once

#include "TestFiles.h"
#include "core/store/DataDirectory.h"

#include <QDir>
#include <QTemporaryDir>

namespace wareloom::test {

// A data directory in a temporary directory for the object's lifetime; with
// create false it does not exist yet. The programs the test starts find it
// through WARELOOM_DATA_DIR.
class TempDataDirectory
{
public:
    explicit TempDataDirectory(bool create = true) : m_path(m_root.path() + "/Wareloom")
    {
        if (create)
            QDir().mkpath(m_path);
        qputenv("WARELOOM_DATA_DIR", QFile::encodeName(m_path));
    }
    ~TempDataDirectory() { qunsetenv("WARELOOM_DATA_DIR"); }

    QString path() const { return m_path; }
    DataDirectory store() const { return DataDirectory(m_path); }
    QString filePath(const QString& name) const { return m_path + '/' + name; }
    bool writeFile(const QString& name, const QByteArray& bytes) const
    {
        return test::writeFile(filePath(name), bytes);
    }

private:
    QTemporaryDir m_root;
    QString m_path;
};

} // namespace wareloom::test
