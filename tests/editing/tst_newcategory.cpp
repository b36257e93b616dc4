#include "editing/NewCategory.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/DialogControlIds.h"

#include "DialogTestDriver.h"
#include "EditingTestDriver.h"
#include "TempDataDirectory.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

namespace {

// Every file below dir, as paths relative to it, with their bytes.
QMap<QString, QByteArray> filesBelow(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(QDir(dir).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

// Types the name into the dialog's box and presses Save.
void typeAndSave(ResourceDialog& dialog, const QString& name)
{
    typeText(dialog.control(IDC_NAME), name);
    QCOMPARE(dialog.controlText(IDC_NAME), name);
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
        QTest::addColumn<bool>("told");
        QTest::addColumn<QString>("message"); // null: the store's reason
        QTest::newRow("empty") << QString() << false << QString();
        QTest::newRow("81 characters")
            << QString(81, 'x') << true
            << QStringLiteral("Maximum 80 Characters for category name!");
        QTest::newRow("clash") << QStringLiteral("Shoes") << true << QString();
        QTest::newRow("slash into a folder") << QStringLiteral("Sub/Boots") << true << QString();
        QTest::newRow("backslash") << QStringLiteral("Sub\\Boots") << true << QString();
        QTest::newRow("climbing out") << QStringLiteral("../Escape") << true << QString();
        QTest::newRow("dot dot") << QStringLiteral("..") << true << QString();
    }
    void refusedNamesCreateNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, told);
        QFETCH(QString, message);
        CategoryOnScreen shop("Shoes", 2);
        QVERIFY(shop.written);
        QVERIFY(QDir(shop.data.path()).mkdir("Sub"));
        const QString root = QFileInfo(shop.data.path()).path();
        const QMap<QString, QByteArray> before = filesBelow(root);

        QTRY_VERIFY(categoryLineOf(shop.main, "Shoes") >= 0);
        MessageBoxHook boxes;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            auto* dialog = qobject_cast<NewCategory*>(shown);
            QVERIFY(dialog);
            typeAndSave(*dialog, name);
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->controlText(IDC_NAME), name); // left to correct
            QCOMPARE(boxes.shown().size(), told ? 1 : 0);
            if (told) {
                const ShownMessageBox& box = boxes.shown().first();
                checkBox(box, message, "ERROR:", MessageButtons::Ok, dialog);
                if (message.isNull()) // the store's reason names the name
                    QVERIFY2(box.text.contains(name), qPrintable(box.text));
            }
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        giveCommand(shop.main, ID_CATEGORY_NEWCATEGORY);
        QVERIFY(*opened);
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
        CategoryOnScreen shop("Shoes", 2);
        QVERIFY(shop.written);
        if (fromItemView)
            openCategory(shop.main, "Shoes");
        MessageBoxHook boxes;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            typeAndSave(*qobject_cast<ResourceDialog*>(shown), name);
            QVERIFY(!shown->isVisible());
        });
        giveCommand(shop.main, ID_CATEGORY_NEWCATEGORY);
        QVERIFY(*opened);
        QCOMPARE(boxes.shown().size(), 0);

        QFile created(shop.data.filePath(name + ".dat"));
        QVERIFY(created.exists());
        QCOMPARE(created.size(), 0);
        // The heading may say so already: wait for the rebuild the save asked for.
        QTRY_VERIFY(!browserState().refresh);
        QCOMPARE(shop.main.controlText(MainHeading), QStringLiteral("Category List"));
        const int line = categoryLineOf(shop.main, name);
        QVERIFY(line >= 0);
        QVERIFY(shop.main.listText(MainList, line).endsWith(QStringLiteral("   0")));
        QCOMPARE(shop.main.listCount(MainList), 2);
        QVERIFY(browserState().currentCategoryPath.isEmpty());
        QFile old(shop.path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), shop.bytes);
    }

    void enterClosesWithoutCreating()
    {
        TempDataDirectory data;
        CWareloomDlg main;
        main.show();
        MessageBoxHook boxes;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            auto* dialog = qobject_cast<ResourceDialog*>(shown);
            QTest::keyClicks(dialog->control(IDC_NAME), "Garden");
            QTest::keyClick(dialog->control(IDC_NAME), Qt::Key_Return);
            QVERIFY(!dialog->isVisible());
        });
        giveCommand(main, ID_CATEGORY_NEWCATEGORY);
        QVERIFY(*opened);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList());
    }

    void nameBoxTakesTheFocusAfterOpening()
    {
        // A focus timer armed by an earlier, quickly closed dialog may still be pending.
        QTest::qWait(300);
        TempDataDirectory data;
        CWareloomDlg main;
        main.show();
        bool startedElsewhere = false;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            auto* dialog = qobject_cast<ResourceDialog*>(shown);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Wareloom - Add Category"));
            startedElsewhere = !dialog->control(IDC_NAME)->hasFocus();
            QTRY_VERIFY_WITH_TIMEOUT(dialog->control(IDC_NAME)->hasFocus(), 1000);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        giveCommand(main, ID_CATEGORY_NEWCATEGORY);
        QVERIFY(*opened);
        QVERIFY(startedElsewhere);
    }
};

QTEST_MAIN(TestNewCategory)
#include "tst_newcategory.moc"
