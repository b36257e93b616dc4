#pragma once

// A private session bus: a dbus-daemon of its own that activates services
// from one directory only, giving the programs it starts the environment.

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace wareloom::test {

class TestSessionBus
{
public:
    TestSessionBus() = default;
    ~TestSessionBus() { stop(); }
    TestSessionBus(const TestSessionBus&) = delete;
    TestSessionBus& operator=(const TestSessionBus&) = delete;

    bool start(const QString& servicesDir, const QProcessEnvironment& environment)
    {
        const QString config = m_dir.filePath(QStringLiteral("session.conf"));
        QFile file(config);
        if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write the bus configuration"));
        file.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                  "<servicedir>%2</servicedir><policy context=\"default\">"
                                  "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                  "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                  "</busconfig>\n")
                       .arg(m_dir.path(), servicesDir)
                       .toUtf8());
        file.close();
        m_daemon.setProcessEnvironment(environment);
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config,
                        QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        if (!m_daemon.waitForStarted(5000))
            return fail(QStringLiteral("dbus-daemon does not start: ") + m_daemon.errorString());
        const QDeadlineTimer deadline(5000);
        while (!m_daemon.canReadLine() && !deadline.hasExpired() &&
               m_daemon.state() == QProcess::Running)
            m_daemon.waitForReadyRead(int(deadline.remainingTime()));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        if (m_address.isEmpty())
            return fail(QStringLiteral("dbus-daemon gives no address: ") +
                        QString::fromLocal8Bit(m_daemon.readAllStandardError()));
        return true;
    }

    // Abruptly: killed, so nobody hears of anyone leaving.
    void stop(bool abruptly = false)
    {
        if (m_daemon.state() == QProcess::NotRunning)
            return;
        if (!abruptly)
            m_daemon.terminate();
        if (abruptly || !m_daemon.waitForFinished(3000))
            m_daemon.kill();
        m_daemon.waitForFinished(1000);
    }

    QString address() const { return m_address; }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why)
    {
        m_error = why;
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};

} // namespace wareloom::test
