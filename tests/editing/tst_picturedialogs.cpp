#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"
#include "editing/DialogOpening.h"
#include "editing/EditOpenTimer.h"
#include "editing/InventoryEdit.h"
#include "editing/ItemAdd.h"
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
const QRect AddPreview(350, 120, 350, 150);

QImage shownPicture(const ResourceDialog& dialog)
{
    // Grabbing paints the dialog afresh: what it shows is part of its painting.
    return dialog.clientArea()->grab().toImage();
}

void openTools()
{
    browserState().currentCategoryName = QStringLiteral("Tools");
    browserState().currentCategoryPath = categoryFilePath(QStringLiteral("Tools"));
}

// The category Tools is open with one item, selected for editing.
void selectItemWithCode(const QString& code)
{
    ItemRecord item;
    storeFieldString(item, ItemField::Name, u"Saw");
    storeFieldString(item, ItemField::Code, code);
    recordTable().slots[1] = item;
    recordTable().recordCount = 1;
    openTools();
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

    void addItemPictureStaysWhenTheItemIsNeverSaved_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("B7") << QStringLiteral("B7");
        // Save would refuse it; the picture takes it as typed.
        QTest::newRow("12 characters") << QStringLiteral("ABCDEF-12345");
    }

    void addItemPictureStaysWhenTheItemIsNeverSaved()
    {
        QFETCH(QString, code);
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings("/htdocs/")));
        QVERIFY(test::writeFile(categoryFilePath(QStringLiteral("Tools")), {}));
        const QColor colour(250, 200, 0);
        const QByteArray photo = test::solidPicture({800, 600}, colour, "BMP");
        const QString chosen = m_chosen.filePath(QStringLiteral("shot.bmp"));
        QVERIFY(test::writeFile(chosen, photo));
        openTools();
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;

        std::shared_ptr<QString> titleWhileBoxOpen;
        QImage shown;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* add = qobject_cast<ItemAdd*>(dialog);
            QVERIFY(add);
            add->setControlText(IDC_NAME, QStringLiteral("Mug"));
            add->setControlText(IDC_CODE, code);
            titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, *add);
            QTest::mouseClick(add->control(IDC_ADD_PICTURE_UPLOAD), Qt::LeftButton);
            shown = shownPicture(*add);
            QTest::mouseClick(add->control(IDOK), Qt::LeftButton); // "Cancel"
        });
        runItemAddDialog();
        QVERIFY(*opened);

        const QString picture = code + QStringLiteral(".jpg");
        QCOMPARE(*titleWhileBoxOpen, picture);
        QVERIFY(colourFills(shown, AddPreview, colour));
        QVERIFY(!colourAround(shown, AddPreview, colour));
        QCOMPARE(test::readFile(dataFilePath(picture)), photo);
        QCOMPARE(server.fileContents(QStringLiteral("/htdocs/") + picture), photo);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(test::readFile(categoryFilePath(QStringLiteral("Tools"))), QByteArray());
    }
};

QTEST_MAIN(TestPictureDialogs)
#include "tst_picturedialogs.moc"
