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

enum class Settings { None, Empty, Server };
enum class Chosen { Banner, MissingFile, LongPath, Cancel };

const QByteArray Banner("\xff\xd8\xff\xe0 JPEG, not a GIF\r\n\0", 23);

} // namespace

Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(Chosen)

// The window side of the operations on the web host, with a real server.
class TestWebHost : public QObject
{
    Q_OBJECT

    QTemporaryDir m_chosen; // where the user's files lie, outside the data directory
    QWidget m_owner;

    void checkBox(const ShownMessageBox& box, const QString& text)
    {
        QVERIFY2(box.text == text || (text.endsWith("!\n\n") && box.text.startsWith(text)),
                 qPrintable(box.text));
        QCOMPARE(box.caption, QStringLiteral("Wareloom"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.owner.data(), &m_owner);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "1");
        m_owner.setWindowTitle("Wareloom");
        m_owner.show();
    }

    // The chosen file goes up unchanged as banner.gif; the title says so
    // while the box is up. "FTP Error!" comes with the reason after it.
    void uploadsTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<Chosen>("chosen");
        QTest::addColumn<QString>("box");    // empty: none
        QTest::addColumn<QString>("remote"); // empty: nothing stored
        const QString ftpError = "FTP Error!\n\n";
        const QString uploaded = "Banner Uploaded!";
        QTest::newRow("/htdocs/") << Settings::Server << "/htdocs/" << Chosen::Banner << uploaded
                                  << "/htdocs/banner.gif";
        QTest::newRow("login directory")
            << Settings::Server << "" << Chosen::Banner << uploaded << "banner.gif";
        QTest::newRow("all fields empty")
            << Settings::Empty << "" << Chosen::Banner << ftpError << "";
        QTest::newRow("typed name of no file")
            << Settings::Server << "/htdocs/" << Chosen::MissingFile << ftpError << "";
        QTest::newRow("path longer than 199")
            << Settings::Server << "/htdocs/" << Chosen::LongPath << ftpError << "";
        QTest::newRow("file dialog cancelled")
            << Settings::Server << "/htdocs/" << Chosen::Cancel << ""
            << "";
        QTest::newRow("no settings, no file dialog")
            << Settings::None << "" << Chosen::Cancel << "No FTP/HTTP settings!"
            << "";
    }
    void uploadsTheChosenFileAsBannerGif()
    {
        QFETCH(Settings, settings);
        QFETCH(QString, uploadPath);
        QFETCH(Chosen, chosen);
        QFETCH(QString, box);
        QFETCH(QString, remote);
        test::TempDataDirectory data;
        test::TestFtpServer server;
        if (settings == Settings::Server) {
            QVERIFY2(server.start(), qPrintable(server.errorString()));
            QVERIFY(test::writeSettingsFile(server.settings(uploadPath)));
        } else if (settings == Settings::Empty) {
            QVERIFY(test::writeSettingsFile({}));
        }
        QString path =
            m_chosen.filePath(chosen == Chosen::MissingFile ? "Nothing.gif" : "Logo.JPG");
        if (chosen == Chosen::LongPath) {
            QVERIFY(QDir().mkpath(m_chosen.filePath(QString(120, 'd'))));
            path = m_chosen.filePath(QString(120, 'd') + '/' + QString(80, 'b') + ".jpg");
        }
        if (chosen != Chosen::MissingFile)
            QVERIFY(test::writeFile(path, Banner));
        FileDialogHook files;
        if (chosen == Chosen::Cancel)
            files.queueCancel();
        else
            files.queueChoice(path);
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, m_owner);

        WebHost(&m_owner).uploadBanner();

        QCOMPARE(files.shownCount(), settings == Settings::None ? 0 : 1);
        QCOMPARE(boxes.shown().size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            checkBox(boxes.shown().first(), box);
            if (settings != Settings::None)
                QCOMPARE(*titleWhileBoxOpen, QStringLiteral("-> Banner.gif"));
        }
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
        if (!remote.isEmpty()) {
            QCOMPARE(server.fileContents(remote), Banner);
            QVERIFY(server.commands().contains(QStringLiteral("STOR %1 TYPE=I").arg(remote)));
        } else if (settings == Settings::Server) {
            QVERIFY(!server.received({chosen == Chosen::Cancel ? "USER" : "STOR"}));
        }
        QVERIFY(!QFile::exists(data.filePath("banner.gif")));
    }

    // The chosen file itself goes up, named for the code; the title names it
    // while the box is up.
    void uploadsAPictureAndDeletesIt()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        QVERIFY(test::writeFile(m_chosen.filePath("photo.png"), Banner));
        MessageBoxHook boxes;
        const auto title = test::titleWhenBoxOpens(boxes, m_owner);

        WebHost(&m_owner).uploadPicture(m_chosen.filePath("photo.png"), "A1.jpg");
        QCOMPARE(*title, QStringLiteral("A1.jpg"));
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), Banner);
        WebHost(&m_owner).deleteFile("A1.jpg");
        QVERIFY(!QFile::exists(server.localPath("/htdocs/A1.jpg")));
        WebHost(&m_owner).deleteFile("A1.jpg"); // gone already
        QCOMPARE(boxes.shown().size(), 2);
        checkBox(boxes.shown()[0], "Image Uploaded!");
        checkBox(boxes.shown()[1], "FTP Error!\n\n");
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
    }

    // The owner is disabled while a transfer waits on the host, and the
    // event loop keeps running.
    void transferRunsOffTheGuiThread()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server({"--silent"});
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        MessageBoxHook boxes;
        int ticks = 0;
        bool enabledDuring = true;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            ++ticks;
            enabledDuring = enabledDuring && m_owner.isEnabled();
        });
        tick.start(50);
        WebHost(&m_owner).deleteFile("Tools.htm");
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QVERIFY(!enabledDuring);
        QVERIFY(m_owner.isEnabled());
        QCOMPARE(boxes.shown().size(), 1);
        checkBox(boxes.shown()[0], "FTP Error!\n\n");
    }

    // Nothing can open an empty address: said so instead of nothing.
    void websiteThatCannotBeOpenedIsTold()
    {
        test::TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({}));
        MessageBoxHook boxes;
        WebHost(&m_owner).openWebsite();
        QCOMPARE(boxes.shown().size(), 1);
        checkBox(boxes.shown()[0], "No web browser could be started for \"\".");
    }
};

QTEST_MAIN(TestWebHost)
#include "tst_webhost.moc"
