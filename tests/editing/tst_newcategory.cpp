#include "gui/editing/NewCategory.h"

#include "EditingTestDriver.h"

#include <QDirIterator>

using namespace wareloom;
using namespace wareloom::test;

namespace {

// Every file below dir, by relative path, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), readFile(path));
    }
    return files;
}

void typeAndSave(ResourceDialog& dialog, const QString& name)
{
    typeText(dialog.control(IDC_NAME), name);
    QTest::mouseClick(dialog.control(IDC_SAVE), Qt::LeftButton);
}

} // namespace

class TestNewCategory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetBrowser(); }

    void refusedNamesCreateNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // null: the store's reason naming the name
        QTest::newRow("empty: no message") << QString() << QString();
        QTest::newRow("81 characters")
            << QString(81, 'x') << QStringLiteral("Maximum 80 Characters for category name!");
        QTest::newRow("clash") << QStringLiteral("Shoes") << QString();
        QTest::newRow("slash into a folder") << QStringLiteral("Sub/Boots") << QString();
        QTest::newRow("backslash") << QStringLiteral("Sub\\Boots") << QString();
        QTest::newRow("climbing out") << QStringLiteral("../Escape") << QString();
        QTest::newRow("dot dot") << QStringLiteral("..") << QString();
    }
    void refusedNamesCreateNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        CategoryOnScreen shop("Shoes", numberedRecords(2));
        QVERIFY(shop.written);
        QVERIFY(QDir(shop.data.path()).mkdir("Sub"));
        const QString root = QFileInfo(shop.data.path()).path();
        const QMap<QString, QByteArray> before = filesBelow(root);
        QTRY_VERIFY(categoryLineOf(shop.main, "Shoes") >= 0);
        MessageBoxHook boxes;
        QVERIFY(onCommandDialog<NewCategory>(
            shop.main, ID_CATEGORY_NEWCATEGORY, [&](NewCategory& dialog) {
                typeAndSave(dialog, name);
                QVERIFY(dialog.isVisible()); // left to correct
                QCOMPARE(boxes.shown().size(), name.isEmpty() ? 0 : 1);
                if (!name.isEmpty()) {
                    checkBox(boxes.shown()[0], message, "ERROR:", MessageButtons::Ok, &dialog);
                    if (message.isNull())
                        QVERIFY(boxes.shown()[0].text.contains(name));
                }
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }));
        QCOMPARE(filesBelow(root), before);
        QVERIFY(!browserState().refresh);
    }

    void savedCategoryIsListedWithNoItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fromItemView");
        QTest::newRow("80 characters") << QString(80, 'c') << false;
        QTest::newRow("from the item view") << QStringLiteral("Garden Tools") << true;
        QTest::newRow("accented, ending in a space") << QStringLiteral("Ölkanne € ") << true;
    }
    void savedCategoryIsListedWithNoItems()
    {
        QFETCH(QString, name);
        QFETCH(bool, fromItemView);
        CategoryOnScreen shop("Shoes", numberedRecords(2));
        QVERIFY(shop.written);
        if (fromItemView)
            openCategory(shop.main, "Shoes");
        MessageBoxHook boxes;
        QVERIFY(
            onCommandDialog<NewCategory>(shop.main, ID_CATEGORY_NEWCATEGORY,
                                         [&](NewCategory& dialog) { typeAndSave(dialog, name); }));
        QCOMPARE(boxes.shown().size(), 0);
        QVERIFY(QFile::exists(shop.data.filePath(name + ".dat")));
        QCOMPARE(readFile(shop.data.filePath(name + ".dat")), QByteArray());
        // The heading may say so already: wait for the rebuild the save asked for.
        QTRY_VERIFY(!browserState().refresh);
        QCOMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Category List"));
        QCOMPARE(shop.main.listCount(IDC_LIST), 2);
        QVERIFY(shop.main.listText(IDC_LIST, categoryLineOf(shop.main, name)).endsWith("   0"));
        QVERIFY(browserState().currentCategoryPath.isEmpty());
        QCOMPARE(readFile(shop.path), shop.bytes);
    }

    // The name box takes the focus a moment after opening; Enter presses the
    // default button, Cancel.
    void focusAfterOpeningThenEnterClosesWithoutCreating()
    {
        QTest::qWait(300); // a focus timer of an earlier dialog may still be pending
        CategoryOnScreen shop("Shoes", {});
        bool startedElsewhere = false;
        MessageBoxHook boxes;
        QVERIFY(onCommandDialog<NewCategory>(
            shop.main, ID_CATEGORY_NEWCATEGORY, [&](NewCategory& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Add Category"));
                startedElsewhere = !dialog.control(IDC_NAME)->hasFocus();
                QTRY_VERIFY_WITH_TIMEOUT(dialog.control(IDC_NAME)->hasFocus(), 1000);
                QTest::keyClicks(dialog.control(IDC_NAME), "Garden");
                QTest::keyClick(dialog.control(IDC_NAME), Qt::Key_Return);
            }));
        QVERIFY(startedElsewhere);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(QDir(shop.data.path()).entryList(QDir::Files), QStringList{"Shoes.dat"});
    }
};

QTEST_MAIN(TestNewCategory)
#include "tst_newcategory.moc"
