#include "editing/ItemAdd.h"
#include "editing/ItemPicture.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "res/CommandIds.h"
#include "res/DialogControlIds.h"

#include "DialogTestDriver.h"
#include "EditingTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "TestPictures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

namespace {

QByteArray tableBytes(const RecordTable& table)
{
    QByteArray bytes;
    for (int slot = 1; slot <= table.recordCount; ++slot)
        bytes.append(table.slots[size_t(slot)].bytes.data(), ItemRecord::Size);
    return bytes;
}

// Types the four texts into their boxes as the user would.
void typeItem(ResourceDialog& dialog, const QStringList& texts)
{
    const int boxes[] = {IDC_NAME, IDC_PRICE, IDC_QTY, IDC_CODE};
    for (int i = 0; i < 4; ++i) {
        typeText(dialog.control(boxes[i]), texts[i]);
        QCOMPARE(dialog.controlText(boxes[i]), texts[i]);
    }
}

// Opens the category in the main window and runs Item Add on it; action
// drives the dialog while it is open.
void runItemAdd(CWareloomDlg& main, const QString& category,
                const std::function<void(ItemAdd&)>& action)
{
    openCategory(main, category);
    if (QTest::currentTestFailed())
        return;
    auto opened = whenDialogOpens([&](QDialog* shown) {
        auto* dialog = qobject_cast<ItemAdd*>(shown);
        QVERIFY(dialog);
        action(*dialog);
    });
    giveCommand(main, ID_ITEMS_ITEMADD);
    QVERIFY(*opened);
}

} // namespace

