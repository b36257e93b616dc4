#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "platform/Sockets.h"
#include "publish/HostTransfer.h"
#include "publish/SettingsFile.h"

#include <QTest>

using namespace wareloom;

// One FTP operation with the loaded settings, as the picture and banner
// uploads and the two remote deletions use it.
class TestHostTransfer : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void uploadsAndDeletesUnderTheUploadPath_data()
    {
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("remote");
        QTest::newRow("htdocs") << QStringLiteral("/htdocs/") << QStringLiteral("/htdocs/A1.jpg");
        QTest::newRow("login directory") << QString() << QStringLiteral("A1.jpg");
    }

    void uploadsAndDeletesUnderTheUploadPath()
    {
        QFETCH(QString, uploadPath);
        QFETCH(QString, remote);
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings(uploadPath)));
        QVERIFY(loadSettings());
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\x01", 10);
        QVERIFY(m_data.writeFile(QStringLiteral("photo.png"), picture));

        QVERIFY(uploadToHost(m_data.filePath(QStringLiteral("photo.png")), QStringLiteral("A1.jpg"),
                             TransferType::Binary));
        QCOMPARE(server.fileContents(remote), picture);
        QVERIFY(server.commands().contains(QStringLiteral("STOR %1 TYPE=I").arg(remote)));

        QVERIFY(deleteFromHost(QStringLiteral("A1.jpg")));
        QVERIFY(!QFile::exists(server.localPath(remote)));
        QVERIFY(!deleteFromHost(QStringLiteral("A1.jpg")));
    }

    void failsWithoutAHost()
    {
        QVERIFY(test::writeSettingsFile({}));
        QVERIFY(loadSettings());
        QVERIFY(m_data.writeFile(QStringLiteral("banner.png"), "GIF89a"));
        QVERIFY(!uploadToHost(m_data.filePath(QStringLiteral("banner.png")), QStringLiteral("banner.gif"),
                              TransferType::Binary));
        QVERIFY(!deleteFromHost(QStringLiteral("Shoes.htm")));
    }
};

QTEST_GUILESS_MAIN(TestHostTransfer)
#include "tst_hosttransfer.moc"
