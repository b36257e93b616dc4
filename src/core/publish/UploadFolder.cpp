#include "core/publish/UploadFolder.h"

#include "core/publish/PublishRecord.h"
#include "core/transfer/HostConnection.h"

namespace wareloom {

UploadFolder UploadFolder::list(HostConnection& connection, const QString& uploadPath,
                                const QString& notUnderstood)
{
    const qsizetype slash = uploadPath.lastIndexOf(QLatin1Char('/'));
    UploadFolder folder;
    folder.m_prefix = uploadPath.mid(slash + 1);
    Result<std::optional<RemoteFiles>> listed = connection.listFiles(uploadPath.left(slash + 1));
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
    return m_files ? m_files->value(m_prefix + fileName).size : -1;
}

bool UploadFolder::showsAsSent(const QString& fileName, const PublishRecord& record) const
{
    const FileFingerprint* sent = record.find(fileName);
    if (!sent || !m_files)
        return false;
    const auto listed = m_files->constFind(m_prefix + fileName);
    if (listed == m_files->cend() || listed->size != sent->size)
        return false;
    const QByteArray md5 = record.md5(fileName);
    return listed->md5.isEmpty() || md5.isEmpty() || listed->md5 == md5;
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
