#include "PublishTestSupport.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "platform/Sockets.h"
#include "publish/PublishRun.h"

#include <QDir>
#include <QTest>

using namespace wareloom;
using wareloom::test::RecordingObserver;
using wareloom::test::TempDataDirectory;
using wareloom::test::TestFtpServer;

namespace {

QStringList storedPages(const QStringList& commands)
{
    return commands.filter(QStringLiteral("STOR "));
}

QStringList failedPageNames(const PublishOutcome& outcome)
{
    QStringList names;
    for (const FailedPage& page : outcome.failedPages)
        names << page.pageFileName;
    return names;
}

} // namespace

// The publish run without a window: what it tells its observer, what it
// writes and what reaches a real FTP server.
class TestPublishRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(startSockets()); }

    void publishesEveryPage_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("uploadPath");
        QTest::newRow("A, B, C under /htdocs/") << QStringList{"A", "B", "C"} << "/htdocs/";
        QTest::newRow("Tools in the login directory") << QStringList{"Tools"} << QString();
        QTest::newRow("no categories") << QStringList{} << "/htdocs/";
        QTest::newRow("blanks and non-ASCII") << QStringList{"Garden Tools", "Café"} << "/htdocs/";
    }

    void publishesEveryPage()
    {
        QFETCH(QStringList, categories);
        QFETCH(QString, uploadPath);
        test::PublishSetup setup;
        const QString notReady = setup.start(categories, uploadPath);
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        const TempDataDirectory& data = setup.data;
        const TestFtpServer& server = setup.server;
        const QStringList listed = test::listedNames();
        QCOMPARE(listed.size(), categories.size());

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(int(categories.size()), observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Done);
        QVERIFY(outcome.failedPages.empty());
        QCOMPARE(observer.ranges,
                 (std::vector<std::pair<int, int>>{{1, int(categories.size()) + 1}}));
        QCOMPARE(observer.statuses, test::successfulStatuses(listed));
        QList<int> positions;
        for (int p = 1; p <= categories.size() + 1; ++p)
            positions << p;
        QCOMPARE(observer.positions, positions);
        QCOMPARE(observer.ended.size(), 1);
        QCOMPARE(observer.statusesWhenEnded, observer.statuses.size());

        QStringList pages{QStringLiteral("inventory.htm")};
        for (const QString& name : listed)
            pages << name + QStringLiteral(".htm");
        QStringList expectedStores;
        for (const QString& page : pages) {
            const QByteArray local = test::fileBytes(data.filePath(page));
            QVERIFY2(!local.isEmpty(), qPrintable(page));
            QCOMPARE(server.fileContents(uploadPath + page), local);
            expectedStores << QStringLiteral("STOR %1%2 TYPE=A").arg(uploadPath, page);
        }
        // One login for the whole run, pages in listing order, all in ASCII.
        QCOMPARE(storedPages(server.commands()), expectedStores);
        QCOMPARE(server.commands().filter(QStringLiteral("USER ")).size(), 1);
    }

    void wrongPasswordTriesEveryPageAndNeverSaysDone()
    {
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
        test::PublishSetup setup;
        const QString notReady = setup.start({"A", "B", "C"}, "/htdocs/", "wrong");
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        const TestFtpServer& server = setup.server;

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(3, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QStringList every{QStringLiteral("inventory.htm")};
        for (const QString& name : test::listedNames())
            every << name + QStringLiteral(".htm");
        QCOMPARE(failedPageNames(outcome), every);
        for (const FailedPage& page : outcome.failedPages)
            QVERIFY2(!page.reason.isEmpty(), qPrintable(page.pageFileName));
        QCOMPARE(observer.positions, QList<int>({1, 2, 3, 4}));
        QVERIFY(!observer.statuses.contains(QStringLiteral("Done")));
        QCOMPARE(observer.statuses.last(),
                 QStringLiteral("Upload -> %1.htm").arg(test::listedNames().last()));
        QVERIFY(storedPages(server.commands()).isEmpty());
        qunsetenv("WARELOOM_FTP_TIMEOUT");
    }

    void noSettingsWritesAndSendsNothing()
    {
        TempDataDirectory data;
        QVERIFY(test::writeCategories(data, {"A"}));
        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(1, observer);
        QCOMPARE(outcome.result, PublishOutcome::Result::NoSettings);
        QVERIFY(observer.statuses.isEmpty());
        QVERIFY(observer.positions.isEmpty());
        QCOMPARE(observer.ended.size(), 1);
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
    }

    void pageTheGeneratorCouldNotWriteIsAFailedUpload()
    {
        test::PublishSetup setup;
        const QString notReady = setup.start({"A", "B", "C"});
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        const TestFtpServer& server = setup.server;
        // Nothing can replace a directory by a page.
        QVERIFY(QDir(setup.data.path()).mkdir(QStringLiteral("B.htm")));

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(3, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{"B.htm"});
        // The run went on after it.
        QCOMPARE(observer.positions, QList<int>({1, 2, 3, 4}));
        QVERIFY(!server.fileContents(QStringLiteral("/htdocs/A.htm")).isEmpty());
        QVERIFY(!server.fileContents(QStringLiteral("/htdocs/C.htm")).isEmpty());
        QVERIFY(!server.commands().contains(QStringLiteral("STOR /htdocs/B.htm TYPE=A")));
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
        const QString longName(nameLength, QLatin1Char('n'));
        const QString uploadPath = QString(uploadPathLength - 1, QLatin1Char('p')) + u'/';
        test::PublishSetup setup;
        const QString notReady = setup.start({longName}, uploadPath);
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        const TestFtpServer& server = setup.server;
        QVERIFY(setup.data.filePath(longName).size() > 199 || reason != u"local path");
        QVERIFY(uploadPath == u"/" || QDir(server.rootDir()).mkdir(uploadPath));

        RecordingObserver observer;
        const PublishOutcome outcome = runPublish(1, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{longName + QStringLiteral(".htm")});
        QVERIFY2(outcome.failedPages.front().reason.contains(reason),
                 qPrintable(outcome.failedPages.front().reason));
        QCOMPARE(observer.positions, QList<int>({1, 2}));
        // Only the main page went out.
        QCOMPARE(storedPages(server.commands()),
                 QStringList{QStringLiteral("STOR %1inventory.htm TYPE=A").arg(uploadPath)});
    }

    void categoryAddedAfterTheCountIsSentBeyondTheMaximum()
    {
        test::PublishSetup setup;
        const QString notReady = setup.start({"A", "B"});
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        const TestFtpServer& server = setup.server;

        RecordingObserver observer;
        // The main window counted one category.
        const PublishOutcome outcome = runPublish(1, observer);

        QCOMPARE(outcome.result, PublishOutcome::Result::Done);
        QCOMPARE(observer.ranges, (std::vector<std::pair<int, int>>{{1, 2}}));
        QCOMPARE(observer.positions, QList<int>({1, 2, 3}));
        QVERIFY(!server.fileContents(QStringLiteral("/htdocs/A.htm")).isEmpty());
        QVERIFY(!server.fileContents(QStringLiteral("/htdocs/B.htm")).isEmpty());
    }

    void generatingWritesThePagesOnly()
    {
        TempDataDirectory data;
        QVERIFY(test::writeCategories(data, {"A", "B"}));
        RecordingObserver observer;
        const PublishOutcome outcome = runGeneratePages(2, observer);
        QCOMPARE(outcome.result, PublishOutcome::Result::Done);
        QCOMPARE(observer.statuses, QStringList({"Creating HTML", "Done"}));
        for (const char* page : {"inventory.htm", "A.htm", "B.htm"})
            QVERIFY2(!test::fileBytes(data.filePath(QLatin1String(page))).isEmpty(), page);
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("FTPServer.ftp"))));
    }

    void generatingReportsAPageThatCannotBeWritten()
    {
        TempDataDirectory data;
        QVERIFY(test::writeCategories(data, {"A", "B"}));
        QVERIFY(QDir(data.path()).mkdir(QStringLiteral("A.htm")));
        RecordingObserver observer;
        const PublishOutcome outcome = runGeneratePages(2, observer);
        QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
        QCOMPARE(failedPageNames(outcome), QStringList{"A.htm"});
        QVERIFY(!observer.statuses.contains(QStringLiteral("Done")));
    }
};

QTEST_GUILESS_MAIN(TestPublishRun)
#include "tst_publishrun.moc"
