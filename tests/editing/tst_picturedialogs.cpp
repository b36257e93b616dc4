#include "gui/editing/DialogOpening.h"
#include "gui/editing/EditOpenTimer.h"
#include "gui/editing/ItemPicture.h"
#include "gui/platform/FileDialog.h"
#include "core/transfer/Sockets.h"
#include "core/store/CategoryStore.h"

#include "EditingTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"

#include <QTemporaryDir>

#include <optional>

using namespace wareloom;
using namespace wareloom::test;
using Kind = ItemDialogKind;

Q_DECLARE_METATYPE(wareloom::ItemDialogKind)

namespace {

QRect previewRect(Kind kind)
{
    return kind == Kind::EditItem ? QRect(320, 110, 350, 150) : QRect(350, 120, 350, 150);
}

QImage shownPicture(const ResourceDialog& dialog)
{
    // Grabbing paints the dialog afresh: what it shows is part of its painting.
    return dialog.clientArea()->grab().toImage();
}

// Tools is the open category; its one item, stored with the code, is selected.
void selectItemWithCode(const QString& code)
{
    ItemRecord item;
    storeFieldString(item, ItemField::Name, u"Saw");
    storeFieldString(item, ItemField::Code, code);
    recordTable().slots[1] = item;
    recordTable().recordCount = 1;
    browserState().currentCategoryName = QStringLiteral("Tools");
    browserState().currentCategoryPath = categoryFilePath(QStringLiteral("Tools"));
    browserState().selectedItemSlot = 1;
}

// Opens the real item dialog as the main window does; action runs in it once
// its opening tick is past, then Cancel closes it.
void inItemDialog(Kind kind, std::function<void(ResourceDialog&)> action)
{
    auto opened = whenDialogOpens([kind, action](QDialog* shown) {
        auto* dialog = qobject_cast<ResourceDialog*>(shown);
        QVERIFY(dialog);
        if (kind == Kind::EditItem)
            QTRY_VERIFY(previewOnce());
        action(*dialog);
        QTest::mouseClick(dialog->control(IDOK), Qt::LeftButton);
    });
    kind == Kind::EditItem ? openEditItemDialog() : runItemAddDialog();
    QVERIFY(*opened);
}

void pressPictureUpload(ResourceDialog& dialog, Kind kind, const QString& code)
{
    dialog.setControlText(IDC_CODE, code);
    const int button = kind == Kind::EditItem ? IDC_EDIT_PICTURE_UPLOAD : IDC_ADD_PICTURE_UPLOAD;
    QTest::mouseClick(dialog.control(button), Qt::LeftButton);
}

} // namespace

// Picture Upload and the stored picture's preview in the real item dialogs.
class TestPictureDialogs : public QObject
{
    Q_OBJECT

    std::optional<TempDataDirectory> m_data;
    TestFtpServer m_server; // one for all tests: look only at what each sends
    qsizetype m_seen = 0;
    QTemporaryDir m_chosen; // the user's own files
    const QByteArray m_item = QByteArray("Saw") + QByteArray(87, '\0');

