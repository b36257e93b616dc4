#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace wareloom {

// The width and height a JPEG or PNG file declares in its header, read
// without decoding it (this library has no image decoder); nothing for
// another format or a file cut short.
std::optional<QSize> pictureSize(const QString& path);

} // namespace wareloom
