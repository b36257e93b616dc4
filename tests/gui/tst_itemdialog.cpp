#include "ReadOnlyDirectory.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "WindowDriver.h"
#include "core/transfer/Networking.h"
#include "core/util/TextConversion.h"
#include "gui/dialogs/CategoryDialog.h"
#include "gui/dialogs/ItemDialog.h"
#include "gui/platform/FileDialog.h"
#include "gui/widgets/PicturePreview.h"

#include <QPushButton>

#include <optional>

using namespace wareloom;
using namespace wareloom::test;

namespace {

void typeItem(ItemDialog& dialog, const QStringList& texts)
{
    for (int i = 0; const char* box : {"name", "price", "qty", "code"})
        typeText(child<QLineEdit>(dialog, box), texts.value(i++));
}

struct Host : TestFtpServer // and the settings that reach it
{
    explicit Host(const DataDirectory& store)
    {
        QVERIFY2(start() && writeSettingsFile(store, settings()), qPrintable(errorString()));
    }
};

void click(QWidget& dialog, const char* button)
{
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

// The Tools category open in the window, with three items; the second has the code A1.
struct ToolsOpen : WindowOnData
{
    ToolsOpen(const QByteArray& records = recordBytes("Hammer", "", "5", "1") +
                                          recordBytes("Saw", "A1", "12.00", "4", '#') +
                                          recordBytes("Rake", "R1", "9", "2"))
        : WindowOnData({{"Tools.dat", records}}), bytes(records)
    {
        openCategory(QStringLiteral("Tools"));
    }
    QString path() const { return data.filePath("Tools.dat"); }
    bool addItem(std::function<void(ItemDialog&)> action)
    {
        return onDialog<ItemDialog>([this] { trigger("actionItemAdd"); }, std::move(action));
    }
    bool editItem(int row, std::function<void(ItemDialog&)> action)
    {
        return onDialog<ItemDialog>([this, row] { clickLine(row); }, std::move(action));
    }
    QByteArray bytes;
};

} // namespace

class TestItemDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        setConversionCodePage("CP1252");
        QVERIFY(startNetworking());
    }

    // The record as stored: texts in the code page, after the items there are.
    void addedItemGoesLast_data()
    {
        QTest::addColumn<QStringList>("typed"); // name, price, qty, code
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("60-character name, 10-character code")
            << QStringList{QString(60, 'N'), "4.50", "3", "ABCDEFGHIJ"}
            << recordBytes(QByteArray(60, 'N'), "ABCDEFGHIJ", "4.50", "3");
        QTest::newRow("only a name") << QStringList{"Mug"} << recordBytes("Mug");
        QTest::newRow("accented text")
            << QStringList{"Café crème", "€5", "½", "Ü1"}
            << recordBytes("Caf\xE9 cr\xE8me", "\xDC\x31", "\x80\x35", "\xBD");
    }
    void addedItemGoesLast()
    {
        QFETCH(QStringList, typed);
        QFETCH(QByteArray, stored);
        ToolsOpen shown;
        MessageBoxHook boxes;
        QVERIFY(shown.addItem([&](ItemDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Add New Item"));
            QCOMPARE(child<QLabel>(dialog, "category")->text(), QStringLiteral("Tools"));
            // The window system may hand over the focus a moment after the dialog shows.
            QTRY_COMPARE(QApplication::focusWidget(), child(dialog, "name"));
            typeItem(dialog, typed);
            // From the last box Tab reaches Save, and Space presses it.
            child(dialog, "code")->setFocus();
            QTest::keyClick(child(dialog, "code"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), child(dialog, "saveButton"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }));
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(readFile(shown.path()), shown.bytes + stored);
        QCOMPARE(shown.lines().size(), 5); // at once, no waiting
        QVERIFY(shown.lines().last().startsWith(typed[0]));
    }

    // Refused: the dialog stays with what was typed, and the file is as it was.
    void refusedSaveWritesNothing_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("told"); // caption: text; the text may be a start only
        const QString t11(11, 't');
        QTest::newRow("empty name") << 3 << false << QStringList{"", t11, t11, t11}
                                    << "Wareloom: Error: You must enter an item name!";
        QTest::newRow("61-character name") << 3 << false << QStringList{QString(61, 'n'), t11}
                                           << "ERROR:: Maximum 60 characters for item name!";
        QTest::newRow("characters the code page lacks, each named once")
            << 3 << false << QStringList{"Teddy \U0001F9F8 \u540D", "\u540D", "?", "\u0141"}
            << "ERROR:: These characters cannot be stored: \U0001F9F8 \u540D \u0141";
        QTest::newRow("999 items already") << 999 << false << QStringList{"One more"}
                                           << "Wareloom: This category already holds 999 items";
        QTest::newRow("file cannot be replaced")
            << 3 << true << QStringList{"One more"} << "Wareloom: ";
    }
    void refusedSaveWritesNothing()
    {
        QFETCH(int, existing);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, typed);
        QFETCH(QString, told);
        ToolsOpen shown(QByteArray(existing * 90, 'i'));
        MessageBoxHook boxes;
        QVERIFY(shown.addItem([&](ItemDialog& dialog) {
            std::optional<ReadOnlyDirectory> locked;
            if (readOnly)
                locked.emplace(shown.data.path());
            typeItem(dialog, typed);
            click(dialog, "saveButton");
            QVERIFY(dialog.isVisible());
            QCOMPARE(child<QLineEdit>(dialog, "name")->text(), typed[0]);
            // Cancel is the default: Enter in a box closes without saving.
            child(dialog, "price")->setFocus();
            QTest::keyClick(child(dialog, "price"), Qt::Key_Return);
        }));
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(texts(boxes).at(0).startsWith(told), qPrintable(texts(boxes).at(0)));
        QCOMPARE(readFile(shown.path()), shown.bytes);
        QCOMPARE(shown.lines().size(), existing + 1);
    }

    // Edit shows the stored picture, and writes only the edited record; the
    // bytes behind each text stay.
    void editedItemIsStoredInPlace()
    {
        ToolsOpen shown;
        MessageBoxHook boxes;
        QVERIFY(shown.data.writeFile("A1.jpg", solidPicture(QSize(7, 90), Qt::blue)));
        QVERIFY(shown.editItem(2, [&](ItemDialog& dialog) {
            auto* preview = child<PicturePreview>(dialog, "picturePreview");
            QCOMPARE(preview->picture().size(), QSize(7, 90));
            QCOMPARE(preview->size(), QSize(350, 150));
            QCOMPARE(child<QLineEdit>(dialog, "price")->text(), QStringLiteral("12.00"));
            typeText(child<QLineEdit>(dialog, "price"), QStringLiteral("9"));
            click(dialog, "saveButton");
        }));
        QVERIFY(boxes.shown().isEmpty());
        QByteArray expected = shown.bytes;
        expected.replace(90 + 70, 10, QByteArray("9\0.00\0####", 10));
        QCOMPARE(readFile(shown.path()), expected);
    }

    // Another program changed the file while the dialog was open: nothing is
    // written over its change.
    void editOverAChangedFileIsRefused()
    {
        ToolsOpen shown;
        MessageBoxHook boxes;
        const QByteArray theirs = recordBytes("Theirs") + shown.bytes;
        QVERIFY(shown.editItem(1, [&](ItemDialog& dialog) {
            QVERIFY(writeFile(shown.path(), theirs));
            typeText(child<QLineEdit>(dialog, "name"), QStringLiteral("Mine"));
            click(dialog, "saveButton");
            dialog.reject();
        }));
        QCOMPARE(readFile(shown.path()), theirs);
        QCOMPARE(texts(boxes), QStringList{"Wareloom: The item was not saved. Tools was changed by "
                                           "another program; it has been reloaded. Please make "
                                           "your change again."});
        QTRY_COMPARE(shown.lines().size(), 5);
    }

    // The code box, as it reads when deleting, decides which picture goes.
    void deletingAnItem_data()
    {
        QTest::addColumn<QString>("codeBox");
        QTest::addColumn<MessageAnswer>("pictureAnswer");
        QTest::addColumn<QStringList>("told"); // after the first question
        QTest::addColumn<QStringList>("deletedOnHost");
        const QString picture =
            "Wareloom: This entry has a picture.  Remove the picture from the FTP server?";
        QTest::newRow("empty code box: one question")
            << "" << MessageAnswer::Yes << QStringList{} << QStringList{};
        QTest::newRow("A1, No") << "A1" << MessageAnswer::No << QStringList{picture}
                                << QStringList{};
        QTest::newRow("A1, Yes") << "A1" << MessageAnswer::Yes << QStringList{picture}
                                 << QStringList{"DELE /htdocs/A1.jpg"};
        QTest::newRow("R1, the Rake's picture too: asked with No the default")
            << "R1" << MessageAnswer::Yes
            << QStringList{picture + "\n\nR1.jpg is also the picture of: Rake"}
            << QStringList{"DELE /htdocs/R1.jpg"};
        QTest::newRow("../x, Yes: nothing outside the data directory")
            << "../x" << MessageAnswer::Yes
            << QStringList{picture, "Wareloom: No picture was removed: \"../x\" cannot be the "
                                    "code of a picture."}
            << QStringList{};
    }
    void deletingAnItem()
    {
        QFETCH(QString, codeBox);
        QFETCH(MessageAnswer, pictureAnswer);
        QFETCH(QStringList, told);
        QFETCH(QStringList, deletedOnHost);
        ToolsOpen shown;
        QVERIFY(shown.data.writeFile(QStringLiteral("A1.jpg"), "jpeg"));
        Host server(shown.data.store());
        QVERIFY(writeFile(server.localPath("/htdocs/A1.jpg"), "jpeg"));
        QVERIFY(writeFile(server.localPath("/htdocs/R1.jpg"), "jpeg"));
        MessageBoxHook boxes;
        boxes.queueAnswer(MessageAnswer::Yes);
        boxes.queueAnswer(pictureAnswer);
        QVERIFY(shown.editItem(2, [&](ItemDialog& dialog) {
            typeText(child<QLineEdit>(dialog, "code"), codeBox);
            child<QAction>(dialog, "actionDeleteItem")->trigger();
        }));
        QCOMPARE(texts(boxes),
                 QStringList{"Warloom: Delete this inventory item.  Are you sure?"} + told);
        QCOMPARE(readFile(shown.path()), shown.bytes.left(90) + shown.bytes.mid(180));
        QCOMPARE(server.commands().filter(QStringLiteral("DELE")), deletedOnHost);
        QCOMPARE(QFile::exists(shown.data.filePath("A1.jpg")),
                 codeBox != "A1" || deletedOnHost.isEmpty());
        if (boxes.shown().size() > 1)
            QCOMPARE(boxes.shown()[1].buttons,
                     codeBox == "R1" ? MessageButtons::YesNoDefaultNo : MessageButtons::YesNo);
        QTRY_COMPARE(shown.lines().size(), 3);
    }

    // Picture Upload copies the chosen file as <code>.jpg, shows it and sends
    // it; a file dropped on the preview goes the same way, without the dialog.
    void pictureUpload_data()
    {
        const QString uploaded = "Wareloom: Image Uploaded!";
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("dropped");
        for (const bool dropped : {false, true}) {
            const char* way = dropped ? "dropped" : "chosen";
            QTest::addRow("uploaded, %s", way) << "B7" << uploaded << dropped;
            QTest::addRow("no code, %s", way)
                << ""
                << "Wareloom: Enter the item 'code' first.  The image is renamed the 'Code.jpg'"
                << dropped;
            QTest::addRow("code leaving the folder, %s", way)
                << "../A1"
                << "Wareloom: The code \"../A1\" cannot name a picture file: it must not hold / "
                   "or \\ and must not be . or .."
                << dropped;
        }
    }
    void pictureUpload()
    {
        QFETCH(QString, code);
        QFETCH(QString, told);
        QFETCH(bool, dropped);
        ToolsOpen shown;
        Host server(shown.data.store());
        const QString chosen = shown.data.filePath(QStringLiteral("chosen.png"));
        const QByteArray picture = solidPicture(QSize(800, 600), Qt::red);
        QVERIFY(writeFile(chosen, picture));
        FileDialogHook files;
        if (!dropped)
            files.queueChoice(chosen);
        MessageBoxHook boxes;
        QVERIFY(shown.addItem([&](ItemDialog& dialog) {
            typeText(child<QLineEdit>(dialog, "code"), code);
            auto* preview = child<PicturePreview>(dialog, "picturePreview");
            if (dropped)
                QVERIFY(dropFile(preview, chosen));
            else
                click(dialog, "pictureUpload");
            const QImage seen = preview->picture();
            QCOMPARE(seen.size(), told.endsWith(u"Uploaded!") ? QSize(800, 600) : QSize(0, 0));
            dialog.reject();
        }));
        QCOMPARE(texts(boxes), QStringList{told});
        QCOMPARE(files.shownCount(), int(!dropped && told.endsWith(u"Uploaded!")));
        if (!told.endsWith(u"Uploaded!"))
            return;
        QCOMPARE(readFile(shown.data.filePath(code + ".jpg")), picture);
        QCOMPARE(server.fileContents("/htdocs/" + code + ".jpg"), picture);
        // and its thumbnail for the modern pages, sent beside it
        QCOMPARE(QImage::fromData(server.fileContents("/htdocs/" + code + ".thumb.jpg")).size(),
                 QSize(240, 180));
        QCOMPARE(readFile(shown.path()), shown.bytes); // not saved
    }

    void newCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("told"); // empty: created
        QTest::newRow("80 characters") << QString(80, 'c') << QString();
        QTest::newRow("accented, ending in a space") << QString("Ölkanne € ") << QString();
        QTest::newRow("81 characters")
            << QString(81, 'c') << "ERROR:: Maximum 80 Characters for category name!";
        QTest::newRow("clash") << QString("Tools")
                               << "ERROR:: The category \"Tools\" already exists.";
        QTest::newRow("the main page's name")
            << QString("INVENTORY") << "ERROR:: inventory is the name of the main page";
        QTest::newRow("climbing out")
            << QString("../Escape") << "ERROR:: \"../Escape\" cannot be used";
    }
    void newCategory()
    {
        QFETCH(QString, name);
        QFETCH(QString, told);
        ToolsOpen shown; // from the item view
        MessageBoxHook boxes;
        auto add = [&](CategoryDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Add Category"));
            typeText(child<QLineEdit>(dialog, "name"), name);
            click(dialog, "saveButton");
            if (dialog.isVisible())
                dialog.reject();
        };
        QVERIFY(onDialog<CategoryDialog>([&] { shown.trigger("actionNewCategory"); }, add));
        QCOMPARE(QFile::exists(shown.data.filePath(name + ".dat")),
                 told.isEmpty() || name == "Tools");
        if (told.isEmpty()) {
            QVERIFY(boxes.shown().isEmpty());
            QCOMPARE(shown.label("heading"), QStringLiteral("Category List"));
            QVERIFY(shown.lines().contains("CATEGORY - " + name.leftJustified(69) + "   0"));
        } else {
            QVERIFY2(texts(boxes).value(0).startsWith(told), qPrintable(texts(boxes).value(0)));
            QVERIFY(!QFile::exists(shown.data.path() + "/../Escape.dat"));
        }
    }

    void deleteCategory_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<MessageAnswer>("pageAnswer");
        QTest::addColumn<bool>("locked"); // the folder refuses the deletion
        QTest::newRow("No") << MessageAnswer::No << MessageAnswer::No << false;
        QTest::newRow("Yes, keep the page") << MessageAnswer::Yes << MessageAnswer::No << false;
        QTest::newRow("Yes, delete the page") << MessageAnswer::Yes << MessageAnswer::Yes << false;
        QTest::newRow("Yes, but the file stays")
            << MessageAnswer::Yes << MessageAnswer::Yes << true;
    }
    void deleteCategory()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(MessageAnswer, pageAnswer);
        QFETCH(bool, locked);
        ToolsOpen shown;
        Host server(shown.data.store());
        QVERIFY(writeFile(server.localPath("/htdocs/Tools.htm"), "page"));
        std::optional<ReadOnlyDirectory> folder;
        if (locked && !folder.emplace(shown.data.path()).ok())
            QSKIP("this machine cannot make a folder read-only");
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        boxes.queueAnswer(pageAnswer);
        shown.trigger("actionDeleteCategory");
        folder.reset();
        const bool deleted = answer == MessageAnswer::Yes && !locked;
        const QStringList shownTexts = texts(boxes);
        QCOMPARE(shownTexts.value(0),
                 "Delete Category?: Delete the category Tools and its 3 items?\n\n"
                 "It can be restored from Category > History...");
        if (locked) // said, and the page is not offered for deletion
            QVERIFY2(shownTexts.size() == 2 && shownTexts[1].startsWith("Wareloom: ") &&
                         shownTexts[1].contains("cannot"),
                     qPrintable(shownTexts.join('|')));
        else
            QCOMPARE(shownTexts.mid(1),
                     deleted ? QStringList{"Wareloom: Delete the webpage from the FTP server?"}
                             : QStringList());
        QCOMPARE(QFile::exists(shown.path()), !deleted);
        QCOMPARE(server.fileContents("/htdocs/Tools.htm").isEmpty(),
                 deleted && pageAnswer == MessageAnswer::Yes);
        QCOMPARE(shown.label("heading"),
                 deleted ? QStringLiteral("Category List") : QStringLiteral("Tools"));
        if (!deleted)
            return;
        // Ctrl+Z brings the whole file back.
        auto* undo = shown.window.findChild<QAction*>("actionUndo");
        QCOMPARE(undo->text(), "&Undo Delete Category 'Tools'");
        QTest::keyClick(&shown.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(readFile(shown.path()), shown.bytes);
    }

    // Each kind of change is taken back and made again through the menu.
    void undoRedoInWindow()
    {
        ToolsOpen shown;
        MessageBoxHook boxes;
        boxes.queueAnswer(MessageAnswer::Yes);
        QVERIFY(shown.editItem(3, [](ItemDialog& dialog) {
            dialog.findChild<QAction*>("actionDeleteItem")->trigger();
        }));
        const QByteArray after = readFile(shown.path());
        QCOMPARE(after, shown.bytes.left(2 * 90));
        auto* undo = shown.window.findChild<QAction*>("actionUndo");
        QCOMPARE(undo->text(), "&Undo Delete Item 'Rake'");
        undo->trigger();
        QCOMPARE(readFile(shown.path()), shown.bytes);
        shown.window.findChild<QAction*>("actionRedo")->trigger();
        QCOMPARE(readFile(shown.path()), after);
        // Changed by another program meanwhile: refused, the file left as it is.
        QVERIFY(writeFile(shown.path(), shown.bytes.left(90)));
        boxes.clear();
        undo->trigger();
        QVERIFY2(texts(boxes).value(0).contains("was changed by another program"),
                 qPrintable(texts(boxes).join('|')));
        QCOMPARE(readFile(shown.path()), shown.bytes.left(90));
    }
};

QTEST_MAIN(TestItemDialog)
#include "tst_itemdialog.moc"
