#include "gui/platform/DroppedFile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace wareloom {

std::optional<QString> droppedFile(const QMimeData* data, const QString& suffix)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl url = data->urls().first();
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    if (!suffix.isEmpty() && QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return path;
}

} // namespace wareloom
