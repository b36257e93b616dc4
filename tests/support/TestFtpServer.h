#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace wareloom::test {

// The five fields of a settings file, in file order.
struct SettingsFields
{
    QString userName, password, ftpServer, uploadPath, httpServer;
};

// Writes FTPServer.ftp into the data directory (WARELOOM_DATA_DIR) by the
// rules: each field in the code page, padded with zeros to 200 bytes.
bool writeSettingsFile(const SettingsFields& fields);

// A real FTP server for one test: ftp_server.py on a free port of 127.0.0.1,
// serving a directory that holds an empty "htdocs". faultOptions are its
// fault modes ("--silent", "--stor-reply", "553:A.htm", ...). Stopped by the
// destructor.
class TestFtpServer
{
public:
    explicit TestFtpServer(QStringList faultOptions = {}) : m_faultOptions(std::move(faultOptions))
    {}
    ~TestFtpServer() { stop(); }
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    // False when it does not come up; errorString() says why.
    bool start();
    void stop();
    QString errorString() const { return m_error; }

    quint16 port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString user() const { return QStringLiteral("wareloom"); }
    QString password() const { return QStringLiteral("secret"); }
    // Settings that log in here, with the given upload path.
    SettingsFields settings(const QString& uploadPath = QStringLiteral("/htdocs/")) const;

    // The directory served as "/" (also the login directory), where a remote
    // name lands on disk, and the bytes stored under it (empty when none).
    QString rootDir() const { return m_dir.filePath(QStringLiteral("root")); }
    QString localPath(const QString& remoteName) const;
    QByteArray fileContents(const QString& remoteName) const;

    // Every command received so far, as ftp_server.py logs them:
    // "USER wareloom", "PASS ******", "EPRT", "STOR /htdocs/x.htm TYPE=A", ...
    QStringList commands() const;
    // True when a command starting with one of the prefixes was received.
    bool received(const QStringList& prefixes) const;

private:
    QStringList m_faultOptions;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace wareloom::test
