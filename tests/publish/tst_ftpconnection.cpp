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

namespace {

// With one-second time-outs every fault must end well within this.
constexpr qint64 HangBoundMs = 15000;

QStringList inOrder(const QStringList& commands, const QStringList& wanted)
{
    QStringList found;
    for (const QString& command : commands)
        if (found.size() < wanted.size() && command == wanted.at(found.size()))
            found << command;
    return found;
}

} // namespace

// Transfers against a real FTP server: what goes over the wire, and every way
// a host fails us.
class TestFtpConnection : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QByteArray m_picture = QByteArray("\x89PNG\r\n\x1a\n\0\x01\r\n", 12);

    FtpSettings settingsOf(const test::TestFtpServer& server,
                           const QString& uploadPath = "/htdocs/")
    {
        FtpSettings settings;
        if (!test::writeSettingsFile(server.settings(uploadPath)) || !settings.load())
            qWarning("cannot write the settings file");
        return settings;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        QVERIFY(m_data.writeFile("photo.png", m_picture));
        QVERIFY(m_data.writeFile("large.jpg", QByteArray(4 << 20, 'L')));
    }
    void init() { qputenv("WARELOOM_FTP_TIMEOUT", "1"); }

    void uploadsAndDeletesUnderTheUploadPath_data()
    {
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("remote");
        QTest::newRow("/htdocs/") << "/htdocs/"
                                  << "/htdocs/A1.jpg";
        QTest::newRow("/htdocs") << "/htdocs"
                                 << "/htdocsA1.jpg";
        QTest::newRow("login directory") << ""
                                         << "A1.jpg";
    }
    void uploadsAndDeletesUnderTheUploadPath()
    {
        QFETCH(QString, uploadPath);
        QFETCH(QString, remote);
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        const FtpSettings settings = settingsOf(server, uploadPath);

        QVERIFY(uploadToHost(settings, m_data.filePath("photo.png"), "A1.jpg", TransferType::Binary)
                    .ok());
        QCOMPARE(server.fileContents(remote), m_picture); // byte for byte, CR LF included
        QVERIFY(deleteFromHost(settings, "A1.jpg").ok());
        QVERIFY(!QFile::exists(server.localPath(remote)));
        const Status again = deleteFromHost(settings, "A1.jpg");
        QVERIFY2(again.message().contains("550"), qPrintable(again.message()));

        const QStringList sequence{"USER wareloom", "PASS ******", "STOR " + remote + " TYPE=I",
                                   "USER wareloom", "PASS ******", "DELE " + remote};
        QCOMPARE(inOrder(server.commands(), sequence), sequence);
        QVERIFY(!server.received({"CWD", "MKD"})); // the name goes as given, nothing made
    }

    // Names reach the server exactly as given, whatever URL syntax they hold;
    // a line break (which would end the command early) is refused unsent.
    void sendsExactNames()
    {
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        openFtpConnection(connection, settingsOf(server));
        for (const QString name :
             {"Tools.htm", "htdocs/Tools.htm", "/htdocs/Garden tools  and.htm",
              "/htdocs/R&D No#1.htm", "/htdocs/100%25 off%.htm", "/htdocs/why?x=1.htm",
              "/htdocs/a;type=i.htm", "/htdocs/Caf\u00e9.htm"}) {
            QVERIFY2(connection.putFile(m_data.filePath("photo.png"), name, TransferType::Ascii),
                     qPrintable(connection.lastError()));
            QCOMPARE(server.fileContents(name), m_picture);
            QVERIFY2(connection.deleteFile(name), qPrintable(connection.lastError()));
            QVERIFY(!QFile::exists(server.localPath(name)));
        }
        QVERIFY(test::writeFile(server.localPath("/htdocs/keep.htm"), "kept"));
        for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
            const QString name = QString("/htdocs/x.htm%1DELE /htdocs/keep.htm").arg(lineBreak);
            QVERIFY(!connection.putFile(m_data.filePath("photo.png"), name, TransferType::Ascii));
            QVERIFY(!connection.deleteFile(name));
        }
        QVERIFY(!connection.putFile(m_data.filePath("none"), "/htdocs/x.htm", TransferType::Ascii));
        QCOMPARE(server.fileContents("/htdocs/keep.htm"), QByteArray("kept"));
        QCOMPARE(server.commands().filter("USER ").size(), 1); // one login throughout
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
        connection.open(serverField.contains("%1") ? serverField.arg(server.port()) : serverField,
                        server.user(), password);
        QCOMPARE(
            connection.putFile(m_data.filePath("photo.png"), "/htdocs/x.htm", TransferType::Ascii),
            works);
        QVERIFY(works || !connection.lastError().isEmpty());
        QVERIFY(works || !server.received({"STOR"}));
    }

    // Active first; the first refusal makes the rest of the connection passive.
    void activeModeFallsBackToPassive_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::newRow("PORT refused") << QStringList{"--refuse-port"};
        QTest::newRow("425") << QStringList{"--reply-425"};
        QTest::newRow("no connect-back") << QStringList{"--no-connect-back"};
    }
    void activeModeFallsBackToPassive()
    {
        QFETCH(QStringList, fault);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        openFtpConnection(connection, settingsOf(server));
        for (const char* remote : {"/htdocs/a.png", "/htdocs/b.png"})
            QVERIFY2(connection.putFile(m_data.filePath("photo.png"), remote, TransferType::Binary),
                     qPrintable(connection.lastError()));
        QVERIFY(connection.isPassive());
        QCOMPARE(server.fileContents("/htdocs/b.png"), m_picture);
        // Active once, then passive for every later transfer.
        const QStringList modes =
            server.commands().filter(QRegularExpression("^(EPRT|PORT|EPSV|PASV)$"));
        const qsizetype firstPassive = modes.indexOf(QRegularExpression("^(EPSV|PASV)$"));
        QVERIFY2(firstPassive > 0, qPrintable(modes.join(' ')));
        QCOMPARE(modes.mid(firstPassive).filter(QRegularExpression("^(EPSV|PASV)$")).size(), 2);
        QCOMPARE(modes.size(), firstPassive + 2);
    }

    void faultIsReportedInBoundedTime_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<bool>("deleting");
        QTest::newRow("STOR 451") << QStringList{"--stor-reply", "451"} << false;
        QTest::newRow("STOR 553") << QStringList{"--stor-reply", "553"} << false;
        QTest::newRow("dropped during STOR") << QStringList{"--drop-stor", "/"} << false;
        QTest::newRow("reads a byte a second") << QStringList{"--slow-read", "1"} << false;
        QTest::newRow("never answers, upload") << QStringList{"--silent"} << false;
        QTest::newRow("DELE 450") << QStringList{"--dele-reply", "450"} << true;
        QTest::newRow("DELE 550") << QStringList{"--dele-reply", "550"} << true;
        QTest::newRow("never answers, delete") << QStringList{"--silent"} << true;
    }
    void faultIsReportedInBoundedTime()
    {
        QFETCH(QStringList, fault);
        QFETCH(bool, deleting);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeFile(server.localPath("/htdocs/A1.jpg"), "old"));
        const FtpSettings settings = settingsOf(server);
        QElapsedTimer clock;
        clock.start();
        const Status done = deleting ? deleteFromHost(settings, "A1.jpg")
                                     : uploadToHost(settings, m_data.filePath("large.jpg"),
                                                    "A1.jpg", TransferType::Binary);
        QVERIFY(clock.elapsed() < HangBoundMs);
        QVERIFY(!done.ok());
        QVERIFY2(
            done.message().startsWith(deleting ? "DELE /htdocs/A1.jpg: " : "STOR /htdocs/A1.jpg: "),
            qPrintable(done.message()));
        // The failure is real: the host does not hold the file whole, or still holds it.
        if (deleting)
            QCOMPARE(server.fileContents("/htdocs/A1.jpg"), QByteArray("old"));
        else
            QVERIFY(server.fileContents("/htdocs/A1.jpg").size() != 4 << 20);
    }

    // As the publish run uses it: the first page fails, the next ones arrive.
    void nextUploadOnTheConnectionSucceeds_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::newRow("STOR 553") << QStringList{"--stor-reply", "553:inventory.htm"};
        QTest::newRow("dropped during STOR") << QStringList{"--drop-stor", "inventory.htm"};
    }
    void nextUploadOnTheConnectionSucceeds()
    {
        QFETCH(QStringList, fault);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        openFtpConnection(connection, settingsOf(server));
        const QString page = m_data.filePath("large.jpg");
        QVERIFY(!connection.putFile(page, "/htdocs/inventory.htm", TransferType::Ascii));
        QVERIFY2(connection.putFile(page, "/htdocs/Books.htm", TransferType::Ascii),
                 qPrintable(connection.lastError()));
        QCOMPARE(server.fileContents("/htdocs/Books.htm").size(), 4 << 20);
    }

    // A host out of reach is waited for once per connection, not once per page.
    void silentHostIsWaitedForOnce()
    {
        test::TestFtpServer server({"--silent"});
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        openFtpConnection(connection, settingsOf(server));
        for (const char* remote : {"/htdocs/inventory.htm", "/htdocs/A.htm"})
            QVERIFY(!connection.putFile(m_data.filePath("photo.png"), remote, TransferType::Ascii));
        QVERIFY(!connection.deleteFile("/htdocs/A.jpg"));
        QCOMPARE(server.commands(), QStringList{"(silent connection)"});
    }

    // From another thread, with the real half-minute time-outs.
    void cancelEndsATransferToASilentHost()
    {
        qunsetenv("WARELOOM_FTP_TIMEOUT");
        test::TestFtpServer server({"--silent"});
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        FtpConnection connection;
        openFtpConnection(connection, settingsOf(server));
        QElapsedTimer sinceCancel;
        bool sent = true;
        std::thread transfer([&] {
            sent = connection.putFile(m_data.filePath("photo.png"), "/htdocs/a.png",
                                      TransferType::Binary);
        });
        QTest::qWait(500);
        sinceCancel.start();
        connection.cancel();
        transfer.join();
        QVERIFY2(sinceCancel.elapsed() < 2000, qPrintable(QString::number(sinceCancel.elapsed())));
        QVERIFY(!sent);
        QVERIFY2(connection.lastError().endsWith(": cancelled"),
                 qPrintable(connection.lastError()));
        QVERIFY(!connection.putFile(m_data.filePath("photo.png"), "/htdocs/b.png",
                                    TransferType::Binary));
        QVERIFY(sinceCancel.elapsed() < 2000);
    }
};

QTEST_GUILESS_MAIN(TestFtpConnection)
#include "tst_ftpconnection.moc"
