#pragma once

// A data directory of its own for one test: WARELOOM_DATA_DIR points into a
// temporary directory for as long as the object lives.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace wareloom::test {

class TempDataDirectory
{
public:
    // With create false the data directory itself does not exist yet.
    explicit TempDataDirectory(bool create = true)
        : m_path(m_root.path() + QStringLiteral("/Wareloom"))
    {
        if (create)
            QDir().mkpath(m_path);
        qputenv("WARELOOM_DATA_DIR", QFile::encodeName(m_path));
    }
    ~TempDataDirectory() { qunsetenv("WARELOOM_DATA_DIR"); }
    TempDataDirectory(const TempDataDirectory&) = delete;
    TempDataDirectory& operator=(const TempDataDirectory&) = delete;

    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + QLatin1Char('/') + name; }

    bool writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_root;
    QString m_path;
};

} // namespace wareloom::test
