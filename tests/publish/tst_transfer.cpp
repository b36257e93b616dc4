#include "PublishTestSupport.h"
#include "core/publish/PublishRun.h"
#include "core/transfer/FtpConnection.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/KnownHosts.h"
#include "core/transfer/Networking.h"
#include "core/transfer/RemoteListing.h"
#include "core/util/TextConversion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

using namespace wareloom;
using test::listedPages;
using test::readFile;

// FTPServer.ftp byte for byte, and transfers against real servers.
class TestTransfer : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QString m_path = m_data.filePath("FTPServer.ftp");
    const QByteArray m_picture = QByteArray("\x89PNG\r\n\x1a\n\0\x01\r\n", 12);
    const QString m_photo = m_data.filePath("photo.png");
    const QString m_large = m_data.filePath("large.jpg"); // 4 MiB
    FtpSettings m_settings{m_data.store()};

    static QByteArray field(const QByteArray& text) { return text.leftJustified(200, '\0'); }

    // Starts server, writes and loads its settings, and opens connection with them.
    bool open(test::TestFtpServer& server, FtpConnection& connection)
    {
        return server.start() && test::writeSettingsFile(m_data.store(), server.settings()) &&
               m_settings.load() && (openFtpConnection(connection, m_settings), true);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startNetworking());
        QVERIFY(test::writeFile(m_photo, m_picture) &&
                test::writeFile(m_large, QByteArray(4 << 20, 'L')));
    }
    void init()
    {
        setConversionCodePage("CP1252");
        QFile::remove(m_path);
        FtpConnection::setUniformTimeout(std::chrono::seconds(5));
    }

    // Each field: text, zero, at most 199 bytes cut at a character boundary,
    // "?" for what the code page lacks; mode 0600, tightened again by a save.
    void settingsFileByteForByte()
    {
        FtpSettings settings(m_data.store());
        QVERIFY(!settings.load().ok());
        settings.setText(SettingsField::Password, u"abcdef");
        QVERIFY(settings.loadOrCreate().ok());
        QCOMPARE(readFile(m_path),
                 field({}) + field(QByteArray("\0bcdef", 6)) + field({}).repeated(3));
        const QStringList texts{QString(199, 'u') + "vw", "p@ss", "ftp.example.com:2121",
                                "/caf\u00e9/", "http://\u4e2d.example/"};
        for (int f = 0; f < SettingsFieldCount; ++f)
            settings.setText(SettingsField(f), texts[f]);
        QVERIFY(settings.save().ok());
        QCOMPARE(readFile(m_path), field(QByteArray(199, 'u')) + field(QByteArray("p@ss\0f", 6)) +
                                       field("ftp.example.com:2121") + field("/caf\xe9/") +
                                       field("http://?.example/"));
        QVERIFY(
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        FtpSettings loaded(m_data.store());
        QVERIFY(loaded.loadOrCreate().ok() && loaded.save().ok());
        QCOMPARE(loaded.text(SettingsField::UploadPath), QStringLiteral("/caf\u00e9/"));
        QCOMPARE(QFile::permissions(m_path) &
                     ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner); // as Qt sees it
        setConversionCodePage("UTF-8");                 // two bytes each
        settings.setText(SettingsField::Password, QString(150, QChar(0xE9)));
        QCOMPARE(settings.text(SettingsField::Password), QString(99, QChar(0xE9)));
    }

    // One login and one command per operation, the name exactly as given;
    // a line break in a name (it would end the command) is refused unsent.
    void sendsExactNames()
    {
        test::TestFtpServer server;
        FtpConnection connection;
        QVERIFY(open(server, connection));
        QVERIFY(uploadToHost(m_settings, m_photo, "A1.jpg", TransferType::Binary).ok());
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), m_picture); // CR LF and all
        QVERIFY(deleteFromHost(m_settings, "A1.jpg").ok());
        QCOMPARE(deleteFromHost(m_settings, "A1.jpg").message(),
                 QStringLiteral("DELE /htdocs/A1.jpg: 550 No such file or directory."));
        const QString login = "USER wareloom|PASS ******|";
        QCOMPARE(server.commands()
                     .filter(QRegularExpression("^(USER|PASS|STOR|DELE|CWD|MKD)"))
                     .join('|'),
                 login + "STOR /htdocs/A1.jpg TYPE=I|" + login + "DELE /htdocs/A1.jpg|" + login +
                     "DELE /htdocs/A1.jpg");

        for (const QString name :
             {"Tools.htm", "htdocs/T.htm", "/htdocs/Garden  tools.htm", "/htdocs/R&D No#1.htm",
              "/htdocs/100%25 off%.htm", "/htdocs/why?x=1;type=i.htm", "/htdocs/Caf\u00e9.htm"}) {
            const Status put = connection.putFile(m_photo, name, TransferType::Ascii);
            QVERIFY2(put && server.fileContents(name) == m_picture, qPrintable(put.message()));
            const Status deleted = connection.deleteFile(name);
            QVERIFY2(deleted, qPrintable(deleted.message()));
            QVERIFY(!QFile::exists(server.localPath(name)));
        }
        for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
            const QString name = QString("/htdocs/x.htm%1DELE /htdocs/keep.htm").arg(lineBreak);
            QVERIFY(!connection.putFile(m_photo, name, TransferType::Ascii).ok() &&
                    !connection.deleteFile(name).ok());
        }
        QVERIFY(!connection.putFile(m_data.filePath("none"), "/htdocs/x.htm", TransferType::Ascii)
                     .ok());
        QVERIFY(!server.received({"DELE /htdocs/keep", "STOR /htdocs/x.htm"}));
        // A server field or login that cannot be meant: nothing is sent.
        const QString host = server.address(), pw = server.password();
        for (const auto& [field, password] : QList<std::pair<QString, QString>>{
                 {"", pw}, {host + "/htdocs", pw}, {host, pw + "\r\nDELE k"}}) {
            FtpConnection refused;
            refused.open(field, server.user(), password, m_settings.knownHostsPath());
            QVERIFY(!refused.putFile(m_photo, "/htdocs/y.htm", TransferType::Ascii).ok());
        }
        QCOMPARE(server.commands().filter("USER ").size(), 3 + 1);
    }

    // Active first; the first refusal makes the rest of the connection
    // passive. A connect-back that does not come is not waited for long.
    void activeModeFallsBackToPassive_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("PORT refused") << "--refuse-port";
        QTest::newRow("no connect-back") << "--no-connect-back";
    }
    void activeModeFallsBackToPassive()
    {
        QFETCH(QString, fault);
        FtpConnection::setUniformTimeout(std::chrono::seconds(10));
        test::TestFtpServer server({fault});
        FtpConnection connection;
        QVERIFY(open(server, connection));
        QElapsedTimer clock;
        clock.start();
        for (const char* remote : {"/htdocs/a.png", "/htdocs/b.png"}) {
            const Status put = connection.putFile(m_photo, remote, TransferType::Binary);
            QVERIFY2(put, qPrintable(put.message()));
        }
        QVERIFY(clock.elapsed() < 8000); // within the general time-out, under load too
        QVERIFY(connection.isPassive());
        QCOMPARE(server.fileContents("/htdocs/b.png"), m_picture);
        const QStringList modes =
            server.commands().filter(QRegularExpression("^(EPRT|PORT|EPSV|PASV)$"));
        const qsizetype firstPassive = modes.indexOf(QRegularExpression("^(EPSV|PASV)$"));
        QVERIFY2(firstPassive > 0, qPrintable(modes.join(' ')));
        QCOMPARE(modes.mid(firstPassive), QStringList(2, modes[firstPassive]));
    }

    // Reported with the command (and the server's reply, when it gave one),
    // within the hang bound; no half file left.
    void faultIsReportedInBoundedTime_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<bool>("deleting"); // the rows ending in a blank
        for (const QString fault : {"--stor-reply 553", "--drop-stor /", "--slow-read 1",
                                    "--silent", "--dele-reply 450 "})
            QTest::newRow(qPrintable(fault))
                << fault.split(' ', Qt::SkipEmptyParts) << fault.endsWith(' ');
    }
    void faultIsReportedInBoundedTime()
    {
        QFETCH(QStringList, fault);
        QFETCH(bool, deleting);
        test::TestFtpServer server(fault);
        FtpConnection unused;
        QVERIFY(open(server, unused));
        QVERIFY(test::writeFile(server.localPath("/htdocs/A1.jpg"), "old"));
        QElapsedTimer clock;
        clock.start();
        const Status done = deleting
                                ? deleteFromHost(m_settings, "A1.jpg")
                                : uploadToHost(m_settings, m_large, "A1.jpg", TransferType::Binary);
        QVERIFY(clock.elapsed() < 15000); // a hang bound, not a speed
        QVERIFY2(
            done.message().startsWith(deleting ? "DELE /htdocs/A1.jpg: " : "STOR /htdocs/A1.jpg: "),
            qPrintable(done.message()));
        if (fault[0].endsWith("-reply"))
            QVERIFY(done.message().endsWith(": " + fault[1] + " Refused."));
        const QByteArray left = server.fileContents("/htdocs/A1.jpg");
        QVERIFY(deleting ? left == "old" : left.size() != 4 << 20);
    }

    // Over TLS and SSH: sent whole; an untrusted or changed key stops before
    // the login, naming the key shown; never a word in clear text.
    void secureTransfers_data()
    {
        QTest::addColumn<QStringList>("kind");
        QTest::addColumn<QString>("known"); // "*": the server's own key
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("failure");
        const QString other = "SHA256:47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU";
        const auto row = [](const char* name, QStringList kind, QString known, QString path,
                            QString failure) {
            QTest::newRow(name) << kind << known << path << failure;
        };
        row("ftpes", {"ftpes"}, "*", "/htdocs/", "");
        row("sftp, login directory", {"sftp"}, "*", "htdocs/", "");
        row("sftp, new key", {"sftp"}, "", "/htdocs/", "not trusted");
        row("sftp, changed key", {"sftp"}, other, "/htdocs/", "it was " + other + " and is now");
        row("AUTH TLS refused", {"ftpes", "--no-tls"}, "*", "/htdocs/", "refused to encrypt");
    }
    void secureTransfers()
    {
        QFETCH(QStringList, kind);
        QFETCH(QString, known);
        QFETCH(QString, uploadPath);
        QFETCH(QString, failure);
        test::TestFtpServer server(kind);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        const QString line = known == "*"
                                 ? server.knownHostsLine()
                                 : server.knownHostsLine().section(' ', 0, 0) + ' ' + known;
        QVERIFY(known.isEmpty() || test::writeFile(m_data.filePath("KnownHosts"), line.toUtf8()));
        QVERIFY(test::writeSettingsFile(m_data.store(), server.settings(uploadPath)) &&
                m_settings.load());
        std::optional<HostKey> untrusted;
        const Status sent =
            uploadToHost(m_settings, m_photo, "A1.jpg", TransferType::Binary, &untrusted);
        QVERIFY2(sent.ok() == failure.isEmpty() && sent.message().contains(failure),
                 qPrintable(sent.message()));
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), sent ? m_picture : QByteArray());
        QCOMPARE(untrusted.has_value(), known != "*");
        if (untrusted) // the key as KnownHosts would hold it, and what it held
            QCOMPARE(untrusted->line() + '|' + untrusted->known,
                     server.knownHostsLine() + '|' + known);
        if (sent)
            QVERIFY(deleteFromHost(m_settings, "A1.jpg").ok());
        QVERIFY(!QFile::exists(server.localPath("/htdocs/A1.jpg")));
        QFile::remove(m_data.filePath("KnownHosts"));
        // AUTH TLS first; passive at once (active TLS data waits for a handshake).
        const QStringList commands = server.commands();
        const bool ftpes = kind[0] == "ftpes";
        QVERIFY(!ftpes || commands.value(0) == "AUTH TLS");
        QVERIFY(commands.filter(QRegularExpression("^EPRT|^PORT")).isEmpty());
        const qsizetype logins = commands.filter(QRegularExpression("^(PASS|login)")).size();
        QCOMPARE(logins, sent ? 2 : 0);
    }

    // The plain files and their sizes; a line of no known form makes the
    // whole listing unknown rather than a file missing.
    void readsListings_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("files"); // "name=size"; {"?"}: not understood
        QTest::newRow("MLSD") << QByteArray("type=cdir;modify=20240101; /htdocs\r\n"
                                            "type=file;size=12;modify=20240101; A b.htm\r\n"
                                            "Type=File;Size=0; ;x.htm\r\n")
                              << QStringList{";x.htm=0", "A b.htm=12"};
        QTest::newRow("ls -l") << QByteArray("total 8\n"
                                             "drwxr-xr-x 2 ftp ftp 4096 Jan  1  2024 sub\n"
                                             "-rw-r--r-- 1 a b 1209 Dec 07 04:20  two  spaces\n"
                                             "lrwxrwxrwx 1 a b 5 Dec 07 04:20 l -> A.htm\n")
                               << QStringList{" two  spaces=1209"};
        QTest::newRow("DOS") << QByteArray("12-31-24  10:00AM       <DIR>          sub\r\n"
                                           "01-02-2025  03:04PM     77 Caf\xc3\xa9.htm\r\n")
                             << QStringList{"Caf\u00e9.htm=77"};
        QTest::newRow("empty folder") << QByteArray() << QStringList();
        QTest::newRow("unknown form") << QByteArray("A.htm\n") << QStringList{"?"};
    }
    void readsListings()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, files);
        const auto read = parseListing(listing);
        QStringList found{"?"};
        if (read) {
            found.clear();
            for (auto file = read->begin(); file != read->end(); ++file)
                found << file.key() + '=' + QString::number(file->size);
        }
        found.sort();
        QCOMPARE(found, files);
    }

    // The listings of vsftpd (LIST) and SFTP are read, and a page is
    // replaced by a rename: SFTP removes the old one first.
    void republishesSecurely_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("uploadPath");
        QTest::newRow("ftpes") << "ftpes"
                               << "/htdocs/";
        QTest::newRow("sftp, login directory") << "sftp"
                                               << "htdocs/";
    }
    void republishesSecurely()
    {
        QFETCH(QString, kind);
        QFETCH(QString, uploadPath);
        test::TestFtpServer server({kind});
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeFile(m_data.filePath("KnownHosts"), server.knownHostsLine().toUtf8()) &&
                test::writeSettingsFile(m_data.store(), server.settings(uploadPath)) &&
                test::writeCategories(m_data, {"A", "B"}));
        for (const int sent : {3, 1}) {
            PublishRun run(m_data.store(), 2);
            const PublishOutcome outcome = run.run();
            QCOMPARE(outcome.result, PublishOutcome::Result::Done);
            QCOMPARE(QPair(outcome.sent, outcome.unchanged), QPair(sent, 3 - sent));
        }

        QStringList pages = listedPages(m_data);
        QCOMPARE(QDir(server.localPath("/htdocs")).entryList(QDir::Files), (pages.sort(), pages));
        for (const QString& page : listedPages(m_data))
            QCOMPARE(server.fileContents("/htdocs/" + page), readFile(m_data.filePath(page)));
        for (const QString& name : pages + QStringList{"KnownHosts", "Published.json"})
            QVERIFY(QFile::remove(m_data.filePath(name)));
    }
};

QTEST_GUILESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
