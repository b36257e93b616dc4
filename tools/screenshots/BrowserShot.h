#pragma once

#include <QSize>
#include <QString>

namespace wareloom::screenshots {

// Renders a local HTML file with headless Chromium into a PNG of the given
// size, in a profile of its own that is thrown away afterwards. False (with
// the reason on standard error) when Chromium fails.
bool renderPage(const QString& chromium, const QString& htmlFile, const QString& pngPath,
                QSize windowSize);

} // namespace wareloom::screenshots
