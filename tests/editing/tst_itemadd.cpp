#include "gui/editing/ItemAdd.h"

#include "EditingTestDriver.h"
#include "ReadOnlyDirectory.h"

#include <optional>

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

void typeItem(ResourceDialog& dialog, const QStringList& texts)
{
    const int boxes[] = {IDC_NAME, IDC_PRICE, IDC_QTY, IDC_CODE};
    for (int i = 0; i < 4; ++i)
        typeText(dialog.control(boxes[i]), texts[i]);
}

// Opens the category and runs Item Add on it.
bool runItemAdd(CategoryOnScreen& shop, const std::function<void(ItemAdd&)>& action)
{
    openCategory(shop.main, QFileInfo(shop.path).completeBaseName());
    return !QTest::currentTestFailed() &&
           onCommandDialog<ItemAdd>(shop.main, ID_ITEMS_ITEMADD, action);
}

} // namespace

class TestItemAdd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetBrowser(); }

    void refusedSaveWritesNothing_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("texts"); // name, price, qty, code
        QTest::addColumn<QString>("message");   // null: the store's reason
        QTest::addColumn<QString>("caption");
        const QString t11(11, 't');
        QTest::newRow("empty name, the rest too long")
            << 3 << false << QStringList{"", t11, t11, t11}
            << QStringLiteral("Error: You must enter an item name!") << "Wareloom";
        QTest::newRow("61-character name, 11-character price")
            << 3 << false << QStringList{QString(61, 'n'), t11, "", ""}
            << QStringLiteral("Maximum 60 characters for item name!") << "ERROR:";
        QTest::newRow("999 items already")
            << 999 << false << QStringList{"One more", "1", "1", "X"} << QString() << "Wareloom";
        QTest::newRow("file cannot be replaced")
            << 3 << true << QStringList{"One more", "1", "1", "X"} << QString() << "Wareloom";
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
        QVERIFY(runItemAdd(shop, [&](ItemAdd& dialog) {
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
        }));
        QCOMPARE(readFile(shop.path), shop.bytes);
        // The table still matches the file: a later rewrite cannot bring the item back.
        QCOMPARE(tableBytes(recordTable()), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    void savedItemGoesLast_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<bool>("removed");      // the file deleted after opening
        QTest::addColumn<QStringList>("texts"); // name, price, qty, code as typed
        QTest::addColumn<QByteArray>("stored"); // the record, in windows-1252
        QTest::newRow("60-character name, 10-character code, after three items")
            << 3 << false << QStringList{QString(60, 'N'), "4.50", "3", "ABCDEFGHIJ"}
            << recordBytes(QByteArray(60, 'N'), "ABCDEFGHIJ", "4.50", "3");
        QTest::newRow("empty price, qty and code, first item")
            << 0 << false << QStringList{"Mug", "", "", ""} << recordBytes("Mug", "", "", "");
        QTest::newRow("10-character price and qty")
            << 1 << false << QStringList{"Boots", "1234567890", "0987654321", "B"}
            << recordBytes("Boots", "B", "1234567890", "0987654321");
        QTest::newRow("accented text")
            << 2 << false << QStringList{"Café crème", "€5", "½", "Ü1"}
            << recordBytes("Caf\xE9 cr\xE8me", "\xDC\x31", "\x80\x35", "\xBD");
        QTest::newRow("file deleted after opening: made anew")
            << 3 << true << QStringList{"Mug", "4.50", "3", "M1"}
            << recordBytes("Mug", "M1", "4.50", "3");
    }
    void savedItemGoesLast()
    {
        QFETCH(int, existing);
        QFETCH(bool, removed);
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, stored);
        CategoryOnScreen shop("Shoes", existing);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        QVERIFY(runItemAdd(shop, [&](ItemAdd& dialog) {
            if (removed)
                QVERIFY(QFile::remove(shop.path));
            typeItem(dialog, texts);
            QTest::mouseClick(dialog.control(IDC_SAVE), Qt::LeftButton);
        }));
        QCOMPARE(boxes.shown().size(), 0);
        const int kept = removed ? 0 : existing;
        const QByteArray after = readFile(shop.path);
        QCOMPARE(after, shop.bytes.left(kept * 90) + stored);
        QCOMPARE(tableBytes(recordTable()), after);

        QVERIFY(browserState().refresh);
        QTRY_COMPARE(listLines(shop.main).size(), kept + 2);
        QVERIFY(!browserState().refresh);
        QCOMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Shoes"));
        QVERIFY(listLines(shop.main).last().startsWith(texts[0]));
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QString::number(kept + 1));
    }

    void enterClosesWithoutSaving()
    {
        CategoryOnScreen shop("Shoes", 1);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        QVERIFY(runItemAdd(shop, [&](ItemAdd& dialog) {
            typeItem(dialog, {"Mug", "4.50", "3", "M1"});
            QTest::keyClick(dialog.control(IDC_NAME), Qt::Key_Return);
        }));
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(readFile(shop.path), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    // The name box takes the focus a moment after opening, once.
    void opensOnTheCategoryWithTheFocusInTheNameBox()
    {
        QTest::qWait(300); // a focus timer of an earlier dialog may still be pending
        CategoryOnScreen shop("Garden Tools", 1);
        QVERIFY(shop.written);
        bool startedElsewhere = false;
        QVERIFY(runItemAdd(shop, [&](ItemAdd& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Add New Item"));
            QCOMPARE(dialog.controlText(IDC_CATEGORY), QStringLiteral("Garden Tools"));
            startedElsewhere = !dialog.control(IDC_NAME)->hasFocus();
            QTRY_VERIFY_WITH_TIMEOUT(dialog.control(IDC_NAME)->hasFocus(), 1000);
            dialog.control(IDC_PRICE)->setFocus();
            QTest::qWait(300); // no later tick pulls it back
            QVERIFY(dialog.control(IDC_PRICE)->hasFocus());
            dialog.reject();
        }));
        QVERIFY(startedElsewhere);
    }
};

QTEST_MAIN(TestItemAdd)
#include "tst_itemadd.moc"
