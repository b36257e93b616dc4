#include "core/publish/UploadFolder.h"

#include "core/transfer/FtpConnection.h"
#include "core/transfer/RemoteListing.h"

namespace wareloom {

UploadFolder UploadFolder::list(FtpConnection& connection, const QString& uploadPath)
{
    const qsizetype slash = uploadPath.lastIndexOf(QLatin1Char('/'));
    UploadFolder folder;
    folder.m_prefix = uploadPath.mid(slash + 1);
    if (const auto text = connection.listDirectory(uploadPath.left(slash + 1)))
        folder.m_files = parseListing(*text);
    return folder;
}

qint64 UploadFolder::size(const QString& fileName) const
{
    return m_files ? m_files->value(m_prefix + fileName, -1) : -1;
}

QStringList UploadFolder::fileNames() const
{
    QStringList names;
    if (!m_files)
        return names;
    for (auto file = m_files->cbegin(); file != m_files->cend(); ++file) {
        if (file.key().startsWith(m_prefix) && file.key().size() > m_prefix.size())
            names << file.key().mid(m_prefix.size());
    }
    names.sort();
    return names;
}

} // namespace wareloom
