#pragma once

#include <QRectF>

class QPainter;

namespace wareloom {

// The program's globe, the same as the desktop icon: a blue ball with white
// meridians and parallels, drawn to fill the square bounds.
void drawGlobe(QPainter& painter, const QRectF& bounds);

} // namespace wareloom
