#include "core/store/DataDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DataDirectory)
};

} // namespace

DataDirectory::DataDirectory(const QString& path)
    : m_path(QDir::cleanPath(QDir(path).absolutePath()))
{}

QString DataDirectory::filePath(const QString& fileName) const
{
    return m_path + QLatin1Char('/') + fileName;
}

QString DataDirectory::categoryFilePath(const QString& categoryName) const
{
    return filePath(categoryName + QStringLiteral(".dat"));
}

Status DataDirectory::create() const
{
    if (QDir().mkpath(m_path))
        return Status::success();
    return Status::failure(
        Texts::tr("The data folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_path)));
}

} // namespace wareloom
