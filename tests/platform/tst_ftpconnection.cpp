#include "TestFtpServer.h"
#include "core/transfer/FtpConnection.h"
#include "core/transfer/Sockets.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace wareloom;
using wareloom::test::TestFtpServer;

Q_DECLARE_METATYPE(wareloom::TransferType)

class TestFtpConnection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_local;
    int m_fileCount = 0;
    std::unique_ptr<TestFtpServer> m_server; // shared where each row leaves it as it found it

    QString localFile(const QByteArray& bytes)
    {
        const QString path = m_local.filePath(QString::number(++m_fileCount));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Uploads content from a local file; says why when it fails.
    bool put(FtpConnection& ftp, const QByteArray& content, const QString& remoteName,
             TransferType type = TransferType::Ascii)
    {
        if (ftp.putFile(localFile(content), remoteName, type))
            return true;
        qWarning("%s", qPrintable(ftp.lastError()));
        return false;
    }

    static bool startAndOpen(TestFtpServer& server, FtpConnection& ftp)
    {
        if (!server.start()) {
            qWarning("%s", qPrintable(server.errorString()));
            return false;
        }
        ftp.open(server.address(), server.user(), server.password());
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        QVERIFY(m_local.isValid());
        qputenv("WARELOOM_FTP_TIMEOUT", "2"); // a silent server fails in seconds
        m_server = std::make_unique<TestFtpServer>();
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    void storesAndDeletesUnderExactName_data()
    {
        QTest::addColumn<QString>("remoteName");
        QTest::addColumn<TransferType>("type");
        QTest::addColumn<QByteArray>("content");
        const QByteArray page = "<html><head><title>Stock</title></head><body>Tools</body></html>";
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            everyByte += char(b);
        everyByte += "\r\n\n\r\r\n";
        const auto ascii = TransferType::Ascii;
        QTest::newRow("page in a directory") << "/htdocs/inventory.htm" << ascii << page;
        QTest::newRow("page in the login directory") << "Tools.htm" << ascii << page;
        QTest::newRow("relative path") << "htdocs/Tools.htm" << ascii << page;
        QTest::newRow("picture with CR and LF bytes")
            << "/htdocs/A100.jpg" << TransferType::Binary << everyByte;
        QTest::newRow("empty file") << "/htdocs/empty.jpg" << TransferType::Binary << QByteArray();
        QTest::newRow("blanks") << "/htdocs/Garden tools  and more.htm" << ascii << page;
        QTest::newRow("ampersand, hash") << "/htdocs/R&D No#1.htm" << ascii << page;
        QTest::newRow("percent") << "/htdocs/100%25 off%.htm" << ascii << page;
        QTest::newRow("question mark") << "/htdocs/why?x=1.htm" << ascii << page;
        QTest::newRow("semicolon and type") << "/htdocs/a;type=i.htm" << ascii << page;
        QTest::newRow("accented letter") << "/htdocs/Caf\u00e9.htm" << ascii << page;
        QTest::newRow("accented code")
            << "/htdocs/\u00e91.jpg" << TransferType::Binary << everyByte;
    }

    // Active mode with a server that connects back. A failed deletion keeps
    // the login: the later transfers need no second one.
    void storesAndDeletesUnderExactName()
    {
        QFETCH(QString, remoteName);
        QFETCH(TransferType, type);
        QFETCH(QByteArray, content);
        FtpConnection ftp;
        ftp.open(m_server->address(), m_server->user(), m_server->password());
        const auto logins = [&] { return m_server->commands().filter("USER ").size(); };
        const qsizetype loginsBefore = logins();

        QVERIFY(put(ftp, content, remoteName, type));
        QVERIFY2(QFileInfo(m_server->localPath(remoteName)).isFile(),
                 qPrintable(m_server->commands().join('|')));
        QCOMPARE(m_server->fileContents(remoteName), content);
        const QString typeText = type == TransferType::Ascii ? "A" : "I";
        QVERIFY(
            m_server->commands().contains(QString("STOR %1 TYPE=%2").arg(remoteName, typeText)));
        QVERIFY(!ftp.isPassive());
        QVERIFY(m_server->received({"EPRT", "PORT"}) && !m_server->received({"EPSV", "PASV"}));

        QVERIFY2(ftp.deleteFile(remoteName), qPrintable(ftp.lastError()));
        QVERIFY(!QFile::exists(m_server->localPath(remoteName)));
        QVERIFY(m_server->commands().contains("DELE " + remoteName));
        QVERIFY(!ftp.deleteFile(remoteName));
        QVERIFY(ftp.lastError().contains("550"));
        QVERIFY(put(ftp, content, remoteName, type));
        QVERIFY2(ftp.deleteFile(remoteName), qPrintable(ftp.lastError()));
        QCOMPARE(logins(), loginsBefore + 1);
    }

    // A line break in the name, or no readable local file: nothing is sent.
    void refusesWithoutSending()
    {
        TestFtpServer server;
        FtpConnection ftp;
        QVERIFY(startAndOpen(server, ftp));
        QVERIFY(QFile(server.localPath("/htdocs/keep.htm")).open(QIODevice::WriteOnly));
        for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
            const QString name = QString("/htdocs/x.htm%1DELE /htdocs/keep.htm").arg(lineBreak);
            QVERIFY(!ftp.putFile(localFile("page"), name, TransferType::Ascii));
            QVERIFY(!ftp.deleteFile(name));
        }
        QVERIFY(
            !ftp.putFile(m_local.filePath("no such file"), "/htdocs/x.htm", TransferType::Ascii));
        QVERIFY(!ftp.putFile(m_local.path(), "/htdocs/x.htm", TransferType::Ascii)); // a directory
        QVERIFY(!ftp.lastError().isEmpty());
        QVERIFY(!server.received({"STOR", "DELE"}));
        QVERIFY(QFile::exists(server.localPath("/htdocs/keep.htm")));

        QVERIFY(put(ftp, "page", "/htdocs/x.htm"));
        QCOMPARE(server.fileContents("/htdocs/x.htm"), QByteArray("page"));
    }

    void fallsBackToPassive_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("PORT and EPRT refused") << "--refuse-port";
        QTest::newRow("425 to the transfer") << "--reply-425";
        QTest::newRow("server never connects back") << "--no-connect-back";
    }
    void fallsBackToPassive()
    {
        QFETCH(QString, fault);
        TestFtpServer server({fault});
        FtpConnection ftp;
        QVERIFY(startAndOpen(server, ftp));
        QVERIFY(QFile(server.localPath("/htdocs/old.jpg")).open(QIODevice::WriteOnly));

        QVERIFY(put(ftp, "first", "/htdocs/first.htm"));
        QVERIFY(ftp.isPassive());
        QVERIFY2(ftp.deleteFile("/htdocs/old.jpg"), qPrintable(ftp.lastError()));
        QVERIFY(put(ftp, "second", "/htdocs/second.jpg", TransferType::Binary));

        QCOMPARE(server.fileContents("/htdocs/first.htm"), QByteArray("first"));
        QCOMPARE(server.fileContents("/htdocs/second.jpg"), QByteArray("second"));
        QVERIFY(!QFile::exists(server.localPath("/htdocs/old.jpg")));
        // Active once, then passive for every later transfer.
        const QStringList modes =
            server.commands().filter(QRegularExpression("^(EPRT|PORT|EPSV|PASV)$"));
        const qsizetype firstPassive = modes.indexOf(QRegularExpression("^(EPSV|PASV)$"));
        QVERIFY2(firstPassive > 0, qPrintable(modes.join(' ')));
        const QStringList later = modes.mid(firstPassive);
        QCOMPARE(later.filter(QRegularExpression("^(EPSV|PASV)$")).size(), 2);
        QCOMPARE(later.size(), 2);
    }

    void serverField_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("serverField"); // %1: the server's port
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("stopServer");
        QTest::addColumn<bool>("works");
        const QStringList none;
        QTest::newRow("address:port") << none << "127.0.0.1:%1"
                                      << "secret" << false << true;
        QTest::newRow("name:port") << none << "localhost:%1"
                                   << "secret" << false << true;
        QTest::newRow("blanks around") << none << "  127.0.0.1:%1 "
                                       << "secret" << false << true;
        QTest::newRow("wrong password") << none << "127.0.0.1:%1"
                                        << "wrong" << false << false;
        QTest::newRow("closed port") << none << "127.0.0.1:%1"
                                     << "secret" << true << false;
        QTest::newRow("empty server field") << none << ""
                                            << "secret" << false << false;
        QTest::newRow("path in the server field") << none << "127.0.0.1:%1/htdocs"
                                                  << "secret" << false << false;
        QTest::newRow("port not a number") << none << "127.0.0.1:ftp"
                                           << "secret" << false << false;
        QTest::newRow("line break in the password") << none << "127.0.0.1:%1"
                                                    << "secret\r\nDELE keep.htm" << false << false;
    }
    void serverField()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, serverField);
        QFETCH(QString, password);
        QFETCH(bool, stopServer);
        QFETCH(bool, works);
        TestFtpServer server(faults);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(QFile(server.localPath("keep.htm")).open(QIODevice::WriteOnly));
        if (stopServer)
            server.stop();
        FtpConnection ftp;
        ftp.open(serverField.contains("%1") ? serverField.arg(server.port()) : serverField,
                 server.user(), password);

        QCOMPARE(ftp.putFile(localFile("page"), "/htdocs/x.htm", TransferType::Ascii), works);
        QCOMPARE(server.fileContents("/htdocs/x.htm"), works ? QByteArray("page") : QByteArray());
        if (works)
            return;
        QVERIFY(!ftp.lastError().isEmpty());
        QVERIFY(!ftp.deleteFile("keep.htm"));
        QVERIFY(QFile::exists(server.localPath("keep.htm")));
        QVERIFY(!server.received({"STOR", "DELE"}));
    }
};

QTEST_GUILESS_MAIN(TestFtpConnection)
#include "tst_ftpconnection.moc"
