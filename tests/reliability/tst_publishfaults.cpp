#include "FaultBounds.h"
#include "PublishTestSupport.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/publish/FTPDialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace wareloom;

namespace {

const QStringList Categories{"A", "B", "C"};
const QStringList Pages{"inventory.htm", "A.htm", "B.htm", "C.htm"};

// The pages that reached the host whole, as the data directory holds them.
QStringList pagesOnHost(const test::PublishSetup& setup)
{
    QStringList arrived;
    for (const QString& page : Pages) {
        const QByteArray local = test::fileBytes(setup.data.filePath(page));
        if (!local.isEmpty() && setup.server.fileContents("/htdocs/" + page) == local)
            arrived << page;
    }
    return arrived;
}

// Faults of one page only: the run must go on with the pages after it.
void addOnePageFaultRows()
{
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<QStringList>("failedPages");
    QTest::newRow("main page: STOR answered 553")
        << QStringList{"--stor-reply", "553:/inventory.htm"} << QStringList{"inventory.htm"};
    QTest::newRow("main page: dropped in the middle of its STOR")
        << QStringList{"--drop-stor", "/inventory.htm"} << QStringList{"inventory.htm"};
    QTest::newRow("B: STOR answered 451") << QStringList{"--stor-reply", "451:/B.htm"}
                                          << QStringList{"B.htm"};
    QTest::newRow("B: dropped in the middle of its STOR") << QStringList{"--drop-stor", "/B.htm"}
                                                          << QStringList{"B.htm"};
}

// Faults of every page.
void addEveryPageFaultRows()
{
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<QStringList>("failedPages");
    QTest::newRow("STOR answered 553") << QStringList{"--stor-reply", "553"} << Pages;
    QTest::newRow("every STOR dropped") << QStringList{"--drop-stor", "/"} << Pages;
    QTest::newRow("server never answers") << QStringList{"--silent"} << Pages;
    QTest::newRow("server reads a byte a second") << QStringList{"--slow-read", "1"} << Pages;
}

// Every page but the failed ones reached the host whole. (A dropped page may
// have arrived whole too: the host took it but never said so.)
void checkOthersArrived(const test::PublishSetup& setup, const QStringList& failed)
{
    const QStringList arrived = pagesOnHost(setup);
    for (const QString& page : Pages)
        QVERIFY2(failed.contains(page) || arrived.contains(page), qPrintable(page));
}

} // namespace

// The publish run, in its dialog and as wareloom -Publish, against hosts that
// fail one page or all of them: every page is tried, the failure is reported
// once at the end, the run never ends in "Done", and it ends in bounded time.
class TestPublishFaults : public QObject
{
    Q_OBJECT

    void publishInDialog()
    {
        QFETCH(QStringList, fault);
        QFETCH(QStringList, failedPages);
        test::PublishSetup setup(fault);
        const QString notReady = setup.start(Categories);
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));
        browserState().categoryCount = int(Categories.size());
        MessageBoxHook boxes;

        FTPDialog dialog;
        bool hung = false;
        QTimer::singleShot(test::HangBoundMs, &dialog, [&] {
            hung = dialog.isVisible();
            dialog.reject();
        });
        const int result = dialog.DoModal();

        QVERIFY2(!hung, "the publish dialog did not close by itself");
        QCOMPARE(result, int(IDOK));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text,
                 QStringLiteral("FTP Error: Check your FTP settings and internet connection."));
        QVERIFY(dialog.controlText(1011) != QStringLiteral("Done"));
        checkOthersArrived(setup, failedPages);
    }

    void publishFromCommandLine()
    {
        QFETCH(QStringList, fault);
        QFETCH(QStringList, failedPages);
        test::PublishSetup setup(fault);
        const QString notReady = setup.start(Categories);
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));

        QProcess program;
        program.start(QStringLiteral(WARELOOM_PROGRAM), {QStringLiteral("-Publish")});
        const bool ended = program.waitForFinished(int(test::HangBoundMs));
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }

        QVERIFY2(ended, "wareloom -Publish did not end");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("FTP Error: these pages were not uploaded:")),
                 qPrintable(errors));
        QVERIFY(!errors.contains(QRegularExpression(QStringLiteral("^Done$"),
                                                    QRegularExpression::MultilineOption)));
        QStringList named;
        for (const QString& page : Pages)
            if (errors.contains(QStringLiteral("\n  %1: ").arg(page)))
                named << page;
        QCOMPARE(named, failedPages);
        checkOthersArrived(setup, failedPages);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        test::useShortFtpTimeouts();
    }

    void dialogGoesOnAfterAFailedPage_data() { addOnePageFaultRows(); }
    void dialogGoesOnAfterAFailedPage() { publishInDialog(); }

    void dialogReportsEveryPageFailing_data() { addEveryPageFaultRows(); }
    void dialogReportsEveryPageFailing() { publishInDialog(); }

    void commandLineGoesOnAfterAFailedPage_data() { addOnePageFaultRows(); }
    void commandLineGoesOnAfterAFailedPage() { publishFromCommandLine(); }

    void commandLineReportsEveryPageFailing_data() { addEveryPageFaultRows(); }
    void commandLineReportsEveryPageFailing() { publishFromCommandLine(); }
};

QTEST_MAIN(TestPublishFaults)
#include "tst_publishfaults.moc"
