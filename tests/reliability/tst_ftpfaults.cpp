#include "FaultBounds.h"
#include "FtpFaultCases.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "core/transfer/FtpConnection.h"
#include "core/transfer/Sockets.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/SettingsFile.h"

#include <QElapsedTimer>
#include <QTest>

using namespace wareloom;

// The one-transfer FTP operations (picture and banner uploads, the remote
// deletions) and a run of uploads over one connection, against servers that
// fail in every way we know: each failure is reported as one, in bounded
// time, and a failed transfer does not stop the next one.
class TestFtpFaults : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        test::useShortFtpTimeouts();
    }

    void failedUploadIsReported_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addUploadFaultRows();
    }

    void failedUploadIsReported()
    {
        QFETCH(QStringList, fault);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        QVERIFY(loadSettings());
        QVERIFY(m_data.writeFile(QStringLiteral("photo.jpg"), test::largeUpload()));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(!uploadToHost(m_data.filePath(QStringLiteral("photo.jpg")), QStringLiteral("A1.jpg"),
                              TransferType::Binary));
        QVERIFY2(clock.elapsed() < test::HangBoundMs, qPrintable(QString::number(clock.elapsed())));
        // The server did not take it whole: the failure is real, not a lost reply.
        QVERIFY(server.fileContents(QStringLiteral("/htdocs/A1.jpg")) != test::largeUpload());
    }

    void failedDeletionIsReported_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addDeletionFaultRows();
    }

    void failedDeletionIsReported()
    {
        QFETCH(QStringList, fault);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        QVERIFY(loadSettings());
        QVERIFY(test::writeFile(server.localPath(QStringLiteral("/htdocs/Tools.htm")), "page"));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(!deleteFromHost(QStringLiteral("Tools.htm")));
        QVERIFY2(clock.elapsed() < test::HangBoundMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(QFile::exists(server.localPath(QStringLiteral("/htdocs/Tools.htm"))));
    }

    // As the publish run uses it: the first page fails, the next ones on the
    // same connection arrive whole.
    void nextUploadOnTheConnectionSucceeds_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::newRow("STOR answered 553") << QStringList{"--stor-reply", "553:inventory.htm"};
        QTest::newRow("STOR answered 451") << QStringList{"--stor-reply", "451:inventory.htm"};
        QTest::newRow("dropped in the middle of a STOR")
            << QStringList{"--drop-stor", "inventory.htm"};
    }

    void nextUploadOnTheConnectionSucceeds()
    {
        QFETCH(QStringList, fault);
        test::TestFtpServer server(fault);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(m_data.writeFile(QStringLiteral("page.htm"), QByteArray(5000, 'p')));
        const QString page = m_data.filePath(QStringLiteral("page.htm"));

        FtpConnection connection;
        connection.open(server.address(), server.user(), server.password());
        QVERIFY(!connection.putFile(page, QStringLiteral("/htdocs/inventory.htm"), TransferType::Ascii));
        QVERIFY2(connection.putFile(page, QStringLiteral("/htdocs/Books.htm"), TransferType::Ascii),
                 qPrintable(connection.lastError()));
        QVERIFY(connection.putFile(page, QStringLiteral("/htdocs/Tools.htm"), TransferType::Ascii));
        QCOMPARE(server.fileContents(QStringLiteral("/htdocs/Books.htm")).size(), 5000);
        QCOMPARE(server.fileContents(QStringLiteral("/htdocs/Tools.htm")).size(), 5000);
    }

    // A publish run to a host out of reach would wait the full time-out once
    // per page, with the window frozen: it waits once.
    void aHostThatNeverAnswersIsWaitedForOnce()
    {
        test::TestFtpServer server({"--silent"});
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(m_data.writeFile(QStringLiteral("page.htm"), "<html></html>"));
        const QString page = m_data.filePath(QStringLiteral("page.htm"));

        FtpConnection connection;
        connection.open(server.address(), server.user(), server.password());
        for (const char* remote : {"/htdocs/inventory.htm", "/htdocs/A.htm", "/htdocs/B.htm"})
            QVERIFY(!connection.putFile(page, QLatin1String(remote), TransferType::Ascii));
        QVERIFY(!connection.deleteFile(QStringLiteral("/htdocs/A.jpg")));

        QCOMPARE(server.commands(), QStringList{QStringLiteral("(silent connection)")});
        // A new operation tries again.
        connection.open(server.address(), server.user(), server.password());
        QVERIFY(!connection.putFile(page, QStringLiteral("/htdocs/C.htm"), TransferType::Ascii));
        QCOMPARE(server.commands().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestFtpFaults)
#include "tst_ftpfaults.moc"
