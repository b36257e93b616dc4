#include "core/publish/UploadFolder.h"

#include "core/transfer/HostConnection.h"

namespace wareloom {

UploadFolder UploadFolder::list(HostConnection& connection, const QString& uploadPath,
                                const QString& notUnderstood)
{
    const qsizetype slash = uploadPath.lastIndexOf(QLatin1Char('/'));
    UploadFolder folder;
    folder.m_prefix = uploadPath.mid(slash + 1);
    Result<std::optional<QHash<QString, qint64>>> listed =
        connection.listFiles(uploadPath.left(slash + 1));
    if (!listed)
        folder.m_status = listed.status();
    else if (!*listed)
        folder.m_status = Status::failure(notUnderstood);
    else
        folder.m_files = std::move(*listed);
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
