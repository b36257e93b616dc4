#pragma once

#include <QSettings>

class QWidget;

namespace wareloom {

// How the main window was when it last closed: its place and size, and the
// category it showed in which data directory. Kept in the user's settings,
// $XDG_CONFIG_HOME/wareloom/wareloom.ini (~/.config when unset), never in the
// data directory, which may be shared or copied as a backup.
class WindowMemory
{
public:
    WindowMemory();

    void remember(const QWidget& window, const QString& dataDirectory, const QString& openCategory);

    // Puts the window where it was, moved onto a screen that still exists
    // when its monitor has gone. False when nothing is remembered.
    bool restoreGeometry(QWidget& window) const;

    // The category that was open in this data directory, or an empty text
    // for the category list.
    QString openCategory(const QString& dataDirectory) const;

private:
    QSettings m_settings;
};

} // namespace wareloom
