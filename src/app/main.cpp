#include "app/DesktopProgram.h"
#include "app/ProgramStart.h"
#include "core/util/Translations.h"

#include <QCoreApplication>

using namespace wareloom;

// The program users start. What shows no window runs here, on QtCore and
// libcurl alone: a script's -Generate or -Publish does not wait for Widgets,
// Gui and DBus to load. A window, the automation registration, and
// thumbnails to make (images need QtGui) are the desktop program's.
int main(int argc, char** argv)
{
    ProgramStart start(argc, argv);
    const QCoreApplication application(argc, argv);
    const Translations translations(ProgramStart::messagesLocale());
    if (const std::optional<int> ended = start.runWithoutWindow({}))
        return *ended;
    return ProgramStart::refuse(DesktopProgram::replaceThisProcess(argv));
}
