#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "core/transfer/Sockets.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/SettingsFile.h"

#include <QTest>

using namespace wareloom;

// One FTP operation with the loaded settings, as the picture and banner
// uploads and the remote deletions use it.
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
        QTest::newRow("/htdocs/") << "/htdocs/"
                                  << "/htdocs/A1.jpg";
        QTest::newRow("/htdocs") << "/htdocs"
                                 << "/htdocsA1.jpg";
        QTest::newRow("login directory") << ""
                                         << "A1.jpg";
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
        QVERIFY(m_data.writeFile("photo.png", picture));

        QVERIFY(uploadToHost(m_data.filePath("photo.png"), "A1.jpg", TransferType::Binary));
        QCOMPARE(server.fileContents(remote), picture);
        QVERIFY(server.commands().contains(QStringLiteral("STOR %1 TYPE=I").arg(remote)));
        QVERIFY(deleteFromHost("A1.jpg"));
        QVERIFY(!QFile::exists(server.localPath(remote)));
        QVERIFY(!deleteFromHost("A1.jpg"));
    }

    void failsWithoutSending_data()
    {
        QTest::addColumn<bool>("withServer");
        QTest::newRow("all fields empty") << false;
        QTest::newRow("name too long for its buffer") << true;
    }
    void failsWithoutSending()
    {
        QFETCH(bool, withServer);
        test::TestFtpServer server;
        if (withServer) {
            QVERIFY2(server.start(), qPrintable(server.errorString()));
            QVERIFY(test::writeSettingsFile(server.settings("/htdocs/" + QString(190, 'd') + '/')));
        } else {
            QVERIFY(test::writeSettingsFile({}));
        }
        QVERIFY(loadSettings());
        QVERIFY(m_data.writeFile("banner.png", "GIF89a"));
        QVERIFY(!uploadToHost(m_data.filePath("banner.png"), "banner.gif", TransferType::Binary));
        QVERIFY(!deleteFromHost("Shoes.htm"));
        QVERIFY(!withServer || !server.received({"STOR", "DELE"}));
    }
};

QTEST_GUILESS_MAIN(TestHostTransfer)
#include "tst_hosttransfer.moc"
