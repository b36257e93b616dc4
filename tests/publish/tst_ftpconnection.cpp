#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/Sockets.h"

#include <QElapsedTimer>
#include <QTest>

#include <thread>

using namespace wareloom;

// Transfers against a real FTP server: what goes over the wire, and every way
// a host fails us.
class TestFtpConnection : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QByteArray m_picture = QByteArray("\x89PNG\r\n\x1a\n\0\x01\r\n", 12);
    const QString m_photo = m_data.filePath("photo.png");
    const QString m_large = m_data.filePath("large.jpg"); // 4 MiB

    // Logged in to server: started, its settings written and loaded.
    bool open(test::TestFtpServer& server, FtpConnection& connection, FtpSettings& settings)
    {
        if (!server.start() || !test::writeSettingsFile(server.settings()) || !settings.load())
            return false;
        openFtpConnection(connection, settings);
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        QVERIFY(test::writeFile(m_photo, m_picture) &&
                test::writeFile(m_large, QByteArray(4 << 20, 'L')));
    }
    void init() { qputenv("WARELOOM_FTP_TIMEOUT", "1"); }

    // Each operation logs in, sends its one command with the name as given
    // (no CWD, nothing made) and says why when the server refuses.
    void uploadAndDeleteOnTheirOwn()
    {
        test::TestFtpServer server;
        FtpConnection unused;
        FtpSettings settings;
        QVERIFY(open(server, unused, settings));
        QVERIFY(uploadToHost(settings, m_photo, "A1.jpg", TransferType::Binary).ok());
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), m_picture); // CR LF and all
        QVERIFY(deleteFromHost(settings, "A1.jpg").ok());
        const Status again = deleteFromHost(settings, "A1.jpg");
        QCOMPARE(again.message(), QStringLiteral("DELE /htdocs/A1.jpg: the server answered 550"));
        QStringList sequence =
            server.commands().filter(QRegularExpression("^(USER|PASS|STOR|DELE|CWD|MKD)"));
        QCOMPARE(sequence,
                 QStringList({"USER wareloom", "PASS ******", "STOR /htdocs/A1.jpg TYPE=I",
                              "USER wareloom", "PASS ******", "DELE /htdocs/A1.jpg",
                              "USER wareloom", "PASS ******", "DELE /htdocs/A1.jpg"}));
    }

    // Whatever URL syntax a name holds; a line break (which would end the
    // command early) is refused unsent. One login throughout.
    void sendsExactNames()
    {
        test::TestFtpServer server;
        FtpConnection connection;
        FtpSettings settings;
        QVERIFY(open(server, connection, settings));
        for (const QString name :
             {"Tools.htm", "htdocs/T.htm", "/htdocs/Garden  tools.htm", "/htdocs/R&D No#1.htm",
              "/htdocs/100%25 off%.htm", "/htdocs/why?x=1.htm", "/htdocs/a;type=i.htm",
              "/htdocs/Caf\u00e9.htm"}) {
            QVERIFY2(connection.putFile(m_photo, name, TransferType::Ascii),
                     qPrintable(connection.lastError()));
            QCOMPARE(server.fileContents(name), m_picture);
            QVERIFY2(connection.deleteFile(name), qPrintable(connection.lastError()));
            QVERIFY(!QFile::exists(server.localPath(name)));
        }
        for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
            const QString name = QString("/htdocs/x.htm%1DELE /htdocs/keep.htm").arg(lineBreak);
            QVERIFY(!connection.putFile(m_photo, name, TransferType::Ascii));
            QVERIFY(!connection.deleteFile(name));
        }
        QVERIFY(!connection.putFile(m_data.filePath("none"), "/htdocs/x.htm", TransferType::Ascii));
        QCOMPARE(server.commands().filter(QRegularExpression("^(USER|STOR|DELE)")).size(), 17);
    }

    void serverField_data()
    {
        QTest::addColumn<QString>("serverField"); // %1: the server's port
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("works");
        QTest::newRow("address:port") << "127.0.0.1:%1"
                                      << "secret" << true;
        QTest::newRow("name:port, blanks around") << "  localhost:%1 "
                                                  << "secret" << true;
        QTest::newRow("wrong password") << "127.0.0.1:%1"
                                        << "wrong" << false;
        QTest::newRow("empty") << ""
                               << "secret" << false;
        QTest::newRow("path in it") << "127.0.0.1:%1/htdocs"
                                    << "secret" << false;
        QTest::newRow("port not a number") << "127.0.0.1:ftp"
                                           << "secret" << false;
        QTest::newRow("line break in the password") << "127.0.0.1:%1"
                                                    << "secret\r\nDELE k" << false;
    }
    void serverField()
    {
        QFETCH(QString, serverField);
        QFETCH(QString, password);
        QFETCH(bool, works);
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        connection.open(serverField.arg(server.port()), server.user(), password);
        QCOMPARE(connection.putFile(m_photo, "/htdocs/x.htm", TransferType::Ascii), works);
        QVERIFY(works || (!connection.lastError().isEmpty() && !server.received({"STOR"})));
    }

    // Active first; the first refusal makes the rest of the connection passive.
    void activeModeFallsBackToPassive_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("PORT refused") << "--refuse-port";
        QTest::newRow("425") << "--reply-425";
        QTest::newRow("no connect-back") << "--no-connect-back";
    }
    void activeModeFallsBackToPassive()
    {
        QFETCH(QString, fault);
        test::TestFtpServer server({fault});
        FtpConnection connection;
        FtpSettings settings;
        QVERIFY(open(server, connection, settings));
        for (const char* remote : {"/htdocs/a.png", "/htdocs/b.png"})
            QVERIFY2(connection.putFile(m_photo, remote, TransferType::Binary),
                     qPrintable(connection.lastError()));
        QVERIFY(connection.isPassive());
        QCOMPARE(server.fileContents("/htdocs/b.png"), m_picture);
        const QStringList modes =
            server.commands().filter(QRegularExpression("^(EPRT|PORT|EPSV|PASV)$"));
        const qsizetype firstPassive = modes.indexOf(QRegularExpression("^(EPSV|PASV)$"));
        QVERIFY2(firstPassive > 0, qPrintable(modes.join(' ')));
        QCOMPARE(modes.mid(firstPassive), QStringList(2, modes[firstPassive]));
    }

    // Reported with the command and the reason, well within the hang bound;
    // the host does not hold the file whole (or still holds it).
    void faultIsReportedInBoundedTime_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<bool>("deleting");
        QTest::newRow("STOR 451") << QStringList{"--stor-reply", "451"} << false;
        QTest::newRow("STOR 553") << QStringList{"--stor-reply", "553"} << false;
        QTest::newRow("dropped during STOR") << QStringList{"--drop-stor", "/"} << false;
        QTest::newRow("a byte a second") << QStringList{"--slow-read", "1"} << false;
        QTest::newRow("never answers an upload") << QStringList{"--silent"} << false;
        QTest::newRow("DELE 450") << QStringList{"--dele-reply", "450"} << true;
        QTest::newRow("DELE 550") << QStringList{"--dele-reply", "550"} << true;
        QTest::newRow("never answers a delete") << QStringList{"--silent"} << true;
    }
    void faultIsReportedInBoundedTime()
    {
        QFETCH(QStringList, fault);
        QFETCH(bool, deleting);
        test::TestFtpServer server(fault);
        FtpConnection unused;
        FtpSettings settings;
        QVERIFY(open(server, unused, settings));
        QVERIFY(test::writeFile(server.localPath("/htdocs/A1.jpg"), "old"));
        QElapsedTimer clock;
        clock.start();
        const Status done = deleting
                                ? deleteFromHost(settings, "A1.jpg")
                                : uploadToHost(settings, m_large, "A1.jpg", TransferType::Binary);
        QVERIFY(clock.elapsed() < 15000);
        QVERIFY2(
            done.message().startsWith(deleting ? "DELE /htdocs/A1.jpg: " : "STOR /htdocs/A1.jpg: "),
            qPrintable(done.message()));
        const QByteArray left = server.fileContents("/htdocs/A1.jpg");
        QVERIFY(deleting ? left == "old" : left.size() != 4 << 20);
    }

    // Waited for once per connection, not once per page.
    void silentHostIsWaitedForOnce()
    {
        test::TestFtpServer server({"--silent"});
        FtpConnection connection;
        FtpSettings settings;
        QVERIFY(open(server, connection, settings));
        for (const char* remote : {"/htdocs/inventory.htm", "/htdocs/A.htm"})
            QVERIFY(!connection.putFile(m_photo, remote, TransferType::Ascii));
        QVERIFY(!connection.deleteFile("/htdocs/A.jpg"));
        QCOMPARE(server.commands(), QStringList{"(silent connection)"});
    }

    // From another thread, with the real half-minute time-outs; the
    // connection stays cancelled.
    void cancelEndsATransferToASilentHost()
    {
        qunsetenv("WARELOOM_FTP_TIMEOUT");
        test::TestFtpServer server({"--silent"});
        FtpConnection connection;
        FtpSettings settings;
        QVERIFY(open(server, connection, settings));
        bool sent = true;
        std::thread transfer(
            [&] { sent = connection.putFile(m_photo, "/htdocs/a.png", TransferType::Binary); });
        QTest::qWait(500);
        QElapsedTimer sinceCancel;
        sinceCancel.start();
        connection.cancel();
        transfer.join();
        QVERIFY2(sinceCancel.elapsed() < 2000, qPrintable(QString::number(sinceCancel.elapsed())));
        QVERIFY(!sent);
        QCOMPARE(connection.lastError(), QStringLiteral("STOR /htdocs/a.png: cancelled"));
        QVERIFY(!connection.putFile(m_photo, "/htdocs/b.png", TransferType::Binary));
        QVERIFY(sinceCancel.elapsed() < 2000);
    }
};

QTEST_GUILESS_MAIN(TestFtpConnection)
#include "tst_ftpconnection.moc"
