#include "mainwnd/BrowserState.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/ListBox.h"
#include "platform/MessageBox.h"
#include "store/RecordTable.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

using namespace wareloom;
using wareloom::test::TempDataDirectory;
using wareloom::test::whenDialogOpens;

namespace {

constexpr int List = 1000;
constexpr int Heading = 1009;
constexpr int Number = 1010;

QByteArray record(const QString& name, const QString& qty, const QString& price,
                  const QString& code)
{
    ItemRecord r;
    storeFieldString(r, ItemField::Name, name);
    storeFieldString(r, ItemField::Qty, qty);
    storeFieldString(r, ItemField::Price, price);
    storeFieldString(r, ItemField::Code, code);
    return QByteArray(r.bytes.data(), ItemRecord::Size);
}

QByteArray records(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes +=
            record(QStringLiteral("Item %1").arg(i), "1", "1.00", QStringLiteral("C%1").arg(i));
    return bytes;
}

// Clicks a line of the list as the user would.
void clickLine(CWareloomDlg& dlg, int row)
{
    auto* list = dlg.controlAs<ListBox>(List);
    QVERIFY(list->item(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

QStringList lines(const CWareloomDlg& dlg)
{
    QStringList result;
    for (int i = 0; i < dlg.listCount(List); ++i)
        result << dlg.listText(List, i);
    return result;
}

// The line of a category whose name is no other's prefix.
int lineOf(const CWareloomDlg& dlg, const QString& category)
{
    const QStringList all = lines(dlg);
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].startsWith(QStringLiteral("CATEGORY - ") + category + ' '))
            return i;
    }
    return -1;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        browserState() = BrowserState{};
        recordTable().recordCount = 0;
    }

    void firstStartOnAnEmptyDataDirectory()
    {
        TempDataDirectory data(false);
        CWareloomDlg dlg;
        dlg.show();
        QCOMPARE(dlg.controlText(Heading), QStringLiteral("Static"));
        QCOMPARE(dlg.controlText(Number), QStringLiteral("Static"));
        QVERIFY(QDir(data.path()).exists());
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Category List"));
        QCOMPARE(dlg.listCount(List), 0);
        QCOMPARE(dlg.controlText(Number), QStringLiteral("0"));
        QCOMPARE(browserState().categoryCount, 0);
    }

