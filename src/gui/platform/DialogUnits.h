#pragma once

#include "gui/platform/DialogTemplate.h"

#include <QFont>
#include <QRect>

namespace wareloom {

// The dialog's base units, taken from its font the way Windows takes them:
// the average width of the 52 Latin letters and the font's height.
// x pixels = units * baseX / 4, y pixels = units * baseY / 8.
struct DialogUnits
{
    int baseX = 0;
    int baseY = 0;

    static DialogUnits forFont(const QFont& font);

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    // Maps the edges, so that controls that touch in units touch in pixels.
    QRect toPixels(const DialogRect& rect) const;
    QSize toPixels(const QSize& size) const;
};

// The font of a dialog template, as the dialog and its controls use it.
QFont dialogFont(const DialogTemplate& dialog);

} // namespace wareloom
