#include "PublishTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

#include <unistd.h>

using namespace wareloom;
using namespace wareloom::test;

// wareloom -Publish and -Check against the common FTP servers, each in the
// foreground with a config of its own: after every run the host holds
// exactly the pages and the pictures they show, byte for byte, and nothing
// else, and -Check finds the site whole.
class TestInterop : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString messages;
    };

    static Run run(const QStringList& switches)
    {
        QProcess program;
        program.start(QStringLiteral(WARELOOM_PROGRAM), switches);
        if (!program.waitForFinished(60000))
            program.kill(), program.waitForFinished();
        return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError() +
                                                           program.readAllStandardOutput())};
    }
    static Run publish(const QStringList& switches)
    {
        return run(QStringList{"-Publish"} + switches);
    }

    // The upload folder holds exactly the pages and pictures, each as the
    // data directory does.
    static QString whole(const QString& htdocs, const TempDataDirectory& data)
    {
        QStringList pages = listedPages(data) << "P1.jpg"
                                              << "banner.gif",
                    held = QDir(htdocs).entryList(QDir::Files);
        pages.sort();
        held.sort();
        if (held != pages)
            return "the host holds " + held.join(' ');
        for (const QString& page : pages) {
            if (readFile(htdocs + '/' + page) != readFile(data.filePath(page)))
                return page + " differs";
        }
        return {};
    }

private Q_SLOTS:
    void publishesWhole_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("mode");
        // Pure-FTPd has no implicit TLS; pyftpdlib: see docs/RELIABILITY.md.
        for (const QString row :
             {"vsftpd ftp", "vsftpd ftpes", "vsftpd ftps", "proftpd ftp", "proftpd ftpes",
              "proftpd ftps", "pureftpd ftp", "pureftpd ftpes", "sshd sftp"})
            QTest::newRow(qPrintable(row)) << row.section(' ', 0, 0) << row.section(' ', 1);
    }
    void publishesWhole()
    {
        QFETCH(QString, server);
        QFETCH(QString, mode);
        if (server == "sshd" && ::geteuid() != 0)
            QSKIP("sshd logs in system accounts only, which only root can make");
        TempDataDirectory data;
        QTemporaryDir host;
        const QString htdocs = host.filePath("root/htdocs"), log = host.filePath("log");
        QVERIFY(QDir().mkpath(htdocs));
        QProcess process;
        process.start("/usr/bin/python3",
                      {QStringLiteral(WARELOOM_TEST_SUPPORT "/interop_server.py"), server, mode,
                       "--root", host.filePath("root"), "--log", log, "--dir", host.path(),
                       "--servers", QStringLiteral(WARELOOM_TEST_SERVERS)});
        // Closing its input stops the server (and locks sshd's account again).
        const auto stopServer = qScopeGuard([&process] {
            process.closeWriteChannel();
            process.waitForFinished(10000);
        });
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        const QStringList said = QString::fromLatin1(process.readLine()).trimmed().split(' ');
        QVERIFY2(said.size() == 4, qPrintable(process.readAllStandardError()));
        const QString hostPort = "127.0.0.1:" + said[0], user = said[2], password = said[3];
        if (mode != "ftp")
            QVERIFY(data.writeFile("KnownHosts", (hostPort + ' ' + said[1] + '\n').toUtf8()));
        const QString address = mode == "ftp" ? hostPort : mode + "://" + hostPort;
        // sshd's account has no chroot: the folder is named from its login directory.
        const QString folder = server == "sshd" ? "htdocs/" : "/htdocs/";
        QVERIFY(
            writeCategories(data, {"A", "B", "C", "D", "E", "F", "G", "H", "I"}) &&
            writeSettingsFile(data.store(), {user, password, address, folder, {}}) &&
            data.writeFile("A.dat", readFile(data.filePath("A.dat")) + recordBytes("Pot", "P1")) &&
            data.writeFile("P1.jpg", QByteArray(3000, 'p')) &&
            data.writeFile("banner.gif", "GIF89a"));

        const auto step = [&](const QStringList& switches, const QString& summary) {
            const Run published = publish(switches);
            // Every file arrives under a temporary name, renamed over the old one.
            QVERIFY2(published.exitCode == 0 &&
                         published.messages.contains("Summary: " + summary) &&
                         !published.messages.contains("does not rename"),
                     qPrintable(published.messages));
            const QString why = whole(htdocs, data);
            QVERIFY2(why.isEmpty(), qPrintable(why));
            const Run checked = run({"-Check"});
            QVERIFY2(checked.exitCode == 0 && checked.messages.startsWith("The website is whole"),
                     qPrintable(checked.messages));
        };
        step({}, "12 sent, 0 unchanged");
        step({}, "1 sent, 11 unchanged");
        QVERIFY(data.writeFile("B.dat", readFile(data.filePath("B.dat")) +
                                            readFile(data.filePath("A.dat"))));
        step({}, "2 sent, 10 unchanged");
        step({"-All"}, "12 sent, 0 unchanged");
        QVERIFY(QFile::remove(data.filePath("C.dat")));
        step({"-Prune"}, "1 sent, 10 unchanged");
        QVERIFY(QFile::remove(htdocs + "/P1.jpg"));
        const Run broken = run({"-Check"});
        QVERIFY2(broken.exitCode == 1 && broken.messages.startsWith("P1.jpg (linked from ") &&
                     broken.messages.contains(") is missing on the host"),
                 qPrintable(broken.messages));
        step({}, "2 sent, 9 unchanged");

        // One login, refused once; nothing on the host changes (the pages
        // written meanwhile stay here).
        const auto logins = [&] {
            return QString::fromUtf8(readFile(log))
                .count(QRegularExpression("\\bUSER |(Accepted|Failed) password for "));
        };
        const qsizetype before = logins();
        QHash<QString, QByteArray> held;
        for (const QString& page : listedPages(data))
            held.insert(page, readFile(htdocs + '/' + page));
        QVERIFY(writeSettingsFile(data.store(), {user, "wrong", address, folder, {}}));
        const Run refused = publish({});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.messages.count(
                     QRegularExpression("Login refused by the server|SSH authentication failed")),
                 1);
        // Pure-FTPd logs only to syslog.
        QVERIFY2(server == "pureftpd" || logins() == before + 1, readFile(log).right(2000));
        for (const QString& page : listedPages(data))
            QCOMPARE(readFile(htdocs + '/' + page), held.value(page));
    }
};

QTEST_GUILESS_MAIN(TestInterop)
#include "tst_interop.moc"
