#pragma once

#include "core/cli/CommandLine.h"
#include "core/publish/Thumbnails.h"
#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace wareloom {

// What both programs make of the command line and the environment, the only
// place the environment is read, and the runs that show no window. wareloom
// runs those with QtCore and libcurl alone and hands the rest to
// wareloom-desktop, which also runs them when it is started itself.
class ProgramStart
{
public:
    // The command line as main() has it, before the application object.
    ProgramStart(int argc, char** argv);

    const CommandLineInfo& commandLine() const { return m_commandLine; }
    const DataDirectory& store() const { return m_store; }

    // A window, or the registration of the automation object.
    bool wantsDesktop() const;
    bool showsWindow() const;

    // The language of the texts; to be had before the application object.
    static QLocale messagesLocale();

    // The code page and the time-out the environment asks for; a code page
    // records cannot be kept in is refused.
    static Status applyEnvironment();

    // Runs what needs no window and returns its exit status; nothing when the
    // run is the desktop program's: a window, or thumbnails to make and no
    // makeThumbnail to make them.
    std::optional<int> runWithoutWindow(const ThumbnailMaker& makeThumbnail);

    // Why the program does not start, on standard error; exit status 2.
    static int refuse(const Status& why);

private:
    bool hasThumbnailsToMake() const;

    CommandLineInfo m_commandLine;
    DataDirectory m_store;
};

} // namespace wareloom