class TestItemAdd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }
    void init()
    {
        resetBrowser();
        // What a scratch record carries behind its texts does not matter.
        recordTable().scratch().bytes.fill('\xAA');
    }

    void refusedSaveWritesNothing_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("texts"); // name, price, qty, code
        QTest::addColumn<QString>("message");   // null: the store's reason
        QTest::addColumn<QString>("caption");
        const QString noName = QStringLiteral("Error: You must enter an item name!");
        const QString title = QStringLiteral("Wareloom");
        const QString error = QStringLiteral("ERROR:");
        QTest::newRow("empty name, the rest filled")
            << 3 << false << QStringList{"", "4.50", "3", "A1"} << noName << title;
        QTest::newRow("empty name, the rest too long")
            << 3 << false << QStringList{"", QString(11, 'p'), QString(11, 'q'), QString(11, 'c')}
            << noName << title;
        QTest::newRow("61-character name, 11-character price")
            << 3 << false << QStringList{QString(61, 'n'), QString(11, 'p'), "", ""}
            << QStringLiteral("Maximum 60 characters for item name!") << error;
        QTest::newRow("11-character code")
            << 3 << false << QStringList{"Mug", "4.50", "3", QString(11, 'c')}
            << QStringLiteral("Maximum 10 characters for item code!") << error;
        QTest::newRow("999 items already")
            << 999 << false << QStringList{"One more", "1", "1", "X"} << QString() << title;
        QTest::newRow("file cannot be replaced")
            << 3 << true << QStringList{"One more", "1", "1", "X"} << QString() << title;
    }
    void refusedSaveWritesNothing()
    {
        QFETCH(int, existing);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        CategoryOnScreen shop("Shoes", existing);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        runItemAdd(shop.main, "Shoes", [&](ItemAdd& dialog) {
            std::optional<ReadOnlyDirectory> locked;
            if (readOnly) {
                locked.emplace(shop.data.path());
                QVERIFY(locked->ok());
            }
            typeItem(dialog, texts);
            QTest::mouseClick(dialog.control(IDC_SAVE), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.controlText(IDC_NAME), texts[0]); // kept to correct
            QCOMPARE(boxes.shown().size(), 1);
            checkBox(boxes.shown()[0], message, caption, MessageButtons::Ok, &dialog);
            dialog.reject();
        });
        QCOMPARE(fileBytes(shop.path), shop.bytes);
        // The table still matches the file: a later rewrite cannot bring the item back.
        QCOMPARE(tableBytes(recordTable()), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    void savedItemGoesLast_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<QStringList>("texts");     // name, price, qty, code as typed
        QTest::addColumn<QByteArrayList>("stored"); // the same in windows-1252
        QTest::newRow("60-character name, 10-character code, after three items")
            << 3 << QStringList{QString(60, 'N'), "4.50", "3", "ABCDEFGHIJ"}
            << QByteArrayList{QByteArray(60, 'N'), "4.50", "3", "ABCDEFGHIJ"};
        QTest::newRow("empty price, qty and code, first item")
            << 0 << QStringList{"Mug", "", "", ""} << QByteArrayList{"Mug", "", "", ""};
        QTest::newRow("10-character price and qty")
            << 1 << QStringList{"Boots", "1234567890", "0987654321", "B"}
            << QByteArrayList{"Boots", "1234567890", "0987654321", "B"};
        QTest::newRow("accented text")
            << 2
            << QStringList{QStringLiteral("Café crème"), QStringLiteral("€5"), QStringLiteral("½"),
                           QStringLiteral("Ü1")}
            << QByteArrayList{"Caf\xE9 cr\xE8me",
                              "\x80"
                              "5",
                              "\xBD",
                              "\xDC"
                              "1"};
    }
    void savedItemGoesLast()
    {
        QFETCH(int, existing);
        QFETCH(QStringList, texts);
        QFETCH(QByteArrayList, stored);
        CategoryOnScreen shop("Shoes", existing);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        runItemAdd(shop.main, "Shoes", [&](ItemAdd& dialog) {
            typeItem(dialog, texts);
            QTest::mouseClick(dialog.control(IDC_SAVE), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(boxes.shown().size(), 0);

        const QByteArray after = fileBytes(shop.path);
        QCOMPARE(after.size(), (existing + 1) * 90);
        QCOMPARE(after.left(existing * 90), shop.bytes);
        const QByteArray added = after.mid(existing * 90);
        QCOMPARE(storedField(added, 0, 60), stored[0]);
        QCOMPARE(storedField(added, 70, 10), stored[1]);
        QCOMPARE(storedField(added, 80, 10), stored[2]);
        QCOMPARE(storedField(added, 60, 10), stored[3]);
        QCOMPARE(tableBytes(recordTable()), after);

        QVERIFY(browserState().refresh);
        QTRY_COMPARE(listLines(shop.main).size(), existing + 2);
        QVERIFY(!browserState().refresh);
        QCOMPARE(shop.main.controlText(MainHeading), QStringLiteral("Shoes"));
        QVERIFY(listLines(shop.main).last().startsWith(texts[0]));
        QCOMPARE(shop.main.controlText(MainNumber), QString::number(existing + 1));
    }

    void fileDeletedAfterOpeningIsRecreated()
    {
        CategoryOnScreen shop("Shoes", 3);
        QVERIFY(shop.written);
        runItemAdd(shop.main, "Shoes", [&](ItemAdd& dialog) {
            QVERIFY(QFile::remove(shop.path));
            typeItem(dialog, {"Mug", "4.50", "3", "M1"});
            QTest::mouseClick(dialog.control(IDC_SAVE), Qt::LeftButton);
        });
        const QByteArray after = fileBytes(shop.path);
        QCOMPARE(after.size(), 90);
        QCOMPARE(storedField(after, 0, 60), QByteArray("Mug"));
        QCOMPARE(storedField(after, 60, 10), QByteArray("M1"));
        QTRY_COMPARE(listLines(shop.main).size(), 2);
    }

    void pictureUploadActsAtOnce()
    {
        CategoryOnScreen shop("Shoes", 1);
        QVERIFY(shop.written);
        TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(writeSettingsFile(server.settings("/htdocs/")));
        QTemporaryDir mine;
        const QByteArray photo = solidPicture({40, 20}, Qt::red);
        const QString chosen = mine.filePath("photo.png");
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(photo) == photo.size());
        file.close();
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;
        runItemAdd(shop.main, "Shoes", [&](ItemAdd& dialog) {
            typeItem(dialog, {"Mug", "", "", "A1"});
            QTest::mouseClick(dialog.control(IDC_ADD_PICTURE_UPLOAD), Qt::LeftButton);
            QCOMPARE(files.shownCount(), 1);
            QCOMPARE(boxes.shown().size(), 1);
            checkBox(boxes.shown()[0], "Image Uploaded!", "Wareloom", MessageButtons::Ok, &dialog);
            const QRect preview(picturePosition(ItemDialogKind::AddItem), QSize(350, 150));
            const QImage shown = dialog.clientArea()->grab().toImage();
            QCOMPARE(shown.pixelColor(preview.center()), QColor(Qt::red));
            dialog.reject(); // the item itself is never saved
        });
        QCOMPARE(fileBytes(shop.data.filePath("A1.jpg")), photo);
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), photo);
        QCOMPARE(fileBytes(shop.path), shop.bytes);
    }

    void enterClosesWithoutSaving()
    {
        CategoryOnScreen shop("Shoes", 1);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        runItemAdd(shop.main, "Shoes", [&](ItemAdd& dialog) {
            typeItem(dialog, {"Mug", "4.50", "3", "M1"});
            QTest::keyClick(dialog.control(IDC_NAME), Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(fileBytes(shop.path), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    void opensOnTheCategoryWithTheFocusInTheNameBox()
    {
        // A focus timer armed by an earlier, quickly closed dialog may still be pending.
        QTest::qWait(300);
        CategoryOnScreen shop("Garden Tools", 1);
        QVERIFY(shop.written);
        bool startedElsewhere = false;
        QList<int> tabOrder;
        runItemAdd(shop.main, "Garden Tools", [&](ItemAdd& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Add New Item"));
            QCOMPARE(dialog.controlText(IDC_CATEGORY), QStringLiteral("Garden Tools"));
            QVERIFY(dialog.handlesCommand(IDC_ADD_PICTURE_UPLOAD));
            startedElsewhere = !dialog.control(IDC_NAME)->hasFocus();
            QTRY_VERIFY_WITH_TIMEOUT(dialog.control(IDC_NAME)->hasFocus(), 1000);
            dialog.control(IDOK)->setFocus();
            for (int i = 0; i < 7; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                tabOrder << QApplication::focusWidget()->objectName().mid(7).toInt();
            }
            dialog.reject();
        });
        QVERIFY(startedElsewhere);
        QCOMPARE(tabOrder, (QList<int>{IDC_NAME, IDC_PRICE, IDC_QTY, IDC_CODE, IDC_SAVE,
                                       IDC_ADD_PICTURE_UPLOAD, IDOK}));
    }
};

QTEST_MAIN(TestItemAdd)
#include "tst_itemadd.moc"
