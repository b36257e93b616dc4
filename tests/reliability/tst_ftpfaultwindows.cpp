#include "EditItemFixture.h"
#include "EditingTestDriver.h"
#include "FaultBounds.h"
#include "FtpFaultCases.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "gui/editing/DialogOpening.h"
#include "gui/editing/InventoryEdit.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/res/CommandIds.h"
#include "gui/res/DialogControlIds.h"
#include "core/store/CategoryStore.h"
#include "gui/mainwnd/BrowserState.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;

namespace {

QStringList boxTexts(const MessageBoxHook& boxes)
{
    QStringList texts;
    for (const ShownMessageBox& box : boxes.shown())
        texts << box.text;
    return texts;
}

// A server with the fault and settings that reach it.
#define START_FAULTY_SERVER(server, fault)                                                         \
    test::TestFtpServer server(fault);                                                             \
    QVERIFY2(server.start(), qPrintable(server.errorString()));                                    \
    QVERIFY(test::writeSettingsFile(server.settings()))

} // namespace

// Each window that talks to the web host, against a host that fails: the
// user gets that window's own failure message within the time-outs, and
// nothing hangs.
class TestFtpFaultWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir m_chosen; // the user's files, outside the data directory
    QElapsedTimer m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        test::useShortFtpTimeouts();
    }

    void init() { m_clock.start(); }

    void cleanup()
    {
        QVERIFY2(m_clock.elapsed() < test::HangBoundMs,
                 qPrintable(QStringLiteral("took %1 ms").arg(m_clock.elapsed())));
    }

    void bannerUploadSaysFtpError_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addUploadFaultRows();
    }

    void bannerUploadSaysFtpError()
    {
        QFETCH(QStringList, fault);
        test::TempDataDirectory data;
        START_FAULTY_SERVER(server, fault);
        const QString banner = m_chosen.filePath(QStringLiteral("banner.gif"));
        QVERIFY(test::writeFile(banner, test::largeUpload()));
        CWareloomDlg dlg;
        dlg.show();
        FileDialogHook files;
        files.queueChoice(banner);
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITEBANNERUPLOAD));

        QCOMPARE(boxTexts(boxes), QStringList{QStringLiteral("FTP Error!")});
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Wareloom"));
    }

    void deleteItemPictureSaysFtpError_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addDeletionFaultRows();
    }

    void deleteItemPictureSaysFtpError()
    {
        QFETCH(QStringList, fault);
        test::TempDataDirectory data;
        START_FAULTY_SERVER(server, fault);
        const QByteArray items = test::selectSawInTools(data);
        QVERIFY(!items.isEmpty());
        QVERIFY(test::writeFile(server.localPath(QStringLiteral("/htdocs/A1.jpg")), "jpeg"));
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        boxes.queueAnswer(IDYES);

        QVERIFY(test::commandInEditItem(ID_ITEM_DELETEITEM));

        QCOMPARE(boxTexts(boxes),
                 (QStringList{"Delete this inventory item.  Are you sure?",
                              "This entry has a picture.  Remove the picture from the FTP server?",
                              "FTP Error!"}));
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("Tools.dat"))), items.left(90));
        QVERIFY(QFile::exists(server.localPath(QStringLiteral("/htdocs/A1.jpg"))));
    }

    void pictureUploadSaysFtpError_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addUploadFaultRows();
    }

    void pictureUploadSaysFtpError()
    {
        QFETCH(QStringList, fault);
        test::TempDataDirectory data;
        START_FAULTY_SERVER(server, fault);
        const QByteArray items = test::selectSawInTools(data);
        QVERIFY(!items.isEmpty());
        const QString picture = m_chosen.filePath(QStringLiteral("saw.jpg"));
        QVERIFY(test::writeFile(picture, test::largeUpload()));
        FileDialogHook files;
        files.queueChoice(picture);
        MessageBoxHook boxes;

        QVERIFY(test::commandInEditItem(IDC_EDIT_PICTURE_UPLOAD));

        QCOMPARE(boxTexts(boxes), QStringList{QStringLiteral("FTP Error!")});
        // The local copy stands; the item is as it was.
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("A1.jpg"))), test::largeUpload());
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("Tools.dat"))), items);
    }

    void deleteCategoryPageSaysFtpError_data()
    {
        QTest::addColumn<QStringList>("fault");
        test::addDeletionFaultRows();
    }

    void deleteCategoryPageSaysFtpError()
    {
        QFETCH(QStringList, fault);
        test::resetBrowser();
        test::CategoryOnScreen shop(QStringLiteral("Tools"), 2);
        QVERIFY(shop.written);
        START_FAULTY_SERVER(server, fault);
        QVERIFY(test::writeFile(server.localPath(QStringLiteral("/htdocs/Tools.htm")), "page"));
        test::openCategory(shop.main, QStringLiteral("Tools"));
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        boxes.queueAnswer(IDYES);

        test::giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);

        QCOMPARE(boxTexts(boxes), (QStringList{QStringLiteral("Tools"),
                                               QStringLiteral("Delete the webpage from the FTP server?"),
                                               QStringLiteral("FTP Error!")}));
        QVERIFY(!QFile::exists(shop.path)); // the local deletion stands
        QVERIFY(QFile::exists(server.localPath(QStringLiteral("/htdocs/Tools.htm"))));
    }
};

QTEST_MAIN(TestFtpFaultWindows)
#include "tst_ftpfaultwindows.moc"
