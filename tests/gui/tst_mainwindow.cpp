#include "WindowDriver.h"

#include "gui/dialogs/ItemDialog.h"

#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QToolBar>

using namespace wareloom;
using namespace wareloom::test;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartOnAnEmptyDataDirectory()
    {
        WindowOnData shown;
        QCOMPARE(shown.window.windowTitle(), QStringLiteral("Wareloom"));
        QCOMPARE(shown.label("heading"), QStringLiteral("Category List"));
        QCOMPARE(shown.label("number"), QStringLiteral("0"));
        QVERIFY(shown.lines().isEmpty());
    }

    // Counts come from the file sizes; the lines are padded with spaces for
    // the fixed-pitch font.
    void categoryAndItemLines()
    {
        WindowOnData shown({{"Books.dat", QByteArray(12 * 90, 'b')},
                            {"Empty.dat", QByteArray()},
                            {"Part.DAT", QByteArray(185, 'p')},
                            {"Kitchen.dat", recordBytes("Mug", "M1", "4.50", "3")},
                            {"inventory.htm", "x"}});
        QVERIFY(shown.written);
        QStringList lines = shown.lines();
        lines.sort();
        QCOMPARE(lines, QStringList({"CATEGORY - Books" + QString(64, ' ') + "  12",
                                     "CATEGORY - Empty" + QString(64, ' ') + "   0",
                                     "CATEGORY - Kitchen" + QString(62, ' ') + "   1",
                                     "CATEGORY - Part" + QString(65, ' ') + "   2"}));
        QCOMPARE(shown.label("number"), QStringLiteral("15"));

        shown.openCategory(QStringLiteral("Kitchen"));
        QCOMPARE(shown.lines(),
                 QStringList({"<-Back", "Mug" + QString(58, ' ') + "  " + QString(9, ' ') + "3 " +
                                            QString(6, ' ') + "4.50 " + QString(8, ' ') + "M1"}));
        QCOMPARE(shown.label("number"), QStringLiteral("1"));
        QCOMPARE(shown.lines().at(1).size(), 95);
    }

    // The line opens its own file whatever the name, and back returns.
    void selectingACategoryAndGoingBack_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("75 characters") << QString(75, 'L') + ".dat";
        QTest::newRow("ending in spaces") << "Shoes   .dat";
        QTest::newRow("upper-case extension") << "Tools.DAT";
    }
    void selectingACategoryAndGoingBack()
    {
        QFETCH(QString, fileName);
        WindowOnData shown({{fileName, recordBytes("Only")}, {"Other.dat", QByteArray()}});
        shown.openCategory(fileName.chopped(4));
        QCOMPARE(shown.lines().size(), 2);
        QVERIFY(shown.lines().at(1).startsWith(QStringLiteral("Only ")));
        shown.clickLine(0);
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Category List"));
        QCOMPARE(shown.lines().size(), 2);
        QVERIFY(!shown.inventory.hasOpenCategory());
    }

    // An item line opens the Edit dialog on that record, whatever its name.
    void selectingAnItemOpensItsEditDialog_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("position 3") << 3 << "Item 3";
        QTest::newRow("first record, named like the back entry") << 1 << "<-Backpack";
    }
    void selectingAnItemOpensItsEditDialog()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        QByteArray records = numberedRecords(4);
        records.replace(0, 90, recordBytes("<-Backpack", "B1"));
        WindowOnData shown({{"Bags.dat", records}});
        shown.openCategory(QStringLiteral("Bags"));
        QVERIFY(onDialog<ItemDialog>([&] { shown.clickLine(row); },
                                     [&](ItemDialog& dialog) {
                                         QCOMPARE(dialog.windowTitle(),
                                                  QStringLiteral("Wareloom - Edit"));
                                         QCOMPARE(child<QLineEdit>(dialog, "name")->text(), name);
                                         dialog.reject();
                                     }));
        QCOMPARE(shown.label("heading"), QStringLiteral("Bags"));
    }

    // After a rebuild the first key moves from the first line, as in any list.
    void keyboardMovesFromTheFirstLine()
    {
        WindowOnData shown({{"Bags.dat", numberedRecords(3)}});
        shown.list()->setFocus();
        QTest::keyClick(shown.list(), Qt::Key_Home); // onto the only category: opens it
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Bags"));
        QVERIFY(onDialog<ItemDialog>([&] { QTest::keyClick(shown.list(), Qt::Key_End); },
                                     [&](ItemDialog& dialog) {
                                         QCOMPARE(child<QLineEdit>(dialog, "name")->text(),
                                                  QStringLiteral("Item 3"));
                                         dialog.reject();
                                     }));
    }

    // The list follows the window's size.
    void listFillsTheResizedWindow()
    {
        WindowOnData shown;
        shown.window.resize(1400, 900);
        QTRY_VERIFY(shown.list()->width() > 1300 && shown.list()->height() > 650);
    }

    // What another program writes shows within a second, in either view.
    void changesByAnotherProgramShow()
    {
        WindowOnData shown({{"Tools.dat", recordBytes("Saw")}});
        auto append = [&](const QString& file) {
            QCOMPARE(QProcess::execute(QStringLiteral("/bin/sh"),
                                       {"-c", "printf '%090d' 0 >> \"$0\"", file}),
                     0);
        };
        append(shown.data.filePath(QStringLiteral("Garden.dat")));
        QTRY_COMPARE_WITH_TIMEOUT(shown.lines().size(), 2, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(shown.label("number"), QStringLiteral("2"), 1000);
        shown.openCategory(QStringLiteral("Tools"));
        append(shown.data.filePath(QStringLiteral("Tools.dat")));
        QTRY_COMPARE_WITH_TIMEOUT(shown.lines().size(), 3, 1000);
    }

    // Typing narrows the items; in the category view it finds them everywhere.
    void findingItems()
    {
        WindowOnData shown(
            {{"Kitchen.dat", recordBytes("Cr\xE8me jug", "J1") + recordBytes("Mug", "M1")},
             {"Garden.dat", recordBytes("Rake", "CREME-2")}});
        shown.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        QTest::keySequence(&shown.window, QKeySequence::Find);
        auto* filter = child<QLineEdit>(shown.window, "filter");
        QCOMPARE(QApplication::focusWidget(), filter);
        QTest::keyClicks(filter, "creme");
        QStringList found = shown.lines();
        found.sort();
        QCOMPARE(found.size(), 2);
        QVERIFY(found[0].startsWith("Cr\u00E8me jug") && found[0].endsWith("  Kitchen"));
        QVERIFY(found[1].startsWith("Rake") && found[1].endsWith("  Garden"));
        const int row = shown.lines().indexOf(found[1]);
        QVERIFY(onDialog<ItemDialog>([&] { shown.clickLine(row); },
                                     [&](ItemDialog& dialog) {
                                         QCOMPARE(child<QLineEdit>(dialog, "code")->text(),
                                                  QStringLiteral("CREME-2"));
                                         dialog.reject();
                                     }));
        QCOMPARE(shown.label("heading"), QStringLiteral("Garden"));
        QVERIFY(filter->text().isEmpty());

        shown.clickLine(0);
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Category List"));
        shown.openCategory(QStringLiteral("Kitchen"));
        QTest::keyClicks(filter, "m1");
        QCOMPARE(shown.lines().size(), 2);
        QVERIFY(shown.lines()[1].startsWith("Mug "));
        QTest::keyClick(filter, Qt::Key_Escape); // clears, and does not end the program
        QCOMPARE(shown.lines().size(), 3);
        QVERIFY(shown.window.isVisible());
    }

    void moreThan999ItemsAreRefused()
    {
        WindowOnData shown({{"Huge.dat", QByteArray(1000 * 90, 'h')}});
        MessageBoxHook boxes;
        shown.openCategory(QStringLiteral("Huge"));
        QCOMPARE(shown.lines(), QStringList{"<-Back"});
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.shown()[0].text.contains(QStringLiteral("999")));
    }

    void itemAddNeedsAnOpenCategory()
    {
        WindowOnData shown({{"Tools.dat", QByteArray()}});
        MessageBoxHook boxes;
        shown.trigger("actionItemAdd");
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text,
                 QStringLiteral("Error You have to select a category first!"));
        QCOMPARE(boxes.shown()[0].owner.data(), &shown.window);
    }

    // answer: to the Quit question; ended: whether the window ended.
    void ending_data()
    {
        QTest::addColumn<int>("key"); // 0: the close box, -1: Quit Program
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ended");
        QTest::newRow("Quit, No") << -1 << int(IDNO) << false;
        QTest::newRow("Quit, Yes") << -1 << int(IDYES) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0 << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("close box") << 0 << 0 << true;
    }
    void ending()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(bool, ended);
        WindowOnData shown;
        QSignalSpy finished(&shown.window, &MainWindow::finished);
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        if (key == -1)
            shown.trigger("actionQuitProgram");
        else if (key == 0)
            shown.window.close();
        else
            QTest::keyClick(shown.list(), Qt::Key(key));
        QCOMPARE(finished.size(), ended ? 1 : 0);
        QCOMPARE(boxes.shown().size(), key == -1 ? 1 : 0);
        if (key == -1) {
            QCOMPARE(boxes.shown()[0].text, QStringLiteral("Quit program.  Are you sure?"));
            QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Quit Program"));
        }

        // Held by an automation client, ending only hides.
        WindowOnData held;
        QSignalSpy heldFinished(&held.window, &MainWindow::finished);
        held.window.setHeldByAutomation(true);
        QTest::keyClick(held.list(), Qt::Key_Escape);
        QVERIFY(held.window.isHidden());
        QCOMPARE(heldFinished.size(), 0);
    }

    void menusAndToolbar()
    {
        WindowOnData shown;
        QStringList menus;
        for (QAction* menu : shown.window.menuBar()->actions()) {
            QStringList entries;
            for (QAction* entry : menu->menu()->actions())
                entries << entry->text();
            menus << menu->text() + ": " + entries.join(", ");
        }
        QCOMPARE(menus,
                 QStringList({"&File: &Quit Program", "&Items: &Item Add",
                              "&Category: &New Category, &Delete Category, &Export to CSV..., "
                              "&Import from CSV...",
                              "&HTML: &FTP Settings, &FTP Upload, &WebSite, W&ebSite "
                              "Banner Upload, Website &Settings...",
                              "&Help: &About"}));
        QStringList buttons;
        for (QAction* button : child<QToolBar>(shown.window, "toolBar")->actions())
            buttons << button->objectName();
        QCOMPARE(buttons, QStringList({"actionItemAdd", "actionFtpUpload", "actionWebSite"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
