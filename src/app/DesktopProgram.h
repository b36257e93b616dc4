#pragma once

#include "core/util/Status.h"

#include <QCoreApplication>
#include <QString>

namespace wareloom {

// wareloom-desktop, the program of the windows, where the build and the
// install put it: at the same place relative to this program.
class DesktopProgram
{
    Q_DECLARE_TR_FUNCTIONS(DesktopProgram)

public:
    // Becomes that program, with the same arguments and environment, and this
    // program's path as its first argument: the program the automation
    // registration names is the one the user starts. Returns only when it
    // cannot, with why.
    static Status replaceThisProcess(char** argv);

private:
    static QString path();
};

} // namespace wareloom