    void categoriesListWithTheirCounts()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Empty.dat", {}));
        QVERIFY(data.writeFile("One.dat", QByteArray(90, 'x')));
        QVERIFY(data.writeFile("Two.dat", QByteArray(185, 'x')));
        QVERIFY(data.writeFile("notes.txt", QByteArray(900, 'x')));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Category List"));
        QCOMPARE(dlg.listCount(List), 3);
        QStringList expected{QStringLiteral("CATEGORY - Empty") + QString(64, ' ') + "   0",
                             QStringLiteral("CATEGORY - One") + QString(66, ' ') + "   1",
                             QStringLiteral("CATEGORY - Two") + QString(66, ' ') + "   2"};
        QStringList shown = lines(dlg);
        shown.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(dlg.controlText(Number), QStringLiteral("3"));
        QCOMPARE(browserState().categoryCount, 3);
        QCOMPARE(browserState().totalItemCount, 3);
    }

    void categoryLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("line");
        QTest::newRow("Books, 12 items")
            << "Books" << 12 << QString("CATEGORY - Books" + QString(64, ' ') + "  12");
        QTest::newRow("70 characters: no padding left")
            << QString(70, 'n') << 0 << QString("CATEGORY - " + QString(70, 'n') + "   0");
        QTest::newRow("75 characters: longer than 80, kept whole")
            << QString(75, 'L') << 1 << QString("CATEGORY - " + QString(75, 'L') + "   1");
        QTest::newRow("1000 items: the count widens")
            << "Big" << 1000 << QString("CATEGORY - Big" + QString(66, ' ') + " 1000");
    }
    void categoryLine()
    {
        QFETCH(QString, name);
        QFETCH(int, items);
        QFETCH(QString, line);
        TempDataDirectory data;
        QVERIFY(data.writeFile(name + ".dat", records(items)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        QCOMPARE(dlg.listText(List, 0), line);
        if (name == "Books")
            QCOMPARE(line.size(), 84);
    }

    void itemLineColumns()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile(
            "Kitchen.dat", record("Mug", "3", "4.50", "M1") +
                               record(QString(60, 'N'), "1234567890", "0123456789", "ABCDEFGHIJ")));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        clickLine(dlg, 0);
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Kitchen"));
        const QString mug = "Mug" + QString(58, ' ') + "  " + QString(9, ' ') + "3" + " " +
                            QString(6, ' ') + "4.50" + " " + QString(8, ' ') + "M1";
        QCOMPARE(mug.size(), 95);
        const QString full =
            QString(60, 'N') + " " + "  " + "1234567890" + " " + "0123456789" + " " + "ABCDEFGHIJ";
        QCOMPARE(lines(dlg), (QStringList{"<-Back", mug, full}));
        QCOMPARE(dlg.controlText(Number), QStringLiteral("2"));
    }

    void selectingACategoryOpensItsItems()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Books.dat", records(12)));
        QVERIFY(data.writeFile("Shoes.dat", records(2)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 2);
        clickLine(dlg, lineOf(dlg, "Books"));
        QCOMPARE(browserState().currentCategoryPath, data.filePath("Books.dat"));
        QCOMPARE(browserState().currentCategoryName, QStringLiteral("Books"));
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Books"));
        QCOMPARE(dlg.controlText(Number), QStringLiteral("12"));
        QCOMPARE(dlg.listCount(List), 13);
        QCOMPARE(dlg.listText(List, 0), QStringLiteral("<-Back"));
        QVERIFY(dlg.listText(List, 12).startsWith("Item 12 "));
        QCOMPARE(recordTable().recordCount, 12);
        QCOMPARE(dlg.listCurrentSelection(List), -1);
    }

    void backEntryReturnsAndClosesTheCategory()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Books.dat", records(3)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        clickLine(dlg, 0);
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Books"));

        MessageBoxHook boxes;
        auto opened = whenDialogOpens([](QDialog* add) { add->reject(); });
        dlg.sendCommand(32772); // a category is open: no complaint, the dialog opens
        QVERIFY(*opened);
        QCOMPARE(boxes.shown().size(), 0);

        clickLine(dlg, 0);
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Category List"));
        QCOMPARE(browserState().currentCategoryPath, QString());
        QCOMPARE(dlg.controlText(Number), QStringLiteral("3"));

        dlg.commandAction(32772)->trigger();
        dlg.commandAction(32781)->trigger();
        QCOMPARE(boxes.shown().size(), 2);
        for (const ShownMessageBox& box : boxes.shown()) {
            QCOMPARE(box.text, QStringLiteral("Error You have to select a category first!"));
            QCOMPARE(box.caption, QStringLiteral("Wareloom"));
            QCOMPARE(box.buttons, MessageButtons::Ok);
            QCOMPARE(box.icon, MessageIcon::None);
            QCOMPARE(box.owner.data(), &dlg);
        }
    }

    void itemAddRightAfterStartComplains()
    {
        TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        MessageBoxHook boxes;
        dlg.commandAction(32781)->trigger();
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text,
                 QStringLiteral("Error You have to select a category first!"));
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
        TempDataDirectory data;
        QVERIFY(data.writeFile(fileName, records(4)));
        QVERIFY(data.writeFile("Shoes.dat", records(1)));
        QVERIFY(data.writeFile(QString(70, 'L') + ".dat", records(2)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 3);
        int row = -1;
        for (int i = 0; i < 3; ++i) {
            if (dlg.listText(List, i).endsWith("   4"))
                row = i;
        }
        QVERIFY(row >= 0);
        clickLine(dlg, row);
        QCOMPARE(browserState().currentCategoryName, name);
        QCOMPARE(browserState().currentCategoryPath, data.filePath(fileName));
        QTRY_COMPARE(dlg.controlText(Heading), name);
        QCOMPARE(dlg.controlText(Number), QStringLiteral("4"));
    }

    void selectingAnItemSetsTheSelectedSlot_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("third record") << 3;
        QTest::newRow("first record, named like the back entry") << 1;
    }
    void selectingAnItemSetsTheSelectedSlot()
    {
        QFETCH(int, row);
        TempDataDirectory data;
        QVERIFY(data.writeFile("Bags.dat", record("<-Backpack", "1", "20", "B1") + records(3)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        clickLine(dlg, 0);
        QTRY_COMPARE(dlg.listCount(List), 5);
        QString editedName;
        auto opened = whenDialogOpens([&](QDialog* edit) {
            editedName = qobject_cast<ResourceDialog*>(edit)->controlText(1001);
            edit->reject();
        });
        clickLine(dlg, row);
        QVERIFY(*opened);
        QCOMPARE(editedName, row == 1 ? QStringLiteral("<-Backpack") : QStringLiteral("Item 2"));
        QCOMPARE(browserState().selectedItemSlot, row);
        QVERIFY(!browserState().categoryView);
        QVERIFY(!browserState().refresh);
        QCOMPARE(dlg.listText(List, 0), QStringLiteral("<-Back")); // still the item view
        QCOMPARE(dlg.controlText(Heading), QStringLiteral("Bags"));
    }

    void aSelectionWhileARebuildIsPendingIsIgnored()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Alpha.dat", records(1)));
        QVERIFY(data.writeFile("Beta.dat", records(2)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 2);
        const int alpha = lineOf(dlg, "Alpha");
        clickLine(dlg, alpha);
        clickLine(dlg, 1 - alpha); // before the next tick
        QCOMPARE(browserState().currentCategoryName, QStringLiteral("Alpha"));
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Alpha"));
        QCOMPARE(dlg.controlText(Number), QStringLiteral("1"));
        QCOMPARE(browserState().selectedItemSlot, 0);
    }

    void moreThan999ItemsAreRefused()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Huge.dat", records(1000)));
        CWareloomDlg dlg;
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        MessageBoxHook boxes;
        clickLine(dlg, 0);
        QTRY_COMPARE(dlg.controlText(Heading), QStringLiteral("Huge"));
        QCOMPARE(boxes.shown().size(), 1);
        RecordTable scratch;
        const Status refusal = loadCategory(data.filePath("Huge.dat"), scratch);
        QVERIFY(!refusal.ok());
        QCOMPARE(boxes.shown()[0].text, refusal.message());
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QCOMPARE(lines(dlg), QStringList{"<-Back"});
        QCOMPARE(dlg.controlText(Number), QStringLiteral("0"));
        QTest::qWait(600); // later ticks do not repeat the message
        QCOMPARE(boxes.shown().size(), 1);
    }

    void quitProgramAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("No") << int(IDNO) << false;
        QTest::newRow("Yes") << int(IDYES) << true;
    }
    void quitProgramAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        TempDataDirectory data;
        CWareloomDlg dlg;
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        auto opened = whenDialogOpens([&](QDialog*) {
            dlg.commandAction(32771)->trigger();
            if (!ends) {
                QVERIFY(dlg.isVisible());
                dlg.EndDialog(4242);
            }
        });
        const int result = dlg.DoModal();
        QVERIFY(*opened);
        QCOMPARE(result, ends ? int(IDOK) : 4242);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text, QStringLiteral("Quit program.  Are you sure?"));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Quit Program"));
        QCOMPARE(boxes.shown()[0].buttons, MessageButtons::YesNo);
        QCOMPARE(boxes.shown()[0].icon, MessageIcon::None);
    }

    void enterEscAndTheCloseBoxEndWithoutAsking_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(IDOK);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(IDOK);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(IDCANCEL);
        QTest::newRow("close box") << 0 << int(IDCANCEL);
    }
    void enterEscAndTheCloseBoxEndWithoutAsking()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        TempDataDirectory data;
        QVERIFY(data.writeFile("Books.dat", records(1)));
        CWareloomDlg dlg;
        MessageBoxHook boxes;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            QCOMPARE(shown, &dlg);
            QTRY_COMPARE(dlg.listCount(List), 1);
            if (key == 0)
                dlg.close();
            else
                QTest::keyClick(dlg.control(List), Qt::Key(key),
                                key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        });
        QCOMPARE(dlg.DoModal(), result);
        QVERIFY(*opened);
        QCOMPARE(boxes.shown().size(), 0);
    }

    void aboutOpensTheAboutBox()
    {
        TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        QString caption;
        auto opened = whenDialogOpens([&](QDialog* about) {
            caption = about->windowTitle();
            QTest::keyClick(about, Qt::Key_Escape);
        });
        dlg.commandAction(32783)->trigger();
        QVERIFY(*opened);
        QCOMPARE(caption, QStringLiteral("About Wareloom"));
        QVERIFY(dlg.isVisible());
    }

    void menuBarHoldsTheCommands()
    {
        TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        QMenuBar* bar = dlg.menu();
        QVERIFY(bar);
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
        for (QAction* popup : bar->actions()) {
            QVERIFY(popup->menu());
            Entries entries;
            for (QAction* entry : popup->menu()->actions()) {
                QVERIFY(!entry->isSeparator());
                QVERIFY(!entry->isCheckable());
                QVERIFY(entry->isEnabled());
                QVERIFY(entry->shortcut().isEmpty());
                entries.append({entry->text(), entry->data().toInt()});
                QVERIFY(dlg.handlesCommand(entry->data().toInt()));
            }
            shown.append({popup->text(), entries});
        }
        QCOMPARE(shown, expected);
    }

    void toolbarAboveTheList()
    {
        TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        QToolBar* bar = dlg.toolBar();
        QVERIFY(bar);
        QList<int> ids;
        for (QAction* button : bar->actions()) {
            QVERIFY(!button->isSeparator());
            QVERIFY(!button->icon().isNull());
            ids << button->data().toInt();
            QVERIFY(dlg.handlesCommand(ids.last()));
        }
        QCOMPARE(ids, (QList<int>{32781, 32782, 32784}));
        QCOMPARE(bar->iconSize(), QSize(30, 30));
        const QRect barRect(bar->mapTo(&dlg, QPoint()), bar->size());
        const QPoint listTop = dlg.control(List)->mapTo(&dlg, QPoint());
        QVERIFY(listTop.y() >= barRect.bottom());
        QCOMPARE(dlg.height(), dlg.menu()->height() + bar->height() + dlg.clientArea()->height());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
