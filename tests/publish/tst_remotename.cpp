#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "platform/FtpConnection.h"
#include "platform/Sockets.h"
#include "publish/RemoteName.h"
#include "publish/SettingsConnection.h"
#include "publish/SettingsFile.h"

#include <QFile>
#include <QtTest>

using namespace wareloom;
using wareloom::test::TestFtpServer;

class TestRemoteName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void composesName_data();
    void composesName();
    void uploadsUnderUploadPath_data();
    void uploadsUnderUploadPath();
    void nameTooLongForItsBufferFails();
    void emptySettingsFail();

private:
    QString writeLocalPage();

    test::TempDataDirectory m_data;
};

void TestRemoteName::initTestCase()
{
    QVERIFY(startSockets());
    qputenv("WARELOOM_FTP_TIMEOUT", "2");
}

QString TestRemoteName::writeLocalPage()
{
    const QString path = m_data.filePath("inventory.htm");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("<html>stock</html>") < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestRemoteName::composesName_data()
{
    QTest::addColumn<QString>("uploadPath");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("directory with slash") << "/htdocs/"
                                          << "inventory.htm"
                                          << "/htdocs/inventory.htm";
    QTest::newRow("no slash, nothing inserted") << "/htdocs"
                                                << "inventory.htm"
                                                << "/htdocsinventory.htm";
    QTest::newRow("empty upload path") << ""
                                       << "inventory.htm"
                                       << "inventory.htm";
    QTest::newRow("blanks not escaped") << "/web site/"
                                        << "Garden Tools.htm"
                                        << "/web site/Garden Tools.htm";
    QTest::newRow("199 characters fit")
        << QString(186, 'p') << "inventory.htm" << QString(186, 'p') + "inventory.htm";
    QTest::newRow("200 characters do not") << QString(187, 'p') << "inventory.htm"
                                           << "";
}

void TestRemoteName::composesName()
{
    QFETCH(QString, uploadPath);
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QCOMPARE(remoteName(uploadPath, fileName), expected);
}

void TestRemoteName::uploadsUnderUploadPath_data()
{
    QTest::addColumn<QString>("uploadPath");
    QTest::addColumn<QString>("storedAs"); // below the server's root
    QTest::newRow("/htdocs/") << "/htdocs/"
                              << "htdocs/inventory.htm";
    QTest::newRow("/htdocs") << "/htdocs"
                             << "htdocsinventory.htm";
    QTest::newRow("empty: login directory") << ""
                                            << "inventory.htm";
}

void TestRemoteName::uploadsUnderUploadPath()
{
    QFETCH(QString, uploadPath);
    QFETCH(QString, storedAs);
    TestFtpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY(test::writeSettingsFile(server.settings(uploadPath)));

    QVERIFY(loadSettings());
    FtpConnection ftp;
    openFtpConnection(ftp);
    const QString name = remoteNameInUploadPath("inventory.htm");
    QVERIFY2(ftp.putFile(writeLocalPage(), name, TransferType::Ascii), qPrintable(ftp.lastError()));

    QFile stored(server.rootDir() + '/' + storedAs);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("<html>stock</html>"));
    QVERIFY(server.commands().contains("STOR " + uploadPath + "inventory.htm TYPE=A"));
}

void TestRemoteName::nameTooLongForItsBufferFails()
{
    TestFtpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY(test::writeSettingsFile(server.settings("/htdocs/" + QString(180, 'd') + '/')));
    QVERIFY(loadSettings());

    FtpConnection ftp;
    openFtpConnection(ftp);
    QVERIFY(!ftp.putFile(writeLocalPage(), remoteNameInUploadPath("inventory.htm"),
                         TransferType::Ascii));
    QVERIFY(!server.received({"STOR"}));
}

void TestRemoteName::emptySettingsFail()
{
    QVERIFY(test::writeSettingsFile({}));
    QVERIFY(loadSettings());

    FtpConnection ftp;
    openFtpConnection(ftp);
    QVERIFY(!ftp.putFile(writeLocalPage(), remoteNameInUploadPath("inventory.htm"),
                         TransferType::Ascii));
    QVERIFY(!ftp.deleteFile(remoteNameInUploadPath("A100.jpg")));
}

QTEST_GUILESS_MAIN(TestRemoteName)
#include "tst_remotename.moc"
