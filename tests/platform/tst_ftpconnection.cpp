#include "TestFtpServer.h"
#include "platform/FtpConnection.h"
#include "platform/Sockets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace wareloom;
using wareloom::test::TestFtpServer;

Q_DECLARE_METATYPE(wareloom::TransferType)

class TestFtpConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void storesUnderExactName_data();
    void storesUnderExactName();
    void refusesNameWithLineBreak_data();
    void refusesNameWithLineBreak();
    void missingLocalFileFails();
    void deletesExistingFile_data();
    void deletesExistingFile();
    void missingFileDeletionKeepsLogin();
    void usesActiveModeWhenServerConnectsBack();
    void fallsBackToPassive_data();
    void fallsBackToPassive();
    void acceptsServerField_data();
    void acceptsServerField();
    void failsWithoutUsableServer_data();
    void failsWithoutUsableServer();

private:
    QString localFile(const QByteArray& bytes);
    bool startAndOpen(TestFtpServer& server, FtpConnection& ftp);
    bool put(FtpConnection& ftp, const QByteArray& content, const QString& remoteName,
             TransferType type = TransferType::Ascii);

    QTemporaryDir m_local;
    int m_fileCount = 0;
};

void TestFtpConnection::initTestCase()
{
    QVERIFY(startSockets());
    QVERIFY(m_local.isValid());
    // A silent server must fail in seconds, not in half a minute.
    qputenv("WARELOOM_FTP_TIMEOUT", "2");
}

QString TestFtpConnection::localFile(const QByteArray& bytes)
{
    const QString path = m_local.filePath(QStringLiteral("local%1").arg(++m_fileCount));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool TestFtpConnection::startAndOpen(TestFtpServer& server, FtpConnection& ftp)
{
    if (!server.start()) {
        qWarning("%s", qPrintable(server.errorString()));
        return false;
    }
    ftp.open(server.address(), server.user(), server.password());
    return true;
}

// Uploads content as a local file; says why when it fails.
bool TestFtpConnection::put(FtpConnection& ftp, const QByteArray& content,
                            const QString& remoteName, TransferType type)
{
    if (ftp.putFile(localFile(content), remoteName, type))
        return true;
    qWarning("%s", qPrintable(ftp.lastError()));
    return false;
}

void TestFtpConnection::storesUnderExactName_data()
{
    QTest::addColumn<QString>("remoteName");
    QTest::addColumn<TransferType>("type");
    QTest::addColumn<QByteArray>("content");

    const QByteArray page = "<html><head><title>Stock</title></head><body>Tools</body></html>";
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    everyByte += "\r\n\n\r\r\n";

    QTest::newRow("page in a directory") << "/htdocs/inventory.htm" << TransferType::Ascii << page;
    QTest::newRow("page in the login directory") << "Tools.htm" << TransferType::Ascii << page;
    QTest::newRow("relative path") << "htdocs/Tools.htm" << TransferType::Ascii << page;
    QTest::newRow("picture with CR and LF bytes")
        << "/htdocs/A100.jpg" << TransferType::Binary << everyByte;
    QTest::newRow("empty file") << "/htdocs/empty.jpg" << TransferType::Binary << QByteArray();
    QTest::newRow("blanks") << "/htdocs/Garden tools  and more.htm" << TransferType::Ascii << page;
    QTest::newRow("ampersand") << "/htdocs/R&D.htm" << TransferType::Ascii << page;
    QTest::newRow("hash") << "/htdocs/No#1.htm" << TransferType::Ascii << page;
    QTest::newRow("percent") << "/htdocs/100%25 off%.htm" << TransferType::Ascii << page;
    QTest::newRow("question mark") << "/htdocs/why?x=1.htm" << TransferType::Ascii << page;
    QTest::newRow("semicolon and type") << "/htdocs/a;type=i.htm" << TransferType::Ascii << page;
    QTest::newRow("accented letter") << "/htdocs/Caf\u00e9.htm" << TransferType::Ascii << page;
    QTest::newRow("accented code") << "/htdocs/\u00e91.jpg" << TransferType::Binary << everyByte;
}

void TestFtpConnection::storesUnderExactName()
{
    QFETCH(QString, remoteName);
    QFETCH(TransferType, type);
    QFETCH(QByteArray, content);
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));

    QVERIFY(put(ftp, content, remoteName, type));

    QVERIFY2(QFileInfo(server.localPath(remoteName)).isFile(),
             qPrintable(server.commands().join('|')));
    QCOMPARE(server.fileContents(remoteName), content);
    const QString typeText =
        type == TransferType::Ascii ? QStringLiteral("A") : QStringLiteral("I");
    QVERIFY(
        server.commands().contains(QStringLiteral("STOR %1 TYPE=%2").arg(remoteName, typeText)));
}

