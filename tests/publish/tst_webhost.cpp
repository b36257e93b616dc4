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

namespace {

const QByteArray Picture("\xff\xd8\xff\xe0 JPEG, not a GIF\r\n\0", 23);

} // namespace

// The window side of the operations on the web host, with a real server.
class TestWebHost : public QObject
{
    Q_OBJECT

    QTemporaryDir m_chosen; // where the user's files lie, outside the data directory
    QWidget m_owner;

    // Every box: caption "Wareloom", OK, owned by the owner; "FTP Error!" is
    // followed by the reason.
    QStringList texts(const MessageBoxHook& boxes)
    {
        QStringList texts;
        for (const ShownMessageBox& box : boxes.shown()) {
            texts << (box.text.startsWith("FTP Error!\n\n") && box.text.size() > 14 ? "FTP Error!"
                                                                                    : box.text);
            if (box.caption != "Wareloom" || box.buttons != MessageButtons::Ok ||
                box.owner != &m_owner)
                texts << "wrong box";
        }
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "1");
        m_owner.setWindowTitle("Wareloom");
        m_owner.show();
        QVERIFY(test::writeFile(m_chosen.filePath("Logo.JPG"), Picture));
        const QString deep = m_chosen.filePath(QString(120, 'd'));
        QVERIFY(QDir().mkpath(deep) && test::writeFile(deep + '/' + QString(80, 'b'), Picture));
    }

    // The chosen file goes up unchanged as banner.gif; the title says so
    // while the box is up, and reads "Wareloom" afterwards.
    void uploadsTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<QString>("settings"); // "server", "empty" or "none"
        QTest::addColumn<QString>("chosen");   // empty: the file dialog is cancelled
        QTest::addColumn<QString>("box");      // empty: none
        QTest::newRow("uploaded") << "server"
                                  << "Logo.JPG"
                                  << "Banner Uploaded!";
        QTest::newRow("all fields empty") << "empty"
                                          << "Logo.JPG"
                                          << "FTP Error!";
        QTest::newRow("typed name of no file") << "server"
                                               << "Nothing.gif"
                                               << "FTP Error!";
        QTest::newRow("path over 199")
            << "server" << QString(120, 'd') + '/' + QString(80, 'b') << "FTP Error!";
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
        QCOMPARE(server.fileContents("/htdocs/banner.gif"), sent ? Picture : QByteArray());
        QCOMPARE(server.commands().contains("STOR /htdocs/banner.gif TYPE=I"), sent);
        QVERIFY(!QFile::exists(data.filePath("banner.gif")));
    }

    // The chosen file itself goes up under the code's name, titled so while
    // the box is up; deleting it twice fails the second time.
    void uploadsAPictureAndDeletesIt()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY(server.start() && test::writeSettingsFile(server.settings()));
        MessageBoxHook boxes;
        const auto title = test::titleWhenBoxOpens(boxes, m_owner);
        WebHost(&m_owner).uploadPicture(m_chosen.filePath("Logo.JPG"), "A1.jpg");
        QCOMPARE(*title, QStringLiteral("A1.jpg"));
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), Picture);
        WebHost(&m_owner).deleteFile("A1.jpg");
        QVERIFY(!QFile::exists(server.localPath("/htdocs/A1.jpg")));
        WebHost(&m_owner).deleteFile("A1.jpg");
        QCOMPARE(texts(boxes), QStringList({"Image Uploaded!", "FTP Error!"}));
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

    // Nothing can open an empty address: the user is told instead of nothing.
    void websiteThatCannotBeOpenedIsTold()
    {
        test::TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({}));
        MessageBoxHook boxes;
        WebHost(&m_owner).openWebsite();
        QCOMPARE(texts(boxes), QStringList{"No web browser could be started for \"\"."});
    }
};

QTEST_MAIN(TestWebHost)
#include "tst_webhost.moc"
