#pragma once

// A private session bus for one test program: a dbus-daemon of its own that
// activates services from one directory only.
//
//     TestSessionBus bus;
//     QVERIFY2(bus.start(servicesDir, environment), qPrintable(bus.errorString()));
//     qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());

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

    // Starts the daemon and waits for its address. Programs it activates get
    // the environment given here.
    bool start(const QString& servicesDir, const QProcessEnvironment& environment)
    {
        const QString config = m_dir.filePath(QStringLiteral("session.conf"));
        QFile file(config);
        if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write the bus configuration"));
        file.write(QStringLiteral(
                       "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                       "1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>unix:dir=%1</listen>\n"
                       "  <servicedir>%2</servicedir>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n")
                       .arg(m_dir.path(), servicesDir)
                       .toUtf8());
        file.close();

        m_daemon.setProcessEnvironment(environment);
        m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
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

    // Abruptly, the daemon is killed: nobody hears of anyone leaving.
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
