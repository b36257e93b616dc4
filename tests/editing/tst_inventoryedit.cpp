#include "gui/editing/EditOpenTimer.h"
#include "gui/editing/InventoryEdit.h"
#include "core/transfer/Sockets.h"

#include "EditingTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TestFtpServer.h"

#include <QMenu>
#include <QMenuBar>

#include <optional>

using namespace wareloom;
using namespace wareloom::test;

namespace {

// The letters behind the terminators stand for whatever the bytes held before.
QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& price,
                  const QByteArray& qty)
{
    return fieldBytes(name, 60, 'n') + fieldBytes(code, 10, 'c') + fieldBytes(price, 10, 'p') +
           fieldBytes(qty, 10, 'q');
}

const QByteArray first = record("Hammer", "H1", "12.50", "4");
const QByteArray second = record("Saw", "A1", "20.00", "2");
const QByteArray third = record("Drill", "D7", "99.99", "1");
const QByteArray all = first + second + third;

// The main window with the category Tools open in its item view.
struct ToolsOnScreen : CategoryOnScreen
{
    ToolsOnScreen() : CategoryOnScreen("Tools", all) { openCategory(main, "Tools"); }

    // Clicks the item line of the slot; action runs in the Edit dialog it opens.
    bool editItem(int slot, std::function<void(InventoryEdit&)> action)
    {
        return onDialog<InventoryEdit>([&] { clickListLine(main, slot); }, std::move(action));
    }
};

void click(InventoryEdit& edit, int id)
{
    QTest::mouseClick(edit.control(id), Qt::LeftButton);
}

} // namespace

class TestInventoryEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }
    void init() { resetBrowser(); }

    void opensOnTheSelectedItem()
    {
        ToolsOnScreen shop;
        QVERIFY(shop.written);
        bool startedElsewhere = false;
        QVERIFY(shop.editItem(2, [&](InventoryEdit& edit) {
            QCOMPARE(edit.windowTitle(), QStringLiteral("Wareloom - Edit"));
            QCOMPARE(QStringList({edit.controlText(IDC_NAME), edit.controlText(IDC_PRICE),
                                  edit.controlText(IDC_QTY), edit.controlText(IDC_CODE),
                                  edit.controlText(IDC_CATEGORY)}),
                     QStringList({"Saw", "20.00", "2", "A1", "Tools"}));
            startedElsewhere = !edit.control(IDC_NAME)->hasFocus();
            QTRY_VERIFY(edit.control(IDC_NAME)->hasFocus());
            QVERIFY(previewOnce());
            edit.control(IDC_PRICE)->setFocus();
            QTest::qWait(300); // no later tick pulls the focus back
            QVERIFY(edit.control(IDC_PRICE)->hasFocus());

            QMenuBar* bar = edit.menu();
            QVERIFY(bar && bar->actions().size() == 1 && bar->actions()[0]->menu());
            QCOMPARE(bar->actions()[0]->text(), QStringLiteral("&Item"));
            const QList<QAction*> entries = bar->actions()[0]->menu()->actions();
            QCOMPARE(entries.size(), 1);
            QCOMPARE(entries[0]->text(), QStringLiteral("&Delete Item"));
            QCOMPARE(entries[0]->data().toInt(), int(ID_ITEM_DELETEITEM));
            click(edit, IDOK);
        }));
        QVERIFY(startedElsewhere);
        QCOMPARE(readFile(shop.path), all);
    }

    // Typed over the second item: only what changed changes, to the byte.
    void savedTextsFillTheirFields_data()
    {
        QTest::addColumn<QStringList>("texts"); // name, price, qty, code
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("line");
        QTest::newRow("only the price")
            << QStringList{"Saw", "9.5", "2", "A1"}
            << second.left(70) + QByteArray("9.5\0", 4) + second.mid(74) << "Saw 2 9.5 A1";
        QTest::newRow("60-character name, 10-character code")
            << QStringList{QString(60, 'N'), "20.00", "2", "ABCDEFGHIJ"}
            << QByteArray(60, 'N') + "ABCDEFGHIJ" + second.mid(70)
            << QString(60, 'N') + " 2 20.00 ABCDEFGHIJ";
        QTest::newRow("empty qty and code")
            << QStringList{"Saw", "20.00", "", ""}
            << second.left(60) + '\0' + second.mid(61, 19) + '\0' + second.mid(81) << "Saw 20.00";
        QTest::newRow("10-character qty")
            << QStringList{"Saw", "20.00", "1234567890", "A1"} << second.left(80) + "1234567890"
            << "Saw 1234567890 20.00 A1";
    }
    void savedTextsFillTheirFields()
    {
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, stored);
        QFETCH(QString, line);
        ToolsOnScreen shop;
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        QVERIFY(shop.editItem(2, [&](InventoryEdit& edit) {
            const int ids[] = {IDC_NAME, IDC_PRICE, IDC_QTY, IDC_CODE};
            for (int i = 0; i < 4; ++i)
                typeText(edit.control(ids[i]), texts[i]);
            click(edit, IDC_SAVE);
        }));
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(stored.size(), 90);
        QCOMPARE(readFile(shop.path), first + stored + third);
        QTRY_COMPARE(listLines(shop.main).value(2).simplified(), line);
    }

    // Nothing of a refused, cancelled or failed edit or deletion reaches the
    // file, then or with a later save of another item.
    void aLaterSaveCarriesNothingOfAnEarlierEdit_data()
    {
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // the start of the last box shown, if any
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, const char* leaving, int box, const QString& text,
                            const char* message, const char* caption) {
            QTest::newRow(name) << leaving << box << text << message << caption;
        };
        row("empty name refused, then Cancel", "Save", IDC_NAME, "",
            "You have to enter an item name!", "Wareloom");
        row("11-character price refused, then Cancel", "Save", IDC_PRICE, "12345678901",
            "Maximum 10 characters for item price!", "ERROR:");
        row("file could not be written", "Save unwritable", IDC_NAME, "Changed",
            "The item was not saved. ", "Wareloom");
        row("Delete answered No", "Delete", IDC_NAME, "Changed",
            "Delete this inventory item.  Are you sure?", "Warloom");
        row("Delete, file could not be written", "Delete unwritable", IDC_NAME, "Changed",
            "The item was not deleted. ", "Wareloom");
        row("Enter in a box", "Enter", IDC_NAME, "Changed", "", "");
        row("Esc", "Esc", IDC_NAME, "Changed", "", "");
    }
    void aLaterSaveCarriesNothingOfAnEarlierEdit()
    {
        QFETCH(QString, leaving);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        ToolsOnScreen shop;
        QVERIFY(shop.written && shop.data.writeFile("A1.jpg", "jpeg"));
        MessageBoxHook boxes;
        boxes.queueAnswer(leaving == "Delete" ? IDNO : IDYES);
        QVERIFY(shop.editItem(2, [&](InventoryEdit& edit) {
            typeText(edit.control(IDC_QTY), "55");
            typeText(edit.control(box), text);
            if (message.isEmpty()) {
                QTest::keyClick(edit.control(IDC_QTY),
                                leaving == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
            {
                std::optional<ReadOnlyDirectory> readOnly;
                if (leaving.endsWith("unwritable"))
                    QVERIFY(readOnly.emplace(shop.data.path()).ok());
                if (leaving.startsWith("Delete"))
                    edit.commandAction(ID_ITEM_DELETEITEM)->trigger();
                else
                    click(edit, IDC_SAVE);
            }
            QCOMPARE(boxes.shown().size(), leaving == "Delete unwritable" ? 2 : 1);
            const ShownMessageBox& last = boxes.shown().last();
            QVERIFY2(last.text.startsWith(message), qPrintable(last.text));
            QCOMPARE(last.text.contains(QDir::toNativeSeparators(shop.path)),
                     leaving.endsWith("unwritable"));
            QCOMPARE(last.caption, caption);
            QCOMPARE(last.owner.data(), &edit);
            // Still open, with what the user typed.
            QVERIFY(edit.isVisible());
            QCOMPARE(edit.windowTitle(), QStringLiteral("Wareloom - Edit"));
            QCOMPARE(edit.controlText(box), text);
            QCOMPARE(edit.controlText(IDC_QTY), QStringLiteral("55"));
            click(edit, IDOK);
        }));
        QCOMPARE(readFile(shop.path), all);
        QVERIFY(QFile::exists(shop.data.filePath("A1.jpg")));
        QVERIFY(!browserState().refresh);

        QVERIFY(shop.editItem(3, [&](InventoryEdit& edit) {
            QCOMPARE(edit.controlText(IDC_NAME), QStringLiteral("Drill"));
            typeText(edit.control(IDC_PRICE), "89.99");
            click(edit, IDC_SAVE);
        }));
        QCOMPARE(readFile(shop.path), first + second + third.left(70) + "89.99" + third.mid(75));
    }

    // The second item's stored code is A1; the code box decides which picture goes.
    void deletingAnItem_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("codeBox");
        QTest::addColumn<int>("pictureAnswer");
        QTest::addColumn<bool>("withServer");
        QTest::addColumn<QString>("told"); // after the two questions, if anything
        QTest::addColumn<QStringList>("goneHere");
        QTest::addColumn<QStringList>("deletedOnHost");
        QTest::addColumn<QString>("titleAtLastBox");
        const QString edit = "Wareloom - Edit";
        const auto row = [](const char* name, int slot, const QString& code, int answer,
                            bool server, const QString& told, const QStringList& gone,
                            const QStringList& deleted, const QString& title) {
            QTest::newRow(name) << slot << code << answer << server << told << gone << deleted
                                << title;
        };
        row("first item, empty code box: one question", 1, "", IDYES, true, {}, {}, {}, edit);
        row("A1, No: the picture stays", 2, "A1", IDNO, true, {}, {}, {}, edit);
        row("A1, Yes, no settings file", 2, "A1", IDYES, false, "No FTP/HTTP settings!", {"A1.jpg"},
            {}, edit);
        row("B2 typed over A1, Yes", 2, "B2", IDYES, true, {}, {"B2.jpg"}, {"DELE /htdocs/B2.jpg"},
            "B2.jpg");
        row("C3, Yes, no such picture on the host", 2, "C3", IDYES, true, "FTP Error!", {},
            {"DELE /htdocs/C3.jpg"}, "C3.jpg");
        row("../x, Yes: nothing outside the data directory", 2, "../x", IDYES, true,
            "No picture was removed: \"../x\" cannot be the code of a picture.", {}, {}, edit);
        row("a backslash, Yes", 2, "..\\x", IDYES, true,
            "No picture was removed: \"..\\x\" cannot be the code of a picture.", {}, {}, edit);
    }
    void deletingAnItem()
    {
        QFETCH(int, slot);
        QFETCH(QString, codeBox);
        QFETCH(int, pictureAnswer);
        QFETCH(bool, withServer);
        QFETCH(QString, told);
        QFETCH(QStringList, goneHere);
        QFETCH(QStringList, deletedOnHost);
        QFETCH(QString, titleAtLastBox);

        ToolsOnScreen shop;
        const QStringList pictures{"A1.jpg", "B2.jpg"};
        QVERIFY(shop.written && writeFiles(shop.data, {{"A1.jpg", "jpeg A1"},
                                                       {"B2.jpg", "jpeg B2"},
                                                       {"../x.jpg", "not ours"},
                                                       {"..\\x.jpg", "a file of an odd name"}}));
        TestFtpServer server;
        if (withServer) {
            QVERIFY2(server.start(), qPrintable(server.errorString()));
            QVERIFY(writeSettingsFile(server.settings("/htdocs/")));
            for (const QString& name : pictures)
                QVERIFY(writeFile(server.localPath("/htdocs/" + name), "jpeg"));
            QVERIFY(writeFile(server.localPath("/x.jpg"), {}));
        }

        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        boxes.queueAnswer(pictureAnswer);
        QString title;
        QVERIFY(shop.editItem(slot, [&](InventoryEdit& edit) {
            typeText(edit.control(IDC_CODE), codeBox);
            boxes.queueAnswer([&](const ShownMessageBox&) {
                title = edit.windowTitle();
                return int(IDOK);
            });
            edit.commandAction(ID_ITEM_DELETEITEM)->trigger();
            if (title.isEmpty()) // no box after the questions
                title = edit.windowTitle();
        }));

        const QString sure = "Delete this inventory item.  Are you sure?";
        QStringList expected{sure};
        if (!codeBox.isEmpty())
            expected << "This entry has a picture.  Remove the picture from the FTP server?";
        if (!told.isEmpty())
            expected << told;
        QStringList shown;
        for (const ShownMessageBox& box : boxes.shown())
            shown << box.text.section("\n\n", 0, 0); // "FTP Error!" comes with its reason
        QCOMPARE(shown, expected);
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Warloom"));
        QCOMPARE(boxes.shown()[0].buttons, MessageButtons::YesNo);
        for (qsizetype i = 1; i < boxes.shown().size(); ++i)
            QCOMPARE(boxes.shown()[i].caption, QStringLiteral("Wareloom"));
        QCOMPARE(title, titleAtLastBox);

        QByteArray left = all;
        left.remove((slot - 1) * 90, 90);
        QCOMPARE(readFile(shop.path), left);
        for (const QString& name : pictures)
            QCOMPARE(QFile::exists(shop.data.filePath(name)), !goneHere.contains(name));
        QCOMPARE(readFile(shop.data.filePath("../x.jpg")), QByteArray("not ours"));
        QVERIFY(QFile::exists(shop.data.filePath("..\\x.jpg")));
        if (withServer) {
            QCOMPARE(server.commands().filter(QRegularExpression("^DELE ")), deletedOnHost);
            for (const QString& name : pictures) {
                QCOMPARE(QFile::exists(server.localPath("/htdocs/" + name)),
                         !deletedOnHost.contains("DELE /htdocs/" + name));
            }
            QVERIFY(QFile::exists(server.localPath("/x.jpg")));
        }
        QTRY_COMPARE(shop.main.controlText(IDC_NUMBER), QStringLiteral("2"));
        const QStringList lines = listLines(shop.main);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(slot == 1 ? "Saw " : "Hammer "));
        QVERIFY(lines[2].startsWith("Drill "));
    }
};

QTEST_MAIN(TestInventoryEdit)
#include "tst_inventoryedit.moc"
