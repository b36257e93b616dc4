#pragma once

#include "gui/platform/DialogTemplate.h"

#include <QImage>

namespace wareloom {

// Toolbar 135 of the main dialog: Item Add, FTP Upload, WebSite.
constexpr int IDR_TOOLBAR = 135;

// The strip of three 30 by 30 images: a green plus, the blue letters FTP
// above a blue arrow pointing right, a globe.
QImage toolbarStrip();
const ToolbarTemplate& mainToolbarTemplate();

} // namespace wareloom
