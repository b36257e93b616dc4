#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace wareloom::test {

struct SettingsFields
{
    QString userName, password, ftpServer, uploadPath, httpServer;
};

// Writes FTPServer.ftp into the data directory by the rules: each field in
// the code page, padded with zeros to 200 bytes.
bool writeSettingsFile(const SettingsFields& fields);

// A real FTP server for one test: ftp_server.py on a free port of 127.0.0.1,
// serving a directory with an empty "htdocs", misbehaving as faultOptions
// ask ("--silent", "--stor-reply", "553:A.htm", ...).
class TestFtpServer
{
public:
    explicit TestFtpServer(QStringList faultOptions = {}) : m_faultOptions(std::move(faultOptions))
    {}
    ~TestFtpServer() { stop(); }

    bool start(); // false when it does not come up: errorString() says why
    void stop();
    QString errorString() const { return m_error; }

    quint16 port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString user() const { return QStringLiteral("wareloom"); }
    QString password() const { return QStringLiteral("secret"); }
    SettingsFields settings(const QString& uploadPath = QStringLiteral("/htdocs/")) const;

    // "/" and the login directory; where a remote name lands, and its bytes.
    QString rootDir() const { return m_dir.filePath(QStringLiteral("root")); }
    QString localPath(const QString& remoteName) const;
    QByteArray fileContents(const QString& remoteName) const;

    // The commands received so far, as ftp_server.py logs them:
    // "USER wareloom", "PASS ******", "EPRT", "STOR /htdocs/x.htm TYPE=A", ...
    QStringList commands() const;
    bool received(const QStringList& prefixes) const; // one starting so

private:
    QStringList m_faultOptions;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace wareloom::test
