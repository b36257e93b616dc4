#include "TestFtpServer.h"

#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

namespace wareloom::test {

bool writeSettingsFile(const SettingsFields& fields)
{
    QByteArray record;
    for (const QString& text :
         {fields.userName, fields.password, fields.ftpServer, fields.uploadPath, fields.httpServer})
        record += toCodePage(text, 199).leftJustified(200, '\0');
    QFile file(dataFilePath(QStringLiteral("FTPServer.ftp")));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(record) == record.size() && file.flush();
}

bool TestFtpServer::start()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("root/htdocs"))) {
        m_error = QStringLiteral("cannot make the server's directories");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Not the python3 on PATH: only Debian's own sees pyftpdlib.
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral(WARELOOM_FTP_SERVER_SCRIPT), "--root", rootDir(),
                                "--log", m_dir.filePath("commands.log"), "--user", user(),
                                "--password", password()} +
                        m_faultOptions);
    const QDeadlineTimer deadline(20000);
    while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning &&
           !deadline.hasExpired())
        m_process.waitForReadyRead(100);
    m_port = quint16(m_process.readLine().trimmed().toUInt());
    if (m_port == 0) {
        m_error = QStringLiteral("the FTP server did not start: %1").arg(m_process.errorString());
        stop();
    }
    return m_port != 0;
}

void TestFtpServer::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

SettingsFields TestFtpServer::settings(const QString& uploadPath) const
{
    return {user(), password(), address(), uploadPath,
            QStringLiteral("http://127.0.0.1/inventory.htm")};
}

QString TestFtpServer::localPath(const QString& remoteName) const
{
    return QDir::cleanPath(rootDir() + QLatin1Char('/') + remoteName);
}

QByteArray TestFtpServer::fileContents(const QString& remoteName) const
{
    QFile file(localPath(remoteName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TestFtpServer::commands() const
{
    QFile file(m_dir.filePath(QStringLiteral("commands.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool TestFtpServer::received(const QStringList& prefixes) const
{
    for (const QString& command : commands())
        for (const QString& prefix : prefixes)
            if (command.startsWith(prefix))
                return true;
    return false;
}

} // namespace wareloom::test
