#pragma once

#include "core/store/DataDirectory.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace wareloom::test {

struct SettingsFields
{
    QString userName, password, ftpServer, uploadPath, httpServer;
};

// Writes FTPServer.ftp into the data directory store by the rules: each
// field in the code page, padded with zeros to 200 bytes.
bool writeSettingsFile(const DataDirectory& store, const SettingsFields& fields);

// A real server for one test on a free port of 127.0.0.1, serving a
// directory with an empty "htdocs": ftp_server.py misbehaving as options ask
// ("--silent", "--stor-reply", "553:A.htm", ...), or, when they start with
// "ftpes" or "sftp", interop_server.py (vsftpd over TLS, or asyncssh SFTP).
class TestFtpServer
{
public:
    explicit TestFtpServer(QStringList options = {}) : m_options(std::move(options)) {}
    ~TestFtpServer() { stop(); }

    bool start(); // false when it does not come up: errorString() says why
    void stop();
    QString errorString() const { return m_error; }

    QString scheme() const; // "" (plain FTP), "ftpes" or "sftp"
    QString address() const;
    // The KnownHosts line that trusts the server's key.
    QString knownHostsLine() const { return QString("127.0.0.1:%1 %2").arg(m_port).arg(m_key); }
    // vsftpd: no system user
    QString user() const { return scheme() == "ftpes" ? "anonymous" : "wareloom"; }
    QString password() const { return QStringLiteral("secret"); }
    SettingsFields settings(const QString& uploadPath = QStringLiteral("/htdocs/")) const
    {
        return {user(), password(), address(), uploadPath, "http://127.0.0.1/inventory.htm"};
    }

    // The TLS server's certificate (PEM), self-signed.
    QString certificatePath() const { return m_dir.filePath("cert.pem"); }

    // "/" and the login directory; where a remote name lands, and its bytes.
    QString rootDir() const { return m_dir.filePath("root"); }
    QString localPath(const QString& remoteName) const;
    QByteArray fileContents(const QString& remoteName) const;

    // The commands received so far, as ftp_server.py logs them: "USER
    // wareloom", "PASS ******", "EPRT", "STOR /htdocs/x.htm TYPE=A", ...;
    // vsftpd's as sent ("AUTH TLS", "PASS x"); SFTP's logins ("login wareloom").
    QStringList commands() const;
    bool received(const QStringList& prefixes) const; // one starting so

private:
    QStringList m_options;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_key;
    QString m_error;
};

} // namespace wareloom::test
