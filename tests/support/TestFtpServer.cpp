#include "TestFtpServer.h"

#include "core/util/TextConversion.h"
#include "core/store/CategoryStore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace wareloom::test {
namespace {

constexpr int FieldSize = 200;
constexpr int StartSeconds = 20;

QByteArray field(const QString& text)
{
    QByteArray bytes = toCodePage(text, FieldSize - 1);
    bytes.append(FieldSize - bytes.size(), '\0');
    return bytes;
}

} // namespace

bool writeSettingsFile(const SettingsFields& fields)
{
    QFile file(dataFilePath(QStringLiteral("FTPServer.ftp")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray record = field(fields.userName) + field(fields.password) +
                              field(fields.ftpServer) + field(fields.uploadPath) +
                              field(fields.httpServer);
    return file.write(record) == record.size() && file.flush();
}

TestFtpServer::TestFtpServer(QStringList faultOptions) : m_faultOptions(std::move(faultOptions))
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

TestFtpServer::~TestFtpServer()
{
    stop();
}

bool TestFtpServer::start()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("root/htdocs"))) {
        m_error = QStringLiteral("cannot make the server's directories");
        return false;
    }
    const QStringList arguments = QStringList{QStringLiteral(WARELOOM_FTP_SERVER_SCRIPT),
                                              QStringLiteral("--root"),
                                              rootDir(),
                                              QStringLiteral("--log"),
                                              m_dir.filePath(QStringLiteral("commands.log")),
                                              QStringLiteral("--user"),
                                              user(),
                                              QStringLiteral("--password"),
                                              password()} +
                                  m_faultOptions;
    // Not the python3 on PATH: only Debian's own sees pyftpdlib.
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    const QDeadlineTimer deadline(StartSeconds * 1000);
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_error =
                QStringLiteral("the FTP server did not start: %1").arg(m_process.errorString());
            stop();
            return false;
        }
        m_process.waitForReadyRead(100);
    }
    bool ok = false;
    m_port = quint16(m_process.readLine().trimmed().toUInt(&ok));
    if (!ok || m_port == 0) {
        m_error = QStringLiteral("the FTP server did not tell its port");
        stop();
        return false;
    }
    return true;
}

void TestFtpServer::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString TestFtpServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

SettingsFields TestFtpServer::settings(const QString& uploadPath) const
{
    return {user(), password(), address(), uploadPath,
            QStringLiteral("http://127.0.0.1/inventory.htm")};
}

QString TestFtpServer::rootDir() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString TestFtpServer::localPath(const QString& remoteName) const
{
    QString relative = remoteName;
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    return rootDir() + QLatin1Char('/') + relative;
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
    const QStringList all = commands();
    return std::any_of(all.begin(), all.end(), [&](const QString& command) {
        return std::any_of(prefixes.begin(), prefixes.end(),
                           [&](const QString& prefix) { return command.startsWith(prefix); });
    });
}

} // namespace wareloom::test
