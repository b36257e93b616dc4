#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace wareloom {

// The one local file a drag carries, as a path; nothing when it carries
// none, several, or a remote address. With a suffix given (without the dot,
// any letter case), only a file of that kind.
std::optional<QString> droppedFile(const QMimeData* data, const QString& suffix = {});

} // namespace wareloom
