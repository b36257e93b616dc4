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
        QTest::addColumn<QStringList>("fault");  // "wrong": a wrong password
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
        row("no categories", "-Publish", {}, "/htdocs/", {}, 0, "");
        row("wrong password", "-Publish", ab, "/htdocs/", {"wrong"}, 1, "*");
        row("page refused", "-Publish", ab, "/htdocs/", {"--stor-reply", "553:A.htm"}, 1, "A.htm");
        row("dropped during a page", "-Publish", ab, "/htdocs/", {"--drop-stor", "B.htm"}, 1,
            "B.htm");
        // "Upload -> " + name + ".htm" would be 200 characters: never cut.
        row("status text too long", "-Publish", {QString(186, 'n')}, "/htdocs/", {}, 1, "*n");
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
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
        const bool wrong = fault == QStringList{"wrong"};
        PublishSetup setup(wrong ? QStringList() : fault);
        if (uploadPath.isNull())
            QVERIFY(writeCategories(setup.data, categories));
        else
            QVERIFY(setup.start(categories, uploadPath, wrong ? "wrong" : "secret"));
        const QStringList pages = listedPages();
        const QStringList notSent = failed == "*"      ? pages
                                    : failed == "*n"   ? pages.mid(1)
                                    : failed.isEmpty() ? QStringList()
                                                       : QStringList{failed};

        QProcess program; // without any display
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WARELOOM_PROGRAM), {commandSwitch});
        QVERIFY(program.waitForFinished(30000));
        // Each line up to its first ": ", so that no reason needs spelling out.
        QStringList lines;
        for (const QString& line :
             QString::fromLocal8Bit(program.readAllStandardError()).split('\n'))
            lines << line.section(": ", 0, 0);
        QStringList expected{"Creating HTML"}, stores;
        for (qsizetype at = 1; commandSwitch == "-Publish" && at <= pages.size(); ++at) {
            const QString status = "Upload -> " + pages[at - 1] + (at == 1 ? " (main page)" : "");
            expected << status << QStringLiteral("  %1 of %2").arg(at).arg(categories.size() + 1);
            if (status.size() < 200) // a longer one would go out cut: never sent
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
        QCOMPARE(lines, expected << "");
        QCOMPARE(program.exitCode(), exitStatus);
        if (exitStatus == 2) {
            QCOMPARE(QDir(setup.data.path()).entryList(QDir::Files),
                     QStringList({"A.dat", "B.dat"}));
            return;
        }
        QVERIFY(QFile::exists(setup.data.filePath(pages.last())));
        if (commandSwitch == "-Generate" || wrong)
            return;
        // One login (again after a drop), pages in listing order, in ASCII, the sent ones whole.
        QVERIFY(setup.server.commands().filter("USER ").size() == 1 ||
                fault.contains("--drop-stor"));
        QCOMPARE(setup.server.commands().filter("STOR "), stores);
        for (const QString& page : pages)
            QVERIFY(notSent.contains(page) || setup.published({page}, uploadPath));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