    QString chosenFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_chosen.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        return writeFile(path, bytes) ? path : QString();
    }

    QStringList dataFiles() const { return QDir(m_data->path()).entryList(QDir::Files); }

    bool useHost() const { return writeSettingsFile(m_server.settings("/htdocs/")); }
    QStringList sent() const { return m_server.commands().mid(m_seen); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }

    void init()
    {
        browserState() = BrowserState{};
        m_data.emplace();
        m_seen = m_server.commands().size();
        // Whatever the dialogs do, the item itself is never saved.
        QVERIFY(m_data->writeFile("Tools.dat", m_item));
        selectItemWithCode("A1");
    }

    void cleanup()
    {
        QCOMPARE(readFile(m_data->filePath("Tools.dat")), m_item);
        m_data.reset();
    }

    void refusedOrCancelledBeforeAnyFile_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("host");
        QTest::addColumn<QString>("message"); // part of the box's text; empty: no box
        const QString enterCode =
            "Enter the item 'code' first.  The image is renamed the 'Code.jpg'";
        const QString notAName = "cannot name a picture file";
        QTest::newRow("Add Item, empty code") << Kind::AddItem << "" << true << enterCode;
        QTest::newRow("Edit Item, empty code") << Kind::EditItem << "" << true << enterCode;
        QTest::newRow("slash") << Kind::AddItem << "../A1" << true << notAName;
        QTest::newRow("backslash") << Kind::AddItem << "a\\b" << true << notAName;
        QTest::newRow("dot") << Kind::AddItem << "." << true << notAName;
        QTest::newRow("dot dot") << Kind::AddItem << ".." << true << notAName;
        QTest::newRow("no settings file")
            << Kind::AddItem << "A1" << false << "No FTP/HTTP settings!";
        QTest::newRow("file dialog cancelled") << Kind::AddItem << "A1" << true << "";
    }
    void refusedOrCancelledBeforeAnyFile()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, code);
        QFETCH(bool, host);
        QFETCH(QString, message);
        if (host)
            QVERIFY(useHost());
        const QStringList filesBefore = dataFiles();
        FileDialogHook files;
        if (message.isEmpty())
            files.queueCancel();
        else
            files.queueChoice(chosenFile("photo.png", solidPicture({4, 4}, Qt::red)));
        MessageBoxHook boxes;
        inItemDialog(kind, [&](ResourceDialog& dialog) {
            const QString title = dialog.windowTitle();
            pressPictureUpload(dialog, kind, code);
            QCOMPARE(boxes.shown().size(), message.isEmpty() ? 0 : 1);
            if (!message.isEmpty()) {
                QVERIFY2(boxes.shown()[0].text.contains(message),
                         qPrintable(boxes.shown()[0].text));
                checkBox(boxes.shown()[0], {}, "Wareloom", MessageButtons::Ok, &dialog);
            }
            QCOMPARE(dialog.windowTitle(), title);
        });
        QCOMPARE(files.shownCount(), message.isEmpty() ? 1 : 0);
        QCOMPARE(dataFiles(), filesBefore);
        QCOMPARE(sent(), QStringList{});
    }

    void chosenFileIsCopiedShownAndUploaded_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("ownPicture"); // chosen: the data directory's <code>.jpg
        QTest::newRow("Add Item, 800x600")
            << Kind::AddItem << "A1" << QSize(800, 600) << QByteArray("PNG") << false;
        QTest::newRow("Edit Item, 800x600")
            << Kind::EditItem << "A1" << QSize(800, 600) << QByteArray("PNG") << false;
        QTest::newRow("Add Item, 7x90: stretched")
            << Kind::AddItem << "A1" << QSize(7, 90) << QByteArray("PNG") << false;
        QTest::newRow("Add Item, B7, a BMP, then Cancel")
            << Kind::AddItem << "B7" << QSize(64, 48) << QByteArray("BMP") << false;
        // Save would refuse it; the picture takes it as typed.
        QTest::newRow("Add Item, 12-character code")
            << Kind::AddItem << "ABCDEF-12345" << QSize(64, 48) << QByteArray("PNG") << false;
        QTest::newRow("Add Item, the item's own picture")
            << Kind::AddItem << "A1" << QSize(30, 20) << QByteArray("PNG") << true;
    }
    void chosenFileIsCopiedShownAndUploaded()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, code);
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        QFETCH(bool, ownPicture);
        QVERIFY(useHost());
        const QString picture = code + ".jpg";
        const QColor colour(0, 90, 255);
        const QByteArray photo = solidPicture(size, colour, format.constData());
        if (ownPicture)
            QVERIFY(m_data->writeFile(picture, photo));
        const QString chosen =
            ownPicture ? m_data->filePath(picture) : chosenFile("photo.png", photo);
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;
        inItemDialog(kind, [&](ResourceDialog& dialog) {
            const auto titleWhileBoxOpen = titleWhenBoxOpens(boxes, dialog);
            pressPictureUpload(dialog, kind, code);
            QCOMPARE(boxes.shown().size(), 1);
            checkBox(boxes.shown()[0], "Image Uploaded!", "Wareloom", MessageButtons::Ok, &dialog);
            QCOMPARE(*titleWhileBoxOpen, picture);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom"));
            const QImage shown = shownPicture(dialog);
            QVERIFY(colourFills(shown, previewRect(kind), colour));
            QVERIFY(!colourAround(shown, previewRect(kind), colour));
        });
        QCOMPARE(readFile(m_data->filePath(picture)), photo);
        QCOMPARE(m_server.fileContents("/htdocs/" + picture), photo);
        QVERIFY(sent().contains("STOR /htdocs/" + picture + " TYPE=I"));
        QCOMPARE(readFile(chosen), photo);
        QCOMPARE(dataFiles(), (QStringList{picture, "FTPServer.ftp", "Tools.dat"}));
    }

    void fileThatIsNoPictureIsCopiedAndSentWithoutPreview()
    {
        const Kind kind = Kind::AddItem;
        QVERIFY(useHost());
        const QColor colour(20, 200, 20);
        const QByteArray notes("a price list, not a picture\n");
        FileDialogHook files;
        files.queueChoice(chosenFile("green.png", solidPicture({5, 5}, colour)));
        files.queueChoice(chosenFile("notes.txt", notes));
        MessageBoxHook boxes;
        inItemDialog(kind, [&](ResourceDialog& dialog) {
            pressPictureUpload(dialog, kind, "A1");
            QVERIFY(colourFills(shownPicture(dialog), previewRect(kind), colour));
            pressPictureUpload(dialog, kind, "A1");
            // What is shown is what was chosen last: no picture at all.
            QVERIFY(shownPicture(dialog).pixelColor(previewRect(kind).center()) != colour);
        });
        QCOMPARE(readFile(m_data->filePath("A1.jpg")), notes);
        QCOMPARE(m_server.fileContents("/htdocs/A1.jpg"), notes);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.shown().last().text, QStringLiteral("Image Uploaded!"));
    }

    void failedCopyIsToldAndKeepsTheEarlierPicture()
    {
        QVERIFY(useHost());
        const QByteArray earlier = solidPicture({30, 20}, Qt::yellow);
        QVERIFY(m_data->writeFile("A1.jpg", earlier));
        const QByteArray photo = solidPicture({64, 48}, Qt::cyan);
        FileDialogHook files;
        files.queueChoice(chosenFile("photo.png", photo));
        MessageBoxHook boxes;
        inItemDialog(Kind::EditItem, [&](ResourceDialog& dialog) {
            ReadOnlyDirectory readOnly(m_data->path());
            QVERIFY(readOnly.ok());
            pressPictureUpload(dialog, Kind::EditItem, "A1");
            QCOMPARE(boxes.shown().size(), 2);
            const ShownMessageBox& told = boxes.shown().first();
            QVERIFY2(told.text.startsWith("The picture was not copied") &&
                         told.text.contains("A1.jpg"),
                     qPrintable(told.text));
            QCOMPARE(told.caption, QStringLiteral("Wareloom"));
            QCOMPARE(told.owner.data(), &dialog);
        });
        QCOMPARE(readFile(m_data->filePath("A1.jpg")), earlier);
        QCOMPARE(dataFiles(), (QStringList{"A1.jpg", "FTPServer.ftp", "Tools.dat"}));
        // The host gets the chosen file all the same.
        QCOMPARE(boxes.shown().last().text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(m_server.fileContents("/htdocs/A1.jpg"), photo);
    }

    // "/htdocs/" + 188 characters + ".jpg" makes 200: too long a remote name.
    void failedUploadSaysFtpError()
    {
        QVERIFY(useHost());
        const QString code(188, 'c');
        const QByteArray photo = solidPicture({8, 8}, Qt::red);
        FileDialogHook files;
        files.queueChoice(chosenFile("photo.png", photo));
        MessageBoxHook boxes;
        inItemDialog(Kind::AddItem, [&](ResourceDialog& dialog) {
            pressPictureUpload(dialog, Kind::AddItem, code);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom"));
        });
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text.section("\n\n", 0, 0), QStringLiteral("FTP Error!"));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QCOMPARE(readFile(m_data->filePath(code + ".jpg")), photo); // the local copy is made
        QCOMPARE(sent().filter(QRegularExpression("^STOR")), QStringList{});
    }

    // Drawn for the stored code, not for what the code box holds by then.
    void editItemShowsTheStoredPictureAfterOpening_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("A1 with A1.jpg") << "A1"
                                        << "A1.jpg" << true << true;
        QTest::newRow("no code") << ""
                                 << ".jpg" << true << false;
        QTest::newRow("no picture of the code") << "A1"
                                                << "B2.jpg" << true << false;
        QTest::newRow("not a picture") << "A1"
                                       << "A1.jpg" << false << false;
        QTest::newRow("code leaving the data directory") << "../A1"
                                                         << "../A1.jpg" << true << false;
    }
    void editItemShowsTheStoredPictureAfterOpening()
    {
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(bool, picture);
        QFETCH(bool, drawn);
        const QColor colour(200, 100, 0);
        QVERIFY(m_data->writeFile(file, picture ? solidPicture({640, 480}, colour, "BMP")
                                                : QByteArray("text")));
        selectItemWithCode(code);
        MessageBoxHook boxes;
        auto opened = whenDialogOpens([&](QDialog* shown) {
            auto* edit = qobject_cast<ResourceDialog*>(shown);
            QVERIFY(edit);
            if (!previewOnce()) { // before the first tick nothing is drawn yet
                QVERIFY(!colourFills(shownPicture(*edit), previewRect(Kind::EditItem), colour));
                edit->setControlText(IDC_CODE, "B2");
            }
            QTRY_VERIFY(edit->control(IDC_NAME)->hasFocus());
            const QImage shownNow = shownPicture(*edit);
            QCOMPARE(colourFills(shownNow, previewRect(Kind::EditItem), colour), drawn);
            QVERIFY(!colourAround(shownNow, previewRect(Kind::EditItem), colour));
            edit->sendCommand(IDOK);
        });
        openEditItemDialog();
        QVERIFY(*opened);
        QVERIFY(boxes.shown().isEmpty());
    }
};

QTEST_MAIN(TestPictureDialogs)
#include "tst_picturedialogs.moc"
