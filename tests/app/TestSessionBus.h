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
    ~TestSessionBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(1000);
    }

    bool start(const QString& servicesDir, const QProcessEnvironment& environment)
    {
        const QString config = m_dir.filePath(QStringLiteral("session.conf"));
        QFile file(config);
        if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly))
            return (m_error = QStringLiteral("cannot write the bus configuration")).isEmpty();
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
                       {"--config-file=" + config, "--print-address", "--nofork"});
        const QDeadlineTimer deadline(5000);
        while (m_daemon.state() != QProcess::NotRunning && !m_daemon.canReadLine() &&
               !deadline.hasExpired())
            m_daemon.waitForReadyRead(int(deadline.remainingTime()));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_error = "dbus-daemon gives no address: " + m_daemon.errorString() + ' ' +
                  QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return !m_address.isEmpty();
    }

    QString address() const { return m_address; }
    QString errorString() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address, m_error;
};

} // namespace wareloom::test
