#include "editing/EditOpenTimer.h"
#include "editing/InventoryEdit.h"
#include "mainwnd/BrowserState.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/ListBox.h"
#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "store/RecordTable.h"

#include "DialogTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

#include <optional>

using namespace wareloom;
using wareloom::test::TempDataDirectory;
using wareloom::test::whenDialogOpens;

namespace {

constexpr int List = 1000;
constexpr int Number = 1010;
constexpr int NameBox = 1001;
constexpr int PriceBox = 1002;
constexpr int QtyBox = 1003;
constexpr int CodeBox = 1004;
constexpr int Save = 1005;
constexpr int CategoryStatic = 1008;
constexpr int DeleteItem = 32780;

// One field of a record by hand: the text, then a NUL when it is shorter than
// the field, then the filler standing for whatever the bytes held before.
QByteArray field(const QByteArray& text, int width, char filler)
{
    QByteArray bytes = text.left(width);
    if (bytes.size() < width)
        bytes += '\0';
    while (bytes.size() < width)
        bytes += filler;
    return bytes;
}

// Name (60), code (10), price (10), qty (10).
QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& price,
                  const QByteArray& qty)
{
    return field(name, 60, 'n') + field(code, 10, 'c') + field(price, 10, 'p') +
           field(qty, 10, 'q');
}

const QByteArray first = record("Hammer", "H1", "12.50", "4");
const QByteArray second = record("Saw", "A1", "20.00", "2");
const QByteArray third = record("Drill", "D7", "99.99", "1");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The main window with the category Tools open in its item view.
class MainWindow
{
public:
    MainWindow()
    {
        dlg.show();
        QTRY_COMPARE(dlg.listCount(List), 1);
        click(0);
        QTRY_VERIFY(dlg.listCount(List) > 0 && dlg.listText(List, 0) == QStringLiteral("<-Back"));
    }

    void click(int row)
    {
        auto* list = dlg.controlAs<ListBox>(List);
        QVERIFY(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    // Selects the item line of the slot; action runs in the Edit dialog it
    // opens. True when the dialog opened and has closed again.
    bool editItem(int slot, std::function<void(InventoryEdit&)> action)
    {
        auto opened = whenDialogOpens([action](QDialog* shown) {
            auto* edit = qobject_cast<InventoryEdit*>(shown);
            QVERIFY(edit);
            action(*edit);
        });
        click(slot);
        return *opened && !test::topDialog<InventoryEdit>();
    }

    QStringList itemLines() const
    {
        QStringList lines;
        for (int i = 1; i < dlg.listCount(List); ++i)
            lines << dlg.listText(List, i);
        return lines;
    }

    CWareloomDlg dlg;
};

void type(InventoryEdit& edit, int box, const QString& text)
{
    auto* line = edit.controlAs<QLineEdit>(box);
    QVERIFY(line);
    line->selectAll();
    QTest::keyClicks(line, text);
    if (text.isEmpty())
        QTest::keyClick(line, Qt::Key_Delete);
    QCOMPARE(line->text(), text);
}

void clickButton(InventoryEdit& edit, int id)
{
    QTest::mouseClick(edit.control(id), Qt::LeftButton);
}

} // namespace

class TestInventoryEdit : public QObject
{
    Q_OBJECT

    TempDataDirectory* m_data = nullptr;
    QString m_tools;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void init()
    {
        browserState() = BrowserState{};
        recordTable().recordCount = 0;
        m_data = new TempDataDirectory;
        m_tools = m_data->filePath(QStringLiteral("Tools.dat"));
        QVERIFY(m_data->writeFile(QStringLiteral("Tools.dat"), first + second + third));
    }

    void cleanup()
    {
        delete m_data;
        m_data = nullptr;
    }

