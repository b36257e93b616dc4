#include "app/DesktopProgram.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace wareloom {

QString DesktopProgram::path()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QLatin1String(WARELOOM_DESKTOP_PROGRAM));
}

Status DesktopProgram::replaceThisProcess(char** argv)
{
    const QString program = path();
    const QByteArray programFile = QFile::encodeName(program);
    QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    std::vector<char*> arguments{self.data()};
    for (char** argument = argv + 1; *argument; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    std::fflush(nullptr);
    ::execv(programFile.constData(), arguments.data());
    return Status::failure(
        tr("The windows of Wareloom cannot be started: %1: %2")
            .arg(QDir::toNativeSeparators(program), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace wareloom
