#pragma once

#include <QProcess>
#include <QProcessEnvironment>

namespace wareloom::test {

inline QString wareloomBinary()
{
    return QStringLiteral(WARELOOM_BINARY);
}

// The program of the windows, which wareloom finds at the same place
// relative to itself.
inline QString desktopBinary()
{
    return QStringLiteral(WARELOOM_DESKTOP_BINARY);
}

// The test's environment, with the offscreen platform or without any display.
inline QProcessEnvironment programEnvironment(bool display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

struct ProgramRun
{
    bool finished; // within the time allowed
    int exitCode;
    QByteArray out, err;
};

// Runs the program without a display to its end, which must come within ten
// seconds; killed (by QProcess going away) otherwise.
inline ProgramRun runWareloom(const QStringList& arguments,
                              const QString& program = wareloomBinary(),
                              const QProcessEnvironment& environment = programEnvironment(false))
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished =
        process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
    return {finished, process.exitCode(), process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace wareloom::test
