#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace wareloom::test {

// The five fields of a settings file, in file order.
struct SettingsFields
{
    QString userName;
    QString password;
    QString ftpServer;
    QString uploadPath;
    QString httpServer;
};

// Writes FTPServer.ftp into the data directory (WARELOOM_DATA_DIR): each
// field converted to the code page and padded with zeros to 200 bytes.
bool writeSettingsFile(const SettingsFields& fields);

// A real FTP server for one test: tests/support/ftp_server.py on pyftpdlib,
// run by /usr/bin/python3 on a free port of 127.0.0.1. Its root directory
// holds an empty "htdocs" directory; its user may read, write and delete.
// The destructor stops it.
//
//     TestFtpServer server({"--refuse-port"});
//     QVERIFY2(server.start(), qPrintable(server.errorString()));
//     QVERIFY(writeSettingsFile(server.settings("/htdocs/")));
//     ... run the code under test ...
//     QCOMPARE(server.fileContents("/htdocs/inventory.htm"), expected);
//     QVERIFY(server.commands().contains("STOR /htdocs/inventory.htm TYPE=A"));
class TestFtpServer
{
public:
    // faultOptions: fault modes of ftp_server.py, e.g. "--refuse-port", "--silent".
    explicit TestFtpServer(QStringList faultOptions = {});
    ~TestFtpServer();
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    // Starts the server and waits until it listens; false when it does not
    // come up (errorString() says why).
    bool start();
    // Kills the server; its port is closed afterwards.
    void stop();
    QString errorString() const { return m_error; }

    quint16 port() const { return m_port; }
    // The FTP server field that reaches it: "127.0.0.1:<port>".
    QString address() const;
    QString user() const { return QStringLiteral("wareloom"); }
    QString password() const { return QStringLiteral("secret"); }
    // Settings that log in to this server, with the given upload path.
    SettingsFields settings(const QString& uploadPath = QStringLiteral("/htdocs/")) const;

    // The directory served as "/", which is also the login directory.
    QString rootDir() const;
    // Where a remote name ("/htdocs/x.htm", or "x.htm" in the login
    // directory) lands on disk.
    QString localPath(const QString& remoteName) const;
    // The stored bytes of a remote name; empty when there is no such file.
    QByteArray fileContents(const QString& remoteName) const;

    // Every command the server received so far, one entry per command:
    // "USER wareloom", "PASS ******", "EPRT" (PORT, EPRT, PASV and EPSV
    // without argument), "STOR /htdocs/x.htm TYPE=A" (the transfer type
    // after STOR), "DELE /htdocs/x.jpg", ...
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
