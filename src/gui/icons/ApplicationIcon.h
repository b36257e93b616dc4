#pragma once

#include <QIcon>

namespace wareloom {

// Icon 128: the globe, 32 by 32 pixels (and 16 by 16 for small places).
QIcon applicationIcon();

} // namespace wareloom
