#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TitleWhileBoxOpen.h"
#include "core/transfer/Sockets.h"
#include "gui/platform/FileDialog.h"
#include "gui/publish/WebHost.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace wareloom;

// The window side of the operations on the web host, with a real server.
class TestWebHost : public QObject
{
    Q_OBJECT

    const QByteArray m_picture = QByteArray("\xff\xd8\xff\xe0 JPEG, not a GIF\r\n\0", 23);
    QTemporaryDir m_chosen; // where the user's files lie, outside the data directory
    QWidget m_owner;

    // The texts of the boxes, each checked for caption "Wareloom", OK and
    // its owner; "FTP Error!" must come with a reason after it.
    QStringList texts(const MessageBoxHook& boxes)
    {
        QStringList texts;
        for (const ShownMessageBox& box : boxes.shown())
            texts << (box.caption != "Wareloom" || box.owner != &m_owner              ? "wrong box"
                      : box.text.startsWith("FTP Error!\n\n") && box.text.size() > 14 ? "FTP Error!"
                                                                                      : box.text);
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "1");
        m_owner.setWindowTitle("Wareloom");
        m_owner.show();
        const QString deep = m_chosen.filePath(QString(120, 'd'));
        QVERIFY(test::writeFile(m_chosen.filePath("Logo.JPG"), m_picture) && QDir().mkpath(deep) &&
                test::writeFile(deep + '/' + QString(80, 'b'), m_picture));
    }

    // The chosen file goes up unchanged as banner.gif; the title says so
    // while the box is up, and reads "Wareloom" afterwards.
    void uploadsTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<QString>("settings"); // "server", "empty" or "none"
        QTest::addColumn<QString>("chosen");   // empty: the file dialog is cancelled
        QTest::addColumn<QString>("box");      // empty: none
        const QString ftpError = "FTP Error!";
        QTest::newRow("uploaded") << "server"
                                  << "Logo.JPG"
                                  << "Banner Uploaded!";
        QTest::newRow("all fields empty") << "empty"
                                          << "Logo.JPG" << ftpError;
        QTest::newRow("typed name of no file") << "server"
                                               << "Nothing.gif" << ftpError;
        QTest::newRow("path over 199")
            << "server" << QString(120, 'd') + '/' + QString(80, 'b') << ftpError;
        QTest::newRow("file dialog cancelled") << "server" << QString() << QString();
        QTest::newRow("no settings, no file dialog")
            << "none" << QString() << "No FTP/HTTP settings!";
    }
    void uploadsTheChosenFileAsBannerGif()
    {
        QFETCH(QString, settings);
        QFETCH(QString, chosen);
        QFETCH(QString, box);
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY(settings != "server" || server.start());
        QVERIFY(settings == "none" ||
                test::writeSettingsFile(settings == "server" ? server.settings()
                                                             : test::SettingsFields{}));
        FileDialogHook files;
        if (!chosen.isEmpty())
            files.queueChoice(m_chosen.filePath(chosen));
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, m_owner);

        WebHost(&m_owner).uploadBanner();

        QCOMPARE(files.shownCount(), settings == "none" ? 0 : 1);
        QCOMPARE(texts(boxes), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(*titleWhileBoxOpen, box.isEmpty()        ? ""
                                     : settings == "none" ? "Wareloom"
                                                          : "-> Banner.gif");
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
        const bool sent = box == "Banner Uploaded!";
        QCOMPARE(server.fileContents("/htdocs/banner.gif"), sent ? m_picture : QByteArray());
        QCOMPARE(server.commands().contains("STOR /htdocs/banner.gif TYPE=I"), sent);
        QVERIFY(!QFile::exists(data.filePath("banner.gif")));
    }

    // The chosen file itself goes up under the code's name, titled so while
    // the box is up; deleting it twice fails the second time. An address
    // nothing can open is told.
    void uploadsAPictureAndDeletesIt()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY(server.start() && test::writeSettingsFile(server.settings()));
        MessageBoxHook boxes;
        const auto title = test::titleWhenBoxOpens(boxes, m_owner);
        WebHost(&m_owner).uploadPicture(m_chosen.filePath("Logo.JPG"), "A1.jpg");
        QCOMPARE(*title, QStringLiteral("A1.jpg"));
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), m_picture);
        WebHost(&m_owner).deleteFile("A1.jpg");
        QVERIFY(!QFile::exists(server.localPath("/htdocs/A1.jpg")));
        WebHost(&m_owner).deleteFile("A1.jpg");
        QVERIFY(test::writeSettingsFile({}));
        WebHost(&m_owner).openWebsite();
        QCOMPARE(texts(boxes), QStringList({"Image Uploaded!", "FTP Error!",
                                            "No web browser could be started for \"\"."}));
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
    }

    // While a transfer waits on a host that never answers, the owner is
    // disabled and the event loop keeps running.
    void transferRunsOffTheGuiThread()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server({"--silent"});
        QVERIFY(server.start() && test::writeSettingsFile(server.settings()));
        MessageBoxHook boxes;
        int ticks = 0;
        bool enabledDuring = false;
        QTimer tick;
        tick.callOnTimeout([&] { ++ticks, enabledDuring = enabledDuring || m_owner.isEnabled(); });
        tick.start(50);
        WebHost(&m_owner).deleteFile("Tools.htm");
        QVERIFY2(ticks >= 5 && !enabledDuring, qPrintable(QString::number(ticks)));
        QVERIFY(m_owner.isEnabled());
        QCOMPARE(texts(boxes), QStringList{"FTP Error!"});
    }
};

QTEST_MAIN(TestWebHost)
#include "tst_webhost.moc"
