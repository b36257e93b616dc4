#pragma once

#include <QString>

class QWidget;

namespace wareloom {

// Sends a file the user chose, byte for byte, to the upload path under
// fileName (settings already loaded). Meanwhile the window's title reads
// progressTitle; the result box, owned by the window with the caption
// "Wareloom", says successText or "FTP Error!", and once it is dismissed the
// title is "Wareloom". A chosen path longer than a name buffer holds is a
// failed upload, never a cut one; so is one that is not a regular file.
void uploadChosenFile(QWidget* window, const QString& chosenPath, const QString& fileName,
                      const QString& progressTitle, const QString& successText);

} // namespace wareloom
