#include "PublishTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// wareloom -Publish and -Generate without a display: exit status, the
// progress on standard error, and what reaches a real host.
class TestHeadlessPublish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsWithoutAWindow_data()
    {
        QTest::addColumn<QString>("commandSwitch");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("uploadPath"); // null: no settings file
        // "wrong": a wrong password; "sftp", "new key": a host key not trusted
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
        // Nothing between path and name, nothing escaped.
        row("no slash added, blanks", "-Publish", {"Garden Tools", "Caf\u00e9"}, "/htdocs", {}, 0,
            "");
        row("wrong password: one login", "-Publish", ab, "/htdocs/", {"wrong"}, 1, "*");
        row("new host key: nothing sent", "-Publish", ab, "/htdocs/", {"sftp", "new key"}, 5, "*");
        row("page refused", "-Publish", ab, "/htdocs/", {"--stor-reply", "553:A.htm"}, 1, "A.htm");
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
        const QStringList pages = listedPages();
        const QStringList notSent = failed == "*" ? pages : QStringList(failed).filter(".");

        QProcess program; // without any display
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WARELOOM_PROGRAM), {commandSwitch});
        QVERIFY(program.waitForFinished(30000));
        // Each line up to its first ": "; the reasons are not spelled out.
        QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardError())
                .split('\n')
                .replaceInStrings(QRegularExpression("^(?!Summary)(.*?): .*"), "\\1");
        QStringList expected{"Creating HTML"}, stores;
        // The listing is the login: a refused one sends nothing, and says so.
        if (wrong || newKey)
            expected << (wrong ? "Login refused by the server"
                               : "The key of " + setup.server.knownHostsLine().section(' ', 0, 0) +
                                     " is not trusted yet");
        for (qsizetype at = 1;
             commandSwitch == "-Publish" && !wrong && !newKey && at <= pages.size(); ++at) {
            expected << "Upload -> " + pages[at - 1] + (at == pages.size() ? " (main page)" : "")
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
        if (newKey)
            expected << "Error"
                     << "To trust it, put this line in " + setup.data.filePath("KnownHosts") + ":"
                     << setup.server.knownHostsLine().section(": ", 0, 0);
        if (commandSwitch == "-Publish" && exitStatus != 2)
            expected << QStringLiteral("Summary: %1 sent, 0 unchanged, %2 failed")
                            .arg(pages.size() - notSent.size())
                            .arg(notSent.size());
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
        const QStringList commands = setup.server.commands();
        QCOMPARE(commands.filter(QRegularExpression("^(USER|login) ")).size(), newKey ? 0 : 1);
        if (!newKey)
            QCOMPARE(commands.filter("STOR "), wrong ? QStringList() : stores);
        for (const QString& page : pages)
            QVERIFY(notSent.contains(page) || setup.published({page}, uploadPath));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
