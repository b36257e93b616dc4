#pragma once

// Runs the real wareloom binary of this build (WARELOOM_BINARY).

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace wareloom::test {

inline QString wareloomBinary()
{
    return QStringLiteral(WARELOOM_BINARY);
}

// The test's environment, with the offscreen platform or without any display.
inline QProcessEnvironment programEnvironment(bool display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    else
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return environment;
}

struct ProgramRun
{
    bool finished = false; // within the time allowed
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end, which must come within timeoutMs; killed otherwise.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             bool display = false, int timeoutMs = 10000)
{
    QProcess process;
    process.setProcessEnvironment(programEnvironment(display));
    process.start(program, arguments);
    ProgramRun run;
    run.finished =
        process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

inline ProgramRun runWareloom(const QStringList& arguments, bool display = false)
{
    return runProgram(wareloomBinary(), arguments, display);
}

} // namespace wareloom::test
