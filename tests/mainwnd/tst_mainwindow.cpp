#include "../editing/EditingTestDriver.h"

#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

using namespace wareloom;
using namespace wareloom::test;

namespace {

const QString CategoryList = QStringLiteral("Category List");

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetBrowser(); }

    void firstStartOnAnEmptyDataDirectory()
    {
        TempDataDirectory data(false);
        CWareloomDlg dlg;
        dlg.show();
        QCOMPARE(dlg.controlText(IDC_HEADING), QStringLiteral("Static"));
        QVERIFY(QDir(data.path()).exists());
        QTRY_COMPARE(dlg.controlText(IDC_HEADING), CategoryList);
        QCOMPARE(dlg.listCount(IDC_LIST), 0);
        QCOMPARE(dlg.controlText(IDC_NUMBER), QStringLiteral("0"));
    }

    void categoriesListWithTheirCounts()
    {
        CategoryOnScreen shop("Empty", {},
                              {{"One.dat", QByteArray(90, 'x')},
                               {"Two.dat", QByteArray(185, 'x')},
                               {"notes.txt", QByteArray(900, 'x')}});
        QVERIFY(shop.written);
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), CategoryList);
        QStringList shown = listLines(shop.main);
        shown.sort();
        QCOMPARE(shown, (QStringList{"CATEGORY - Empty" + QString(64, ' ') + "   0",
                                     "CATEGORY - One" + QString(66, ' ') + "   1",
                                     "CATEGORY - Two" + QString(66, ' ') + "   2"}));
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("3"));
        QCOMPARE(browserState().categoryCount, 3);
        QCOMPARE(browserState().totalItemCount, 3);
    }

    void categoryLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("line");
        QTest::newRow("Books, 12 items: 84 characters")
            << "Books" << 12 << "CATEGORY - Books" + QString(64, ' ') + "  12";
        QTest::newRow("70 characters: no padding left")
            << QString(70, 'n') << 0 << "CATEGORY - " + QString(70, 'n') + "   0";
        QTest::newRow("75 characters: longer than 80, kept whole")
            << QString(75, 'L') << 1 << "CATEGORY - " + QString(75, 'L') + "   1";
        QTest::newRow("1000 items: the count widens")
            << "Big" << 1000 << "CATEGORY - Big" + QString(66, ' ') + " 1000";
    }
    void categoryLine()
    {
        QFETCH(QString, name);
        QFETCH(int, items);
        QFETCH(QString, line);
        CategoryOnScreen shop(name, numberedRecords(items));
        QVERIFY(shop.written);
        QTRY_COMPARE(listLines(shop.main), QStringList{line});
        QVERIFY(name != "Books" || line.size() == 84);
    }

    void itemLineColumns()
    {
        CategoryOnScreen shop("Kitchen", recordBytes("Mug", "M1", "4.50", "3") +
                                             recordBytes(QByteArray(60, 'N'), "ABCDEFGHIJ",
                                                         "0123456789", "1234567890"));
        QVERIFY(shop.written);
        openCategory(shop.main, "Kitchen");
        const QString mug = "Mug" + QString(58, ' ') + "  " + QString(9, ' ') + "3" + " " +
                            QString(6, ' ') + "4.50" + " " + QString(8, ' ') + "M1";
        QCOMPARE(mug.size(), 95);
        const QString full =
            QString(60, 'N') + " " + "  " + "1234567890" + " " + "0123456789" + " " + "ABCDEFGHIJ";
        QCOMPARE(listLines(shop.main), (QStringList{"<-Back", mug, full}));
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("2"));
    }

    // Item Add needs an open category: not right after start, nor after <-Back.
    void selectingACategoryAndGoingBack()
    {
        CategoryOnScreen shop("Books", numberedRecords(12), {{"Shoes.dat", numberedRecords(2)}});
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        giveCommand(shop.main, ID_BUTTON_ITEMADD);
        QCOMPARE(boxes.shown().size(), 1);

        QTRY_COMPARE(shop.main.listCount(IDC_LIST), 2);
        clickListLine(shop.main, categoryLineOf(shop.main, "Books"));
        QCOMPARE(browserState().currentCategoryPath, shop.path);
        QCOMPARE(browserState().currentCategoryName, QStringLiteral("Books"));
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Books"));
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("12"));
        QCOMPARE(shop.main.listCount(IDC_LIST), 13);
        QCOMPARE(shop.main.listText(IDC_LIST, 0), QStringLiteral("<-Back"));
        QVERIFY(shop.main.listText(IDC_LIST, 12).startsWith("Item 12 "));
        QCOMPARE(shop.main.listCurrentSelection(IDC_LIST), -1);
        QVERIFY(onCommandDialog<QDialog>(shop.main, ID_ITEMS_ITEMADD,
                                         [](QDialog& add) { add.reject(); }));
        QCOMPARE(boxes.shown().size(), 1);

        clickListLine(shop.main, 0);
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), CategoryList);
        QCOMPARE(browserState().currentCategoryPath, QString());
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("14"));
        giveCommand(shop.main, ID_ITEMS_ITEMADD);
        giveCommand(shop.main, ID_BUTTON_ITEMADD);
        QCOMPARE(boxes.shown().size(), 3);
        for (const ShownMessageBox& box : boxes.shown())
            checkBox(box, "Error You have to select a category first!", "Wareloom",
                     MessageButtons::Ok, &shop.main);
    }

    void namesTheLineCannotGiveBackOpenTheirOwnFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("75 characters") << QString(75, 'L') << QString(75, 'L') + ".dat";
        QTest::newRow("ending in a space") << "Shoes "
                                           << "Shoes .dat";
        QTest::newRow("ending in spaces") << "Shoes   "
                                          << "Shoes   .dat";
        QTest::newRow("upper-case extension") << "Tools"
                                              << "Tools.DAT";
    }
    void namesTheLineCannotGiveBackOpenTheirOwnFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileName);
        CategoryOnScreen shop(
            "Shoes", numberedRecords(1),
            {{fileName, numberedRecords(4)}, {QString(70, 'L') + ".dat", numberedRecords(2)}});
        QVERIFY(shop.written);
        QTRY_COMPARE(shop.main.listCount(IDC_LIST), 3);
        const int row = listLines(shop.main).indexOf(QRegularExpression(".*   4"));
        QVERIFY(row >= 0);
        clickListLine(shop.main, row);
        QCOMPARE(browserState().currentCategoryName, name);
        QCOMPARE(browserState().currentCategoryPath, shop.data.filePath(fileName));
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), name);
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("4"));
    }

    void selectingAnItemOpensItsSlot_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("position 3") << 3 << "Item 2";
        QTest::newRow("first record, named like the back entry") << 1 << "<-Backpack";
    }
    void selectingAnItemOpensItsSlot()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        CategoryOnScreen shop("Bags",
                              recordBytes("<-Backpack", "B1", "20", "1") + numberedRecords(3));
        QVERIFY(shop.written);
        openCategory(shop.main, "Bags");
        QString edited;
        QVERIFY(onDialog<ResourceDialog>([&] { clickListLine(shop.main, row); },
                                         [&](ResourceDialog& edit) {
                                             edited = edit.controlText(IDC_NAME);
                                             edit.reject();
                                         }));
        QCOMPARE(edited, name);
        QCOMPARE(browserState().selectedItemSlot, row);
        QVERIFY(!browserState().categoryView && !browserState().refresh);
        QCOMPARE(shop.main.listText(IDC_LIST, 0), QStringLiteral("<-Back")); // still the items
    }

    void aSelectionWhileARebuildIsPendingIsIgnored()
    {
        CategoryOnScreen shop("Alpha", numberedRecords(1), {{"Beta.dat", numberedRecords(2)}});
        QVERIFY(shop.written);
        QTRY_COMPARE(shop.main.listCount(IDC_LIST), 2);
        const int alpha = categoryLineOf(shop.main, "Alpha");
        clickListLine(shop.main, alpha);
        clickListLine(shop.main, 1 - alpha); // before the next tick
        QCOMPARE(browserState().currentCategoryName, QStringLiteral("Alpha"));
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Alpha"));
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("1"));
        QCOMPARE(browserState().selectedItemSlot, 0);
    }

    void moreThan999ItemsAreRefused()
    {
        CategoryOnScreen shop("Huge", numberedRecords(1000));
        QVERIFY(shop.written);
        QTRY_COMPARE(shop.main.listCount(IDC_LIST), 1);
        MessageBoxHook boxes;
        clickListLine(shop.main, 0);
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Huge"));
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.shown()[0].text.contains("more than 999 items"));
        QVERIFY(boxes.shown()[0].text.contains(QDir::toNativeSeparators(shop.path)));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QCOMPARE(listLines(shop.main), QStringList{"<-Back"});
        QCOMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("0"));
        QTest::qWait(600); // later ticks do not repeat the message
        QCOMPARE(boxes.shown().size(), 1);
    }

    // Only Quit Program asks; Enter, Esc and the close box end at once.
    void ending_data()
    {
        QTest::addColumn<int>("key"); // 0: the close box; -1: Quit Program
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result"); // 4242: still running
        QTest::newRow("Quit, No") << -1 << int(IDNO) << 4242;
        QTest::newRow("Quit, Yes") << -1 << int(IDYES) << int(IDOK);
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << int(IDOK);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0 << int(IDOK);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << int(IDCANCEL);
        QTest::newRow("close box") << 0 << 0 << int(IDCANCEL);
    }
    void ending()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(int, result);
        TempDataDirectory data;
        QVERIFY(data.writeFile("Books.dat", numberedRecords(1)));
        CWareloomDlg dlg;
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        auto opened = whenDialogOpens([&](QDialog*) {
            QTRY_COMPARE(dlg.listCount(IDC_LIST), 1);
            if (key == -1)
                giveCommand(dlg, ID_FILE_QUITPROGRAM);
            else if (key == 0)
                dlg.close();
            else
                QTest::keyClick(dlg.control(IDC_LIST), Qt::Key(key),
                                key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            if (dlg.isVisible())
                dlg.EndDialog(4242);
        });
        QCOMPARE(dlg.DoModal(), result);
        QVERIFY(*opened);
        QCOMPARE(boxes.shown().size(), key == -1 ? 1 : 0);
        if (key == -1)
            checkBox(boxes.shown()[0], "Quit program.  Are you sure?", "Quit Program",
                     MessageButtons::YesNo, &dlg);
    }

    void menuBarAndToolbarHoldTheCommands()
    {
        TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        using Entries = QList<QPair<QString, int>>;
        const QList<QPair<QString, Entries>> expected{
            {"&File", {{"&Quit Program", 32771}}},
            {"&Items", {{"&Item Add", 32772}}},
            {"&Category", {{"&New Category", 32774}, {"&Delete Category", 32775}}},
            {"&HTML",
             {{"&FTP Settings", 32777},
              {"&FTP Upload", 32778},
              {"&WebSite", 32779},
              {"W&ebSite Banner Upload", 32785}}},
            {"&Help", {{"&About", 32783}}},
        };
        QList<QPair<QString, Entries>> shown;
        QVERIFY(dlg.menu());
        for (QAction* popup : dlg.menu()->actions()) {
            QVERIFY(popup->menu());
            Entries entries;
            for (QAction* entry : popup->menu()->actions()) {
                QVERIFY(!entry->isSeparator() && !entry->isCheckable() && entry->isEnabled());
                QVERIFY(entry->shortcut().isEmpty());
                entries.append({entry->text(), entry->data().toInt()});
                QVERIFY(dlg.handlesCommand(entry->data().toInt()));
            }
            shown.append({popup->text(), entries});
        }
        QCOMPARE(shown, expected);

        QToolBar* bar = dlg.toolBar();
        QVERIFY(bar);
        QList<int> ids;
        for (QAction* button : bar->actions()) {
            QVERIFY(!button->isSeparator() && !button->icon().isNull());
            ids << button->data().toInt();
            QVERIFY(dlg.handlesCommand(ids.last()));
        }
        QCOMPARE(ids, (QList<int>{32781, 32782, 32784}));
        QCOMPARE(bar->iconSize(), QSize(30, 30));
        QVERIFY(dlg.control(IDC_LIST)->mapTo(&dlg, QPoint()).y() >=
                bar->mapTo(&dlg, QPoint()).y() + bar->height() - 1);
        QCOMPARE(dlg.height(), dlg.menu()->height() + bar->height() + dlg.clientArea()->height());

        QString about;
        QVERIFY(onCommandDialog<QDialog>(dlg, ID_HELP_ABOUT, [&](QDialog& box) {
            about = box.windowTitle();
            box.reject();
        }));
        QCOMPARE(about, QStringLiteral("About Wareloom"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
