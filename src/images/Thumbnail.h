#pragma once

#include "core/util/Status.h"

#include <QString>

namespace wareloom {

// The long side of a thumbnail at most.
inline constexpr int ThumbnailSize = 240;

// Writes a JPEG of the picture at most ThumbnailSize pixels on its long side
// (smaller pictures keep their size), turned as the picture's orientation
// says. Replaces thumbnailPath only when the new file is complete. Usable as
// a ThumbnailMaker; needs no display.
Status makeThumbnail(const QString& picturePath, const QString& thumbnailPath);

} // namespace wareloom