void TestFtpConnection::refusesNameWithLineBreak_data()
{
    QTest::addColumn<QString>("remoteName");
    QTest::newRow("CR LF") << "/htdocs/x.htm\r\nDELE /htdocs/keep.htm";
    QTest::newRow("LF") << "/htdocs/x.htm\nDELE /htdocs/keep.htm";
    QTest::newRow("CR") << "/htdocs/x.htm\rDELE /htdocs/keep.htm";
}

void TestFtpConnection::refusesNameWithLineBreak()
{
    QFETCH(QString, remoteName);
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));
    QVERIFY(QFile(server.localPath("/htdocs/keep.htm")).open(QIODevice::WriteOnly));

    QVERIFY(!ftp.putFile(localFile("page"), remoteName, TransferType::Ascii));
    QVERIFY(!ftp.deleteFile(remoteName));
    QVERIFY(!server.received({"STOR", "DELE"}));
    QVERIFY(QFile::exists(server.localPath("/htdocs/keep.htm")));

    QVERIFY(put(ftp, "page", "/htdocs/x.htm"));
}

void TestFtpConnection::missingLocalFileFails()
{
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));

    QVERIFY(
        !ftp.putFile(m_local.filePath("no such file.htm"), "/htdocs/x.htm", TransferType::Ascii));
    QVERIFY(!ftp.putFile(m_local.path(), "/htdocs/x.htm", TransferType::Ascii)); // a directory
    QVERIFY(!server.received({"STOR"}));
    QVERIFY(!ftp.lastError().isEmpty());

    QVERIFY(put(ftp, "page", "/htdocs/x.htm"));
    QCOMPARE(server.fileContents("/htdocs/x.htm"), QByteArray("page"));
}

void TestFtpConnection::deletesExistingFile_data()
{
    QTest::addColumn<QString>("remoteName");
    QTest::newRow("in a directory") << "/htdocs/A100.jpg";
    QTest::newRow("in the login directory") << "Tools.htm";
    QTest::newRow("blanks, hash, percent, accent") << "/htdocs/my 100% #1 caf\u00e9.jpg";
}

void TestFtpConnection::deletesExistingFile()
{
    QFETCH(QString, remoteName);
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));
    QVERIFY(QFile(server.localPath(remoteName)).open(QIODevice::WriteOnly));

    QVERIFY2(ftp.deleteFile(remoteName), qPrintable(ftp.lastError()));

    QVERIFY(!QFile::exists(server.localPath(remoteName)));
    QVERIFY(server.commands().contains("DELE " + remoteName));
}

void TestFtpConnection::missingFileDeletionKeepsLogin()
{
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));

    QVERIFY(!ftp.deleteFile("/htdocs/gone.jpg"));
    QVERIFY(ftp.lastError().contains("550"));
    QVERIFY(put(ftp, "after", "/htdocs/after.htm"));
    QVERIFY2(ftp.deleteFile("/htdocs/after.htm"), qPrintable(ftp.lastError()));

    QVERIFY(!QFile::exists(server.localPath("/htdocs/after.htm")));
    QCOMPARE(server.commands().filter(QRegularExpression("^USER ")).size(), 1);
}

