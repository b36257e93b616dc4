#include "gui/platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace wareloom {

void shellOpen(const QString& text)
{
    QDesktopServices::openUrl(QUrl(text));
}

} // namespace wareloom
