#include "TestFtpServer.h"

#include "TestFiles.h"
#include "core/store/DataDirectory.h"
#include "core/util/TextConversion.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace wareloom::test {

bool writeSettingsFile(const DataDirectory& store, const SettingsFields& fields)
{
    QByteArray record;
    for (const QString& text :
         {fields.userName, fields.password, fields.ftpServer, fields.uploadPath, fields.httpServer})
        record += toCodePage(text, 199).leftJustified(200, '\0');
    QFile file(store.filePath(QStringLiteral("FTPServer.ftp")));
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
    // Not the python3 on PATH: only Debian's own sees pyftpdlib and asyncssh.
    // "ftpes" is vsftpd ("--no-tls": without TLS, refusing AUTH TLS), "sftp" asyncssh.
    const QStringList secure{scheme() == "sftp" ? "asyncssh" : "vsftpd",
                             scheme() == "sftp"               ? "sftp"
                             : m_options.contains("--no-tls") ? "ftp"
                                                              : "ftpes"};
    m_process.start("/usr/bin/python3",
                    QStringList{"-W", "ignore",
                                scheme().isEmpty() ? WARELOOM_FTP_SERVER_SCRIPT
                                                   : WARELOOM_INTEROP_SERVER_SCRIPT} +
                        (scheme().isEmpty() ? m_options : secure) +
                        QStringList{"--root", rootDir(), "--log", m_dir.filePath("commands.log"),
                                    "--user", user(), "--password", password(), "--dir",
                                    m_dir.path()});
    const QDeadlineTimer deadline(20000);
    while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning &&
           !deadline.hasExpired())
        m_process.waitForReadyRead(100);
    const QStringList said = QString::fromUtf8(m_process.readLine()).split(' ');
    m_port = quint16(said[0].trimmed().toUInt());
    m_key = said.value(1).trimmed();
    if (m_port == 0) {
        m_error = QStringLiteral("the FTP server did not start: %1").arg(m_process.errorString());
        stop();
    }
    return m_port != 0;
}

void TestFtpServer::stop()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString TestFtpServer::scheme() const
{
    const QString first = m_options.value(0);
    return first == "ftpes" || first == "sftp" ? first : QString();
}

QString TestFtpServer::address() const
{
    return (scheme().isEmpty() ? "" : scheme() + "://") +
           QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString TestFtpServer::localPath(const QString& remoteName) const
{
    return QDir::cleanPath(rootDir() + QLatin1Char('/') + remoteName);
}

QByteArray TestFtpServer::fileContents(const QString& remoteName) const
{
    return readFile(localPath(remoteName));
}

QStringList TestFtpServer::commands() const
{
    QStringList lines =
        QString::fromUtf8(readFile(m_dir.filePath("commands.log"))).split('\n', Qt::SkipEmptyParts);
    if (scheme() == "ftpes") // ... FTP command: Client "127.0.0.1", "AUTH TLS"
        lines = lines.filter("FTP command:").replaceInStrings(QRegularExpression(".*, \"|\"$"), "");
    return lines;
}

bool TestFtpServer::received(const QStringList& prefixes) const
{
    const QStringList all = commands();
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& prefix) {
        return std::any_of(all.begin(), all.end(), [&](auto& c) { return c.startsWith(prefix); });
    });
}

} // namespace wareloom::test