    void opensOnTheSelectedItem()
    {
        MainWindow main;
        bool startedElsewhere = false;
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            QCOMPARE(edit.windowTitle(), QStringLiteral("Wareloom - Edit"));
            QCOMPARE(edit.controlText(NameBox), QStringLiteral("Saw"));
            QCOMPARE(edit.controlText(PriceBox), QStringLiteral("20.00"));
            QCOMPARE(edit.controlText(QtyBox), QStringLiteral("2"));
            QCOMPARE(edit.controlText(CodeBox), QStringLiteral("A1"));
            QCOMPARE(edit.controlText(CategoryStatic), QStringLiteral("Tools"));
            startedElsewhere = !edit.control(NameBox)->hasFocus();
            QTRY_VERIFY(edit.control(NameBox)->hasFocus());
            QVERIFY(previewOnce());
            // A later tick does not pull the focus back.
            edit.control(PriceBox)->setFocus();
            QTest::qWait(300);
            QVERIFY(edit.control(PriceBox)->hasFocus());
            clickButton(edit, IDOK);
        }));
        QVERIFY(startedElsewhere);
        QCOMPARE(fileBytes(m_tools), first + second + third);
    }

    void menuBarHoldsDeleteItem()
    {
        MainWindow main;
        QVERIFY(main.editItem(1, [](InventoryEdit& edit) {
            QMenuBar* bar = edit.menu();
            QVERIFY(bar);
            QCOMPARE(bar->actions().size(), 1);
            QAction* popup = bar->actions().first();
            QCOMPARE(popup->text(), QStringLiteral("&Item"));
            QVERIFY(popup->menu());
            QCOMPARE(popup->menu()->actions().size(), 1);
            QAction* entry = popup->menu()->actions().first();
            QCOMPARE(entry->text(), QStringLiteral("&Delete Item"));
            QCOMPARE(entry->data().toInt(), DeleteItem);
            QVERIFY(edit.handlesCommand(DeleteItem));
            edit.reject();
        }));
    }

    void controlsInTemplateOrderAndPlace()
    {
        MainWindow main;
        QVERIFY(main.editItem(1, [](InventoryEdit& edit) {
            const QList<QPair<int, DialogRect>> placed{
                {IDOK, {27, 152, 93, 24}},           {NameBox, {74, 34, 270, 12}},
                {PriceBox, {75, 57, 64, 12}},        {QtyBox, {75, 77, 64, 12}},
                {CodeBox, {75, 98, 64, 12}},         {Save, {231, 151, 91, 25}},
                {CategoryStatic, {74, 14, 268, 13}}, {1014, {75, 109, 64, 12}},
                {1015, {154, 50, 190, 84}},
            };
            for (const auto& [id, rect] : placed) {
                QVERIFY2(edit.control(id), qPrintable(QString::number(id)));
                QCOMPARE(edit.control(id)->geometry(), edit.dialogUnits().toPixels(rect));
                QCOMPARE(edit.control(id)->parentWidget(), edit.clientArea());
            }
            QCOMPARE(edit.clientArea()->size(), edit.dialogUnits().toPixels(QSize(358, 190)));
            QCOMPARE(edit.controlText(IDOK), QStringLiteral("Cancel"));
            QCOMPARE(edit.controlText(Save), QStringLiteral("Save"));
            QCOMPARE(edit.controlText(1014), QStringLiteral("Picture Upload"));
            auto* frame = edit.controlAs<QFrame>(1015);
            QVERIFY(frame);
            QCOMPARE(frame->frameShadow(), QFrame::Sunken);

            // Tab order is template order.
            QList<int> order;
            QWidget* w = edit.control(IDOK);
            do {
                for (int id : {int(IDOK), NameBox, PriceBox, QtyBox, CodeBox, Save, 1014}) {
                    if (edit.control(id) == w)
                        order << id;
                }
                w = w->nextInFocusChain();
            } while (w != edit.control(IDOK));
            QCOMPARE(order, (QList<int>{IDOK, NameBox, PriceBox, QtyBox, CodeBox, Save, 1014}));
            edit.reject();
        }));
    }

    void changingOnlyThePriceChangesOnlyThePrice()
    {
        MainWindow main;
        QVERIFY(main.editItem(2, [](InventoryEdit& edit) {
            type(edit, PriceBox, QStringLiteral("9.5"));
            clickButton(edit, Save);
        }));
        // "9.5" and its NUL over "20.00"; the bytes after keep what they held.
        QByteArray changed = second;
        changed.replace(70, 4, QByteArray("9.5\0", 4));
        QCOMPARE(fileBytes(m_tools), first + changed + third);
        QTRY_COMPARE(main.itemLines().value(1).trimmed().split(' ', Qt::SkipEmptyParts),
                     (QStringList{"Saw", "2", "9.5", "A1"}));
    }

    void savedTextsFillTheirFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("60-character name, 10-character code")
            << QString(60, 'N') << "2"
            << "ABCDEFGHIJ" << record(QByteArray(60, 'N'), "ABCDEFGHIJ", "20.00", "2");
        QTest::newRow("empty qty and code")
            << "Saw"
            << ""
            << ""
            << second.left(60) + QByteArray(1, '\0') + second.mid(61, 19) + QByteArray(1, '\0') +
                   second.mid(81);
        QTest::newRow("10-character qty") << "Saw"
                                          << "1234567890"
                                          << "A1" << second.left(80) + "1234567890";
    }
    void savedTextsFillTheirFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, qty);
        QFETCH(QString, code);
        QFETCH(QByteArray, stored);
        MainWindow main;
        MessageBoxHook boxes;
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            type(edit, NameBox, name);
            type(edit, QtyBox, qty);
            type(edit, CodeBox, code);
            clickButton(edit, Save);
        }));
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(stored.size(), 90);
        QCOMPARE(fileBytes(m_tools), first + stored + third);
    }

    void refusedSaves_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty name") << NameBox << ""
                                    << "You have to enter an item name!"
                                    << "Wareloom";
        QTest::newRow("61-character name")
            << NameBox << QString(61, 'N') << "Maximum 60 characters for item name!"
            << "ERROR:";
        QTest::newRow("11-character price")
            << PriceBox << QString(11, '9') << "Maximum 10 characters for item price!"
            << "ERROR:";
        QTest::newRow("11-character code") << CodeBox << "ABCDEFGHIJK"
                                           << "Maximum 10 characters for item code!"
                                           << "ERROR:";
    }
    void refusedSaves()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        MainWindow main;
        MessageBoxHook boxes;
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            type(edit, QtyBox, QStringLiteral("77"));
            type(edit, box, text);
            clickButton(edit, Save);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown()[0].text, message);
            QCOMPARE(boxes.shown()[0].caption, caption);
            QCOMPARE(boxes.shown()[0].buttons, MessageButtons::Ok);
            QCOMPARE(boxes.shown()[0].owner.data(), &edit);
            // Still open, with what the user typed.
            QVERIFY(edit.isVisible());
            QCOMPARE(edit.controlText(box), text);
            QCOMPARE(edit.controlText(QtyBox), QStringLiteral("77"));
            clickButton(edit, IDOK);
        }));
        QCOMPARE(fileBytes(m_tools), first + second + third);
    }

    // Nothing of a refused or cancelled edit reaches the file later.
    void aLaterSaveCarriesNothingOfAnEarlierEdit_data()
    {
        QTest::addColumn<QString>("leaving");
        QTest::newRow("price refused, then Cancel") << "refused";
        QTest::newRow("Enter in a box") << "enter";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("file could not be written") << "unwritable";
    }
    void aLaterSaveCarriesNothingOfAnEarlierEdit()
    {
        QFETCH(QString, leaving);
        MainWindow main;
        MessageBoxHook boxes;
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            type(edit, NameBox, QStringLiteral("Changed"));
            type(edit, QtyBox, QStringLiteral("55"));
            if (leaving == "refused") {
                type(edit, PriceBox, QStringLiteral("12345678901"));
                clickButton(edit, Save);
                QCOMPARE(boxes.shown().size(), 1);
                clickButton(edit, IDOK);
            } else if (leaving == "enter") {
                QTest::keyClick(edit.control(QtyBox), Qt::Key_Return);
            } else if (leaving == "esc") {
                QTest::keyClick(edit.control(QtyBox), Qt::Key_Escape);
            } else {
                test::ReadOnlyDirectory readOnly(m_data->path());
                QVERIFY(readOnly.ok());
                clickButton(edit, Save);
                QCOMPARE(boxes.shown().size(), 1);
                QVERIFY(boxes.shown()[0].text.startsWith("The item was not saved."));
                QVERIFY(boxes.shown()[0].text.contains(QDir::toNativeSeparators(m_tools)));
                QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
                QVERIFY(edit.isVisible());
                QCOMPARE(edit.controlText(NameBox), QStringLiteral("Changed"));
                clickButton(edit, IDOK);
            }
        }));
        QCOMPARE(fileBytes(m_tools), first + second + third);
        QVERIFY(!browserState().refresh);

        QVERIFY(main.editItem(3, [&](InventoryEdit& edit) {
            QCOMPARE(edit.controlText(NameBox), QStringLiteral("Drill"));
            type(edit, PriceBox, QStringLiteral("89.99"));
            clickButton(edit, Save);
        }));
        QByteArray changed = third;
        changed.replace(70, 5, "89.99");
        QCOMPARE(fileBytes(m_tools), first + second + changed);
    }

    void deletingTheFirstOfThree()
    {
        MainWindow main;
        QCOMPARE(main.dlg.controlText(Number), QStringLiteral("3"));
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        QVERIFY(main.editItem(1, [&](InventoryEdit& edit) {
            type(edit, CodeBox, QString());
            edit.commandAction(DeleteItem)->trigger();
        }));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text,
                 QStringLiteral("Delete this inventory item.  Are you sure?"));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Warloom"));
        QCOMPARE(boxes.shown()[0].buttons, MessageButtons::YesNo);
        const QByteArray left = fileBytes(m_tools);
        QCOMPARE(left.size(), 180);
        QCOMPARE(left, second + third);
        QTRY_COMPARE(main.dlg.controlText(Number), QStringLiteral("2"));
        const QStringList lines = main.itemLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("Saw "));
        QVERIFY(lines[1].startsWith("Drill "));
    }

    // The item, its picture and the dialog stay as they were.
    void deletionsThatDeleteNothing_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("No to the question") << true << int(IDNO) << QString();
        QTest::newRow("file could not be written")
            << false << int(IDYES) << QStringLiteral("The item was not deleted. ");
    }
    void deletionsThatDeleteNothing()
    {
        QFETCH(bool, writable);
        QFETCH(int, answer);
        QFETCH(QString, refusal);
        QVERIFY(m_data->writeFile(QStringLiteral("A1.jpg"), "jpeg"));
        MainWindow main;
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            {
                std::optional<test::ReadOnlyDirectory> readOnly;
                if (!writable) {
                    readOnly.emplace(m_data->path());
                    QVERIFY(readOnly->ok());
                }
                edit.commandAction(DeleteItem)->trigger();
            }
            QVERIFY(edit.isVisible());
            QCOMPARE(edit.windowTitle(), QStringLiteral("Wareloom - Edit"));
            clickButton(edit, IDOK);
        }));
        QCOMPARE(boxes.shown().size(), refusal.isEmpty() ? 1 : 2);
        if (!refusal.isEmpty()) {
            QVERIFY(boxes.shown()[1].text.startsWith(refusal));
            QVERIFY(boxes.shown()[1].text.contains(QDir::toNativeSeparators(m_tools)));
            QCOMPARE(boxes.shown()[1].caption, QStringLiteral("Wareloom"));
        }
        QCOMPARE(fileBytes(m_tools), first + second + third);
        QVERIFY(QFile::exists(m_data->filePath("A1.jpg")));
        QVERIFY(!browserState().refresh);
    }

    // The second item's stored code is A1; the code box decides which picture goes.
    void deletingTheItemsPicture_data()
    {
        QTest::addColumn<QString>("codeBox");
        QTest::addColumn<int>("pictureAnswer");
        QTest::addColumn<bool>("withServer");
        QTest::addColumn<QStringList>("boxTexts");
        QTest::addColumn<QStringList>("goneHere");
        QTest::addColumn<QStringList>("deletedOnHost");
        QTest::addColumn<QString>("titleAtLastBox");

        const QString sure = "Delete this inventory item.  Are you sure?";
        const QString picture =
            "This entry has a picture.  Remove the picture from the FTP server?";
        QTest::newRow("empty code box: one question")
            << "" << int(IDYES) << true << QStringList{sure} << QStringList{} << QStringList{}
            << "Wareloom - Edit";
        QTest::newRow("A1, No: the picture stays")
            << "A1" << int(IDNO) << true << QStringList{sure, picture} << QStringList{}
            << QStringList{} << "Wareloom - Edit";
        QTest::newRow("A1, Yes, no settings file")
            << "A1" << int(IDYES) << false << QStringList{sure, picture, "No FTP/HTTP settings!"}
            << QStringList{"A1.jpg"} << QStringList{} << "Wareloom - Edit";
        QTest::newRow("B2 typed over A1, Yes")
            << "B2" << int(IDYES) << true << QStringList{sure, picture} << QStringList{"B2.jpg"}
            << QStringList{"DELE /htdocs/B2.jpg"} << "B2.jpg";
        QTest::newRow("C3, Yes, no such picture on the host")
            << "C3" << int(IDYES) << true << QStringList{sure, picture, "FTP Error!"}
            << QStringList{} << QStringList{"DELE /htdocs/C3.jpg"} << "C3.jpg";
        QTest::newRow("../x, Yes: nothing outside the data directory")
            << "../x" << int(IDYES) << true
            << QStringList{sure, picture,
                           "No picture was removed: \"../x\" cannot be the code of a picture."}
            << QStringList{} << QStringList{} << "Wareloom - Edit";
        QTest::newRow("a backslash, Yes")
            << "..\\x" << int(IDYES) << true
            << QStringList{sure, picture,
                           "No picture was removed: \"..\\x\" cannot be the code of a picture."}
            << QStringList{} << QStringList{} << "Wareloom - Edit";
    }
    void deletingTheItemsPicture()
    {
        QFETCH(QString, codeBox);
        QFETCH(int, pictureAnswer);
        QFETCH(bool, withServer);
        QFETCH(QStringList, boxTexts);
        QFETCH(QStringList, goneHere);
        QFETCH(QStringList, deletedOnHost);
        QFETCH(QString, titleAtLastBox);

        const QStringList pictures{"A1.jpg", "B2.jpg"};
        for (const QString& name : pictures)
            QVERIFY(m_data->writeFile(name, "jpeg " + name.toLatin1()));
        const QString outside = QDir(m_data->path()).absoluteFilePath("../x.jpg");
        QVERIFY(m_data->writeFile("../x.jpg", "not ours"));
        QVERIFY(m_data->writeFile("..\\x.jpg", "a file of an odd name"));

        test::TestFtpServer server;
        if (withServer) {
            QVERIFY2(server.start(), qPrintable(server.errorString()));
            QVERIFY(test::writeSettingsFile(server.settings("/htdocs/")));
            for (const QString& name : pictures) {
                QFile remote(server.localPath("/htdocs/" + name));
                QVERIFY(remote.open(QIODevice::WriteOnly));
                remote.write("jpeg");
            }
            QFile beside(server.localPath("/x.jpg"));
            QVERIFY(beside.open(QIODevice::WriteOnly));
        }

        MainWindow main;
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        boxes.queueAnswer(pictureAnswer);
        QString title;
        QVERIFY(main.editItem(2, [&](InventoryEdit& edit) {
            type(edit, CodeBox, codeBox);
            boxes.queueAnswer([&](const ShownMessageBox&) {
                title = edit.windowTitle();
                return int(IDOK);
            });
            edit.commandAction(DeleteItem)->trigger();
            if (title.isEmpty()) // no third box
                title = edit.windowTitle();
        }));

        QStringList shown;
        for (const ShownMessageBox& box : boxes.shown())
            shown << box.text;
        QCOMPARE(shown, boxTexts);
        QCOMPARE(boxes.shown().last().caption,
                 boxTexts.size() == 1 ? QStringLiteral("Warloom") : QStringLiteral("Wareloom"));
        QCOMPARE(title, titleAtLastBox);

        QCOMPARE(fileBytes(m_tools), first + third);
        for (const QString& name : pictures)
            QCOMPARE(QFile::exists(m_data->filePath(name)), !goneHere.contains(name));
        QVERIFY(QFile::exists(outside));
        QVERIFY(QFile::exists(m_data->filePath("..\\x.jpg")));

        if (withServer) {
            QStringList deletions = server.commands().filter(QRegularExpression("^DELE "));
            QCOMPARE(deletions, deletedOnHost);
            for (const QString& name : pictures) {
                QCOMPARE(QFile::exists(server.localPath("/htdocs/" + name)),
                         !deletedOnHost.contains("DELE /htdocs/" + name));
            }
            QVERIFY(QFile::exists(server.localPath("/x.jpg")));
        }
        QTRY_COMPARE(main.itemLines().size(), 2);
        QCOMPARE(main.dlg.controlText(Number), QStringLiteral("2"));
    }
};

QTEST_MAIN(TestInventoryEdit)
#include "tst_inventoryedit.moc"
