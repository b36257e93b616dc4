#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/res/CommandIds.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;

namespace {

enum class Settings { None, Empty, Server };
enum class Chosen { Banner, MissingFile, LongPath, Cancel };

} // namespace

Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(Chosen)

class TestBannerUpload : public QObject
{
    Q_OBJECT

    QTemporaryDir m_chosen; // where the user's files lie, outside the data directory

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    // The chosen file goes up unchanged as banner.gif; the title says so while
    // the box is up.
    void uploadsTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<Chosen>("chosen");
        QTest::addColumn<QString>("box");    // empty: none
        QTest::addColumn<QString>("remote"); // empty: nothing stored
        const QString ftpError = "FTP Error!";
        QTest::newRow("under /htdocs/")
            << Settings::Server << "/htdocs/" << Chosen::Banner << "Banner Uploaded!"
            << "/htdocs/banner.gif";
        QTest::newRow("login directory")
            << Settings::Server << "" << Chosen::Banner << "Banner Uploaded!"
            << "banner.gif";
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
        const QByteArray banner = test::solidPicture({40, 30}, QColor(200, 30, 60), "JPEG");
        QString path =
            m_chosen.filePath(chosen == Chosen::MissingFile ? "Nothing.gif" : "Logo.JPG");
        if (chosen == Chosen::LongPath) {
            QVERIFY(QDir().mkpath(m_chosen.filePath(QString(120, 'd'))));
            path = m_chosen.filePath(QString(120, 'd') + '/' + QString(80, 'b') + ".jpg");
            QVERIFY(path.size() > 199);
        }
        if (chosen != Chosen::MissingFile)
            QVERIFY(test::writeFile(path, banner));

        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        if (chosen == Chosen::Cancel)
            files.queueCancel();
        else
            files.queueChoice(path);
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, dlg);

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(files.shownCount(), settings == Settings::None ? 0 : 1);
        QCOMPARE(boxes.shown().size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            const ShownMessageBox& shown = boxes.shown().first();
            QCOMPARE(shown.text, box);
            QCOMPARE(shown.caption, QStringLiteral("Wareloom"));
            QCOMPARE(shown.buttons, MessageButtons::Ok);
            QCOMPARE(shown.icon, MessageIcon::None);
            QCOMPARE(shown.owner.data(), &dlg);
            if (settings != Settings::None)
                QCOMPARE(*titleWhileBoxOpen, QStringLiteral("-> Banner.gif"));
        }
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
        if (!remote.isEmpty()) {
            QCOMPARE(server.fileContents(remote), banner);
            QVERIFY(server.commands().contains(QStringLiteral("STOR %1 TYPE=I").arg(remote)));
        } else if (settings == Settings::Server) {
            QVERIFY(!server.received({chosen == Chosen::Cancel ? "USER" : "STOR"}));
        }
        QVERIFY(!QFile::exists(data.filePath("banner.gif")));
    }
};

QTEST_MAIN(TestBannerUpload)
#include "tst_bannerupload.moc"
