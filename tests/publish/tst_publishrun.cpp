#include "PublishTestSupport.h"
#include "core/transfer/Sockets.h"

#include <QDir>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

using Ranges = QList<QPair<int, int>>;

// The publish run without a window: what it tells its observer, what it
// writes and what reaches a real FTP server.
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
        QCOMPARE(listedNames().size(), count);

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(count, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Done);
        QVERIFY(outcome.failedPages.empty());
        QCOMPARE(observer.ranges, (Ranges{{1, count + 1}}));
        QCOMPARE(observer.statuses, successfulStatuses());
        QCOMPARE(observer.positions, oneTo(count + 1));
        QCOMPARE(observer.statusesWhenEnded, observer.statuses.size());
        QCOMPARE(setup.pageNotPublished(listedPages(), uploadPath), QString());
        // One login for the whole run, pages in listing order, all in ASCII.
        QStringList stores;
        for (const QString& page : listedPages())
            stores << QStringLiteral("STOR %1%2 TYPE=A").arg(uploadPath, page);
        QCOMPARE(setup.server.commands().filter("STOR "), stores);
        QCOMPARE(setup.server.commands().filter("USER ").size(), 1);
    }

    // The run goes on after it.
    void pageTheGeneratorCouldNotWriteIsAFailedUpload()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}).isEmpty(), qPrintable(setup.error));
        QVERIFY(QDir(setup.data.path()).mkdir("B.htm")); // nothing can replace a directory
        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(3, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{"B.htm"});
        QCOMPARE(observer.positions, oneTo(4));
        QCOMPARE(setup.pageNotPublished({"inventory.htm", "A.htm", "C.htm"}), QString());
        QVERIFY(!setup.server.commands().contains("STOR /htdocs/B.htm TYPE=A"));
    }

    void nameTooLongForItsBufferIsAFailedUploadNeverACutName_data()
    {
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("uploadPathLength");
        QTest::addColumn<QString>("reason");
        // "Upload -> " + name + ".htm" is 200 characters.
        QTest::newRow("status text") << 186 << 1 << "status text";
        QTest::newRow("local path") << 180 << 1 << "local path";
        // The main page still fits: "/ppp.../inventory.htm" is 199 characters.
        QTest::newRow("remote name") << 10 << 186 << "remote name";
    }
    void nameTooLongForItsBufferIsAFailedUploadNeverACutName()
    {
        QFETCH(int, nameLength);
        QFETCH(int, uploadPathLength);
        QFETCH(QString, reason);
        const QString longName(nameLength, 'n');
        const QString uploadPath = QString(uploadPathLength - 1, 'p') + '/';
        PublishSetup setup;
        QVERIFY2(setup.start({longName}, uploadPath).isEmpty(), qPrintable(setup.error));
        QVERIFY(setup.data.filePath(longName).size() > 199 || reason != "local path");
        QVERIFY(uploadPath == "/" || QDir(setup.server.rootDir()).mkdir(uploadPath));

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(1, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{longName + ".htm"});
        QVERIFY2(outcome.failedPages.front().reason.contains(reason),
                 qPrintable(outcome.failedPages.front().reason));
        QCOMPARE(observer.positions, oneTo(2));
        // Only the main page went out.
        QCOMPARE(setup.server.commands().filter("STOR "),
                 QStringList{QStringLiteral("STOR %1inventory.htm TYPE=A").arg(uploadPath)});
    }

    // Generating only: no settings, no FTP (the built program's -Generate
    // shows the pages written).
    void generatingReportsAPageThatCannotBeWritten()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A", "B"}));
        QVERIFY(QDir(data.path()).mkdir("A.htm"));
        RecordingObserver observer;
        const PublishOutcome outcome = runGeneratePages(2, observer);
        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{"A.htm"});
        QCOMPARE(observer.statuses, QStringList{"Creating HTML"});
        QVERIFY(!readFile(data.filePath("B.htm")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPublishRun)
#include "tst_publishrun.moc"
