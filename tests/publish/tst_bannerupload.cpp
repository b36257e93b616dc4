#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "res/CommandIds.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;

namespace {

// A file whose full path is longer than a name buffer's 199 characters.
QString longPathIn(const QTemporaryDir& dir)
{
    const QString folder = dir.filePath(QString(120, 'd'));
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QString(80, 'b') + QStringLiteral(".jpg");
}

} // namespace

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

    void storesTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("remote");
        QTest::newRow("under /htdocs/")
            << QStringLiteral("/htdocs/") << QStringLiteral("/htdocs/banner.gif");
        QTest::newRow("login directory") << QString() << QStringLiteral("banner.gif");
    }

    void storesTheChosenFileAsBannerGif()
    {
        QFETCH(QString, uploadPath);
        QFETCH(QString, remote);
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings(uploadPath)));
        const QByteArray banner = test::solidPicture({40, 30}, QColor(200, 30, 60), "JPEG");
        const QString path = m_chosen.filePath(QStringLiteral("Logo.JPG"));
        QVERIFY(test::writeFile(path, banner));

        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        files.queueChoice(path);
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, dlg);

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(server.fileContents(remote), banner);
        QVERIFY(server.commands().contains(QStringLiteral("STOR %1 TYPE=I").arg(remote)));
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QCOMPARE(box.text, QStringLiteral("Banner Uploaded!"));
        QCOMPARE(box.caption, QStringLiteral("Wareloom"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(box.owner.data(), &dlg);
        QCOMPARE(*titleWhileBoxOpen, QStringLiteral("-> Banner.gif"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("banner.gif"))));
    }

    void failedUploadSaysFtpError_data()
    {
        QTest::addColumn<bool>("withServer");
        QTest::addColumn<QString>("chosen"); // empty: a path longer than 199 characters
        QTest::addColumn<bool>("exists");
        QTest::newRow("all fields empty") << false << QStringLiteral("Logo.JPG") << true;
        QTest::newRow("typed name of no file") << true << QStringLiteral("Nothing.gif") << false;
        QTest::newRow("path longer than 199") << true << QString() << true;
    }

    void failedUploadSaysFtpError()
    {
        QFETCH(bool, withServer);
        QFETCH(QString, chosen);
        QFETCH(bool, exists);
        test::TempDataDirectory data;
        test::TestFtpServer server;
        if (withServer) {
            QVERIFY2(server.start(), qPrintable(server.errorString()));
            QVERIFY(test::writeSettingsFile(server.settings()));
        } else {
            QVERIFY(test::writeSettingsFile({}));
        }
        const QString path = chosen.isEmpty() ? longPathIn(m_chosen) : m_chosen.filePath(chosen);
        QCOMPARE(path.size() > 199, chosen.isEmpty());
        if (exists)
            QVERIFY(
                test::writeFile(path, test::solidPicture({40, 30}, QColor(200, 30, 60), "JPEG")));

        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        files.queueChoice(path);
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, dlg);

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("FTP Error!"));
        QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
        QCOMPARE(*titleWhileBoxOpen, QStringLiteral("-> Banner.gif"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
        if (withServer)
            QVERIFY(!server.received({QStringLiteral("STOR")}));
    }

    void cancelledFileDialogDoesNothing()
    {
        test::TempDataDirectory data;
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        files.queueCancel();
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(files.shownCount(), 1);
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
        QVERIFY(!server.received({QStringLiteral("USER")}));
    }

    void withoutSettingsTellsBeforeAnyFileDialog()
    {
        test::TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(files.shownCount(), 0);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("No FTP/HTTP settings!"));
        QCOMPARE(boxes.shown().first().owner.data(), &dlg);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
    }
};

QTEST_MAIN(TestBannerUpload)
#include "tst_bannerupload.moc"
