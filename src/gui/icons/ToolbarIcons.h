#pragma once

#include <QIcon>
#include <QSize>

// The toolbar's three 30 by 30 images.
namespace wareloom {

inline constexpr QSize ToolbarIconSize{30, 30};

// A green plus sign.
QIcon itemAddIcon();
// The blue letters FTP above a blue arrow pointing right.
QIcon ftpUploadIcon();
// The program's globe.
QIcon webSiteIcon();

} // namespace wareloom
