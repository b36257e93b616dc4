#include "PublishTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// The publish run as wareloom -Publish and -Generate run it, without any
// display: exit status, each status and position on standard error, what
// went wrong, and what reaches a real host.
class TestHeadlessPublish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsWithoutAWindow_data()
    {
        QTest::addColumn<QString>("commandSwitch");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("uploadPath"); // null: no settings file
        // "wrong": a wrong password; "ftpes"/"sftp" with the key trusted, "sftp new key" without
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("failed"); // "*": every page
        const auto row = [](const char* name, QString commandSwitch, QStringList categories,
                            QString uploadPath, QStringList fault, int exitStatus, QString failed) {
            QTest::newRow(name) << commandSwitch << categories << uploadPath << fault << exitStatus
                                << failed;
        };
        const QStringList ab{"A", "B"};
        row("published", "-Publish", ab, "/htdocs/", {}, 0, "");
        row("login directory", "-Publish", ab, "", {}, 0, "");
        // Nothing between path and name, nothing escaped.
        row("no slash added, blanks", "-Publish", {"Garden Tools", "Caf\u00e9"}, "/htdocs", {}, 0,
            "");
        row("over ftpes", "-Publish", ab, "/htdocs/", {"ftpes"}, 0, "");
        row("over sftp", "-Publish", ab, "/htdocs/", {"sftp"}, 0, "");
        row("wrong password: one login", "-Publish", ab, "/htdocs/", {"wrong"}, 1, "*");
        row("new host key: nothing sent", "-Publish", ab, "/htdocs/", {"sftp", "new key"}, 5, "*");
        row("page refused", "-Publish", ab, "/htdocs/", {"--stor-reply", "553:A.htm"}, 1, "A.htm");
        row("dropped during a page", "-Publish", ab, "/htdocs/", {"--drop-stor", "B.htm"}, 1,
            "B.htm");
        row("no settings", "-Publish", ab, QString(), {}, 2, "");
        row("generate", "-Generate", ab, QString(), {}, 0, "");
    }
    void runsWithoutAWindow()
    {
        QFETCH(QString, commandSwitch);
        QFETCH(QStringList, categories);
        QFETCH(QString, uploadPath);
        QFETCH(QStringList, fault);
        QFETCH(int, exitStatus);
        QFETCH(QString, failed);
        qputenv("WARELOOM_FTP_TIMEOUT", "5"); // under load too
        const bool wrong = fault == QStringList{"wrong"}, newKey = fault.contains("new key");
        PublishSetup setup(wrong || newKey ? fault.mid(0, newKey) : fault);
        QVERIFY(uploadPath.isNull()
                    ? writeCategories(setup.data, categories)
                    : setup.start(categories, uploadPath, wrong ? "wrong" : "secret"));
        const QString knownHosts = setup.data.filePath("KnownHosts");
        if (!setup.server.scheme().isEmpty() && !newKey)
            QVERIFY(writeFile(knownHosts, setup.server.knownHostsLine().toUtf8() + '\n'));
        const QStringList pages = listedPages();
        const QStringList notSent = failed == "*" ? pages : QStringList(failed).filter(".");

        QProcess program; // without any display
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM"), environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WARELOOM_PROGRAM), {commandSwitch});
        QVERIFY(program.waitForFinished(30000));
        // Each line up to its first ": ", so that no reason needs spelling out.
        QStringList lines = QString::fromLocal8Bit(program.readAllStandardError())
                                .split('\n')
                                .replaceInStrings(QRegularExpression(": .*"), "");
        lines.removeAll("The server lost an upload sent over TLS 1.3"); // vsftpd, now and then
        QStringList expected{"Creating HTML"}, stores;
        // A refused login or key ends the run after the first try.
        const qsizetype tried = wrong || newKey ? 1 : pages.size();
        for (qsizetype at = 1; commandSwitch == "-Publish" && at <= tried; ++at) {
            expected << "Upload -> " + pages[at - 1] + (at == 1 ? " (main page)" : "")
                     << QStringLiteral("  %1 of %2").arg(at).arg(categories.size() + 1);
            stores << "STOR " + uploadPath + pages[at - 1] + " TYPE=A";
        }
        if (exitStatus == 2)
            expected = QStringList{"Error"}; // "Error: No FTP settings: <file> cannot be read..."
        else if (notSent.isEmpty())
            expected << "Done";
        else
            expected << "FTP Error"
                     << QStringList(notSent).replaceInStrings(QRegularExpression("^"), "  ")
                     << "Check your FTP settings and internet connection.";
        // The fingerprint, and the line that trusts it.
        if (newKey)
            expected << "Error"
                     << "To trust it, put this line in " + knownHosts + ":"
                     << setup.server.knownHostsLine().section(": ", 0, 0);
        QCOMPARE(lines, expected << "");
        QCOMPARE(program.exitCode(), exitStatus);
        if (exitStatus == 2) {
            QCOMPARE(QDir(setup.data.path()).entryList(QDir::Files),
                     QStringList({"A.dat", "B.dat"}));
            return;
        }
        QVERIFY(QFile::exists(setup.data.filePath(pages.last())));
        if (commandSwitch == "-Generate")
            return;
        // One login (again after a drop or a failed active TLS data connection).
        const QStringList commands = setup.server.commands();
        const qsizetype logins = commands.filter(QRegularExpression("^(USER|login) ")).size();
        QVERIFY2(logins == (newKey ? 0 : 1) || fault.contains("--drop-stor") ||
                     fault == QStringList{"ftpes"},
                 qPrintable(QString::number(logins)));
        QStringList stored = commands.filter("STOR "); // a dropped one again, passive
        stored.removeDuplicates();
        if (setup.server.scheme().isEmpty())
            QCOMPARE(stored, wrong ? QStringList() : stores);
        for (const QString& page : pages)
            QVERIFY(notSent.contains(page) || setup.published({page}, uploadPath));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
