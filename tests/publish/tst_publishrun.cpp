#include "PublishTestSupport.h"
#include "core/transfer/Sockets.h"

#include <QDir>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

using Ranges = QList<QPair<int, int>>;

// The publish run on the test's own thread: what it signals, what it writes
// and what reaches a real FTP server.
class TestPublishRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void publishesEveryPage_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("uploadPath");
        QTest::newRow("A, B, C under /htdocs/") << QStringList{"A", "B", "C"} << "/htdocs/";
        QTest::newRow("Tools in the login directory") << QStringList{"Tools"} << QString();
        QTest::newRow("no categories") << QStringList{} << "/htdocs/";
        QTest::newRow("blanks and non-ASCII")
            << QStringList{"Garden Tools", "Caf\u00e9"} << "/htdocs/";
    }
    void publishesEveryPage()
    {
        QFETCH(QStringList, categories);
        QFETCH(QString, uploadPath);
        PublishSetup setup;
        QVERIFY2(setup.start(categories, uploadPath).isEmpty(), qPrintable(setup.error));
        const int count = int(categories.size());
        PublishRun run(count);
        RunRecord record(run);

        const PublishOutcome outcome = run.run();

        QCOMPARE(outcome.result, PublishOutcome::Result::Done);
        QCOMPARE(record.ranges, (Ranges{{1, count + 1}}));
        QCOMPARE(record.statuses, successfulStatuses());
        QCOMPARE(record.positions, oneTo(count + 1));
        QCOMPARE(record.finished, 1);
        QCOMPARE(setup.pageNotPublished(listedPages(), uploadPath), QString());
        // One login for the whole run, pages in listing order, all in ASCII.
        QStringList stores;
        for (const QString& page : listedPages())
            stores << QStringLiteral("STOR %1%2 TYPE=A").arg(uploadPath, page);
        QCOMPARE(setup.server.commands().filter("STOR "), stores);
        QCOMPARE(setup.server.commands().filter("USER ").size(), 1);
    }

    // Each a failed upload; the run goes on, and never says "Done".
    void pageThatCannotGoOutIsAFailedUpload_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("reason");
        QTest::newRow("page not written") << "B"
                                          << "/htdocs/"
                                          << "B.htm"; // a directory took its name
        // "Upload -> " + name + ".htm" is 200 characters.
        QTest::newRow("status text too long") << QString(186, 'n') << "/"
                                              << "status text";
        QTest::newRow("local path too long") << QString(180, 'n') << "/"
                                             << "local path";
        // "/ppp.../inventory.htm" still fits at 199 characters.
        QTest::newRow("remote name too long")
            << "Category10" << QString(185, 'p') + '/' << "remote name";
    }
    void pageThatCannotGoOutIsAFailedUpload()
    {
        QFETCH(QString, category);
        QFETCH(QString, uploadPath);
        QFETCH(QString, reason);
        PublishSetup setup;
        QVERIFY2(setup.start({category}, uploadPath).isEmpty(), qPrintable(setup.error));
        QVERIFY(uploadPath.startsWith('/') || QDir(setup.server.rootDir()).mkdir(uploadPath));
        if (reason == "B.htm")
            QVERIFY(QDir(setup.data.path()).mkdir("B.htm"));
        PublishRun run(1);
        RunRecord record(run);

        const PublishOutcome outcome = run.run();

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{category + ".htm"});
        QVERIFY2(outcome.failedPages.front().reason.contains(reason),
                 qPrintable(outcome.failedPages.front().reason));
        QCOMPARE(record.positions, oneTo(2));
        QVERIFY(!record.statuses.contains("Done"));
        QCOMPARE(setup.server.commands().filter("STOR "),
                 QStringList{QStringLiteral("STOR %1inventory.htm TYPE=A").arg(uploadPath)});
    }

    // Cancelled before its first upload: the pages are written, none is sent,
    // and every one is named.
    void cancelledRunNamesEveryPageNotSent()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B"}).isEmpty(), qPrintable(setup.error));
        PublishRun run(2);
        RunRecord record(run);
        run.cancel();
        const PublishOutcome outcome = run.run();
        QCOMPARE(outcome.result, PublishOutcome::Result::Cancelled);
        QCOMPARE(failedPageNames(outcome), listedPages());
        QCOMPARE(record.statuses, QStringList({"Creating HTML", "Cancelled"}));
        QVERIFY(!readFile(setup.data.filePath("B.htm")).isEmpty());
        QVERIFY(!setup.server.received({"USER", "STOR"}));
    }

    void noSettingsGeneratesNothing()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A"}));
        PublishRun run(1);
        RunRecord record(run);
        QCOMPARE(run.run().result, PublishOutcome::Result::NoSettings);
        QCOMPARE(record.statuses, QStringList());
        QCOMPARE(record.finished, 1);
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
    }

    // Generating only: no settings, no FTP.
    void generatingReportsAPageThatCannotBeWritten()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A", "B"}));
        QVERIFY(QDir(data.path()).mkdir("A.htm"));
        PublishRun run(2, PublishRun::Mode::GenerateOnly);
        RunRecord record(run);
        const PublishOutcome outcome = run.run();
        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{"A.htm"});
        QCOMPARE(record.statuses, QStringList{"Creating HTML"});
        QVERIFY(!readFile(data.filePath("B.htm")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPublishRun)
#include "tst_publishrun.moc"
