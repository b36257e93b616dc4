#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"
#include "editing/DialogOpening.h"
#include "editing/EditOpenTimer.h"
#include "editing/InventoryEdit.h"
#include "mainwnd/BrowserState.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "res/DialogControlIds.h"
#include "store/CategoryStore.h"
#include "store/RecordTable.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace wareloom;
using test::colourAround;
using test::colourFills;
using test::whenDialogOpens;

namespace {

const QRect EditPreview(320, 110, 350, 150);

QImage shownPicture(const ResourceDialog& dialog)
{
    // Grabbing paints the dialog afresh: what it shows is part of its painting.
    return dialog.clientArea()->grab().toImage();
}

// The category Tools is open with one item, selected for editing.
void selectItemWithCode(const QString& code)
{
    ItemRecord item;
    storeFieldString(item, ItemField::Name, u"Saw");
    storeFieldString(item, ItemField::Code, code);
    recordTable().slots[1] = item;
    recordTable().recordCount = 1;
    browserState().currentCategoryName = QStringLiteral("Tools");
    browserState().currentCategoryPath = categoryFilePath(QStringLiteral("Tools"));
    browserState().selectedItemSlot = 1;
}

} // namespace

// The picture work inside the real item dialogs, opened the way the main
// window opens them.
class TestPictureDialogs : public QObject
{
    Q_OBJECT

    std::optional<test::TempDataDirectory> m_data;
    QTemporaryDir m_chosen; // the user's own files

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void init()
    {
        browserState() = BrowserState{};
        m_data.emplace();
    }

    void cleanup() { m_data.reset(); }

    void editItemShowsTheStoredPictureAfterOpening_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("A1 with A1.jpg") << QStringLiteral("A1") << QStringLiteral("A1.jpg") << true;
        QTest::newRow("no code") << QString() << QStringLiteral(".jpg") << false;
        QTest::newRow("no picture file")
            << QStringLiteral("A1") << QStringLiteral("B2.jpg") << false;
    }

    void editItemShowsTheStoredPictureAfterOpening()
    {
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(bool, drawn);
        const QColor colour(200, 100, 0);
        QVERIFY(test::writeFile(dataFilePath(file), test::solidPicture({640, 480}, colour, "BMP")));
        selectItemWithCode(code);

        auto opened = whenDialogOpens([&](QDialog* shown) {
            auto* edit = qobject_cast<InventoryEdit*>(shown);
            QVERIFY(edit);
            // Before the first tick nothing is drawn yet.
            if (!previewOnce())
                QVERIFY(!colourFills(shownPicture(*edit), EditPreview, colour));
            QTRY_VERIFY(edit->control(IDC_NAME)->hasFocus());
            const QImage shownNow = shownPicture(*edit);
            QCOMPARE(colourFills(shownNow, EditPreview, colour), drawn);
            QVERIFY(!colourAround(shownNow, EditPreview, colour));
            edit->sendCommand(IDOK);
        });
        openEditItemDialog();
        QVERIFY(*opened);
    }

    void editItemPictureUploadShowsCopiesAndSends()
    {
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings("/htdocs/")));
        const QColor colour(0, 90, 255);
        const QByteArray photo = test::solidPicture({800, 600}, colour);
        const QString chosen = m_chosen.filePath(QStringLiteral("photo.png"));
        QVERIFY(test::writeFile(chosen, photo));
        selectItemWithCode(QStringLiteral("A1"));
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;

        QString titleAfter;
        std::shared_ptr<QString> titleWhileBoxOpen;
        QImage shown;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* edit = qobject_cast<InventoryEdit*>(dialog);
            QVERIFY(edit);
            QTRY_VERIFY(previewOnce());
            titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, *edit);
            QTest::mouseClick(edit->control(IDC_EDIT_PICTURE_UPLOAD), Qt::LeftButton);
            titleAfter = edit->windowTitle();
            shown = shownPicture(*edit);
            edit->sendCommand(IDOK);
        });
        openEditItemDialog();
        QVERIFY(*opened);

        QCOMPARE(test::readFile(dataFilePath(QStringLiteral("A1.jpg"))), photo);
        QCOMPARE(server.fileContents(QStringLiteral("/htdocs/A1.jpg")), photo);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(*titleWhileBoxOpen, QStringLiteral("A1.jpg"));
        QCOMPARE(titleAfter, QStringLiteral("Wareloom"));
        QVERIFY(colourFills(shown, EditPreview, colour));
        QVERIFY(!colourAround(shown, EditPreview, colour));
        // Nothing was saved: the upload stands on its own.
        QVERIFY(!QFile::exists(categoryFilePath(QStringLiteral("Tools"))));
    }
};

QTEST_MAIN(TestPictureDialogs)
#include "tst_picturedialogs.moc"
