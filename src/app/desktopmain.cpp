#include "app/ProgramStart.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/Translations.h"
#include "gui/Application.h"
#include "gui/platform/MessageBox.h"
#include "images/Thumbnail.h"

#include <QApplication>

#include <memory>

using namespace wareloom;

// The windows. wareloom starts this program for them; started itself, it
// also runs everything wareloom does.
int main(int argc, char** argv)
{
    ProgramStart start(argc, argv);
    const bool window = start.showsWindow();
    // The one application object, made before any text is said so that the
    // texts can be translated.
    const std::unique_ptr<QCoreApplication> application =
        window ? std::make_unique<QApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    // Named as the program users start, whatever this file is called.
    QCoreApplication::setApplicationName(QStringLiteral("wareloom"));
    const Translations translations(ProgramStart::messagesLocale());
    if (const std::optional<int> ended = start.runWithoutWindow(makeThumbnail))
        return *ended;
    // Said once, in a window when the run would have shown one.
    if (const Status environment = ProgramStart::applyEnvironment(); !environment) {
        if (!window)
            return ProgramStart::refuse(environment);
        messageBox(nullptr, environment.message(), applicationTitle());
        return 2;
    }
    if (window)
        QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wareloom.Wareloom"));
    Application program(QCoreApplication::arguments(), start.store());
    return program.run();
}