void TestFtpConnection::usesActiveModeWhenServerConnectsBack()
{
    TestFtpServer server;
    FtpConnection ftp;
    QVERIFY(startAndOpen(server, ftp));

    QVERIFY(put(ftp, "one", "/htdocs/one.htm"));
    QVERIFY(put(ftp, "two", "/htdocs/two.jpg", TransferType::Binary));

    QVERIFY(!ftp.isPassive());
    const QStringList commands = server.commands();
    QCOMPARE(commands.filter(QRegularExpression("^(EPRT|PORT)$")).size(), 2);
    QVERIFY(commands.filter(QRegularExpression("^(EPSV|PASV)$")).isEmpty());
    QCOMPARE(server.fileContents("/htdocs/two.jpg"), QByteArray("two"));
}

void TestFtpConnection::fallsBackToPassive_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("PORT and EPRT refused") << "--refuse-port";
    QTest::newRow("425 to the transfer") << "--reply-425";
    QTest::newRow("server never connects back") << "--no-connect-back";
}

void TestFtpConnection::fallsBackToPassive()
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
    QCOMPARE(modes.mid(firstPassive).filter(QRegularExpression("^(EPRT|PORT)$")).size(), 0);
    QCOMPARE(modes.mid(firstPassive).size(), 2);
}

void TestFtpConnection::acceptsServerField_data()
{
    QTest::addColumn<QString>("serverField"); // %1: the server's port
    QTest::newRow("address:port") << "127.0.0.1:%1";
    QTest::newRow("name:port") << "localhost:%1";
    QTest::newRow("blanks around") << "  127.0.0.1:%1 ";
}

void TestFtpConnection::acceptsServerField()
{
    QFETCH(QString, serverField);
    TestFtpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    FtpConnection ftp;
    ftp.open(serverField.arg(server.port()), server.user(), server.password());

    QVERIFY(put(ftp, "page", "/htdocs/x.htm"));
    QCOMPARE(server.fileContents("/htdocs/x.htm"), QByteArray("page"));
}

void TestFtpConnection::failsWithoutUsableServer_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("serverField"); // %1: the server's port
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("stopServer");

    const QString right = QStringLiteral("secret");
    QTest::newRow("wrong password") << QStringList() << "127.0.0.1:%1"
                                    << "wrong" << false;
    QTest::newRow("closed port") << QStringList() << "127.0.0.1:%1" << right << true;
    QTest::newRow("server never answers")
        << QStringList{"--silent"} << "127.0.0.1:%1" << right << false;
    QTest::newRow("empty server field") << QStringList() << "" << right << false;
    QTest::newRow("path in the server field")
        << QStringList() << "127.0.0.1:%1/htdocs" << right << false;
    QTest::newRow("port not a number") << QStringList() << "127.0.0.1:ftp" << right << false;
    QTest::newRow("line break in the password") << QStringList() << "127.0.0.1:%1"
                                                << "secret\r\nDELE keep.htm" << false;
}

void TestFtpConnection::failsWithoutUsableServer()
{
    QFETCH(QStringList, faults);
    QFETCH(QString, serverField);
    QFETCH(QString, password);
    QFETCH(bool, stopServer);
    TestFtpServer server(faults);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY(QFile(server.localPath("keep.htm")).open(QIODevice::WriteOnly));
    if (stopServer)
        server.stop();
    FtpConnection ftp;
    ftp.open(serverField.contains("%1") ? serverField.arg(server.port()) : serverField,
             server.user(), password);

    QVERIFY(!ftp.putFile(localFile("page"), "/htdocs/x.htm", TransferType::Ascii));
    QVERIFY(!ftp.lastError().isEmpty());
    QVERIFY(!ftp.deleteFile("keep.htm"));

    QVERIFY(!QFile::exists(server.localPath("/htdocs/x.htm")));
    QVERIFY(QFile::exists(server.localPath("keep.htm")));
    QVERIFY(!server.received({"STOR", "DELE"}));
}

QTEST_GUILESS_MAIN(TestFtpConnection)
#include "tst_ftpconnection.moc"
