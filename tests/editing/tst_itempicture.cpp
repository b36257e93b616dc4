#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "TitleWhileBoxOpen.h"
#include "editing/ItemPicture.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ResourceDialog.h"
#include "platform/Sockets.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace wareloom;
using test::colourAround;
using test::colourFills;
using test::readFile;
using test::solidPicture;

Q_DECLARE_METATYPE(wareloom::ItemDialogKind)

namespace {

constexpr int CodeBox = 1004;
const QSize PreviewSize(350, 150);

// The parts of an item dialog a picture upload uses: the code box and the
// preview frame, in a dialog of the item dialog's size.
const DialogTemplate& itemDialogTemplate(ItemDialogKind kind)
{
    static const DialogTemplate addItem{
        QStringLiteral("Wareloom - Add New Item"),
        QStringLiteral("Courier New"),
        10,
        {375, 194},
        {editText(CodeBox, {58, 105, 83, 13}), blackFrame(1015, {172, 54, 182, 85})}};
    static const DialogTemplate editItem{
        QStringLiteral("Wareloom - Edit"),
        QStringLiteral("Courier New"),
        10,
        {358, 190},
        {editText(CodeBox, {75, 98, 64, 12}),
         blackFrame(1015, {154, 50, 190, 84}, ControlStyle::Sunken)}};
    return kind == ItemDialogKind::AddItem ? addItem : editItem;
}

std::unique_ptr<ResourceDialog> openItemDialog(ItemDialogKind kind, const QString& code)
{
    auto dialog = std::make_unique<ResourceDialog>(itemDialogTemplate(kind));
    dialog->show();
    dialog->setControlText(CodeBox, code);
    return dialog;
}

QImage shownPicture(const ResourceDialog& dialog)
{
    // Grabbing paints the dialog afresh: what it shows is part of its painting.
    return dialog.clientArea()->grab().toImage();
}

void bothDialogs()
{
    QTest::addColumn<ItemDialogKind>("kind");
    QTest::newRow("Add Item") << ItemDialogKind::AddItem;
    QTest::newRow("Edit Item") << ItemDialogKind::EditItem;
}

} // namespace

class TestItemPicture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_chosen; // the user's own files, outside the data directory
    std::optional<test::TempDataDirectory> m_data;
    std::optional<test::TestFtpServer> m_server;

    QString chosenFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_chosen.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        return test::writeFile(path, bytes) ? path : QString();
    }

    QString dataFile(const QString& name) const { return m_data->filePath(name); }

    QStringList dataFiles() const
    {
        return QDir(m_data->path()).entryList(QDir::Files, QDir::Name);
    }

    // Starts the FTP server and stores settings that reach it.
    bool startHost()
    {
        return m_server->start() && test::writeSettingsFile(m_server->settings("/htdocs/"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void init()
    {
        m_data.emplace();
        m_server.emplace();
    }

    void cleanup()
    {
        m_server.reset();
        m_data.reset();
    }

    void codeThatCannotNameAPictureIsRefusedFirst_data()
    {
        QTest::addColumn<ItemDialogKind>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        const QString enterCode =
            QStringLiteral("Enter the item 'code' first.  The image is renamed the 'Code.jpg'");
        const QString notAName = QStringLiteral("cannot name a picture file");
        QTest::newRow("Add Item, empty") << ItemDialogKind::AddItem << QString() << enterCode;
        QTest::newRow("Edit Item, empty") << ItemDialogKind::EditItem << QString() << enterCode;
        QTest::newRow("slash") << ItemDialogKind::AddItem << QStringLiteral("../A1") << notAName;
        QTest::newRow("backslash")
            << ItemDialogKind::EditItem << QStringLiteral("a\\b") << notAName;
        QTest::newRow("dot") << ItemDialogKind::AddItem << QStringLiteral(".") << notAName;
        QTest::newRow("dot dot") << ItemDialogKind::EditItem << QStringLiteral("..") << notAName;
    }

    void codeThatCannotNameAPictureIsRefusedFirst()
    {
        QFETCH(ItemDialogKind, kind);
        QFETCH(QString, code);
        QFETCH(QString, message);
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const auto dialog = openItemDialog(kind, code);
        FileDialogHook files;
        files.queueChoice(chosenFile(QStringLiteral("photo.png"), solidPicture({4, 4}, Qt::red)));
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, kind);

        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QVERIFY2(box.text.contains(message), qPrintable(box.text));
        QCOMPARE(box.caption, QStringLiteral("Wareloom"));
        QCOMPARE(box.owner.data(), dialog.get());
        QCOMPARE(files.shownCount(), 0);
        QCOMPARE(dataFiles(), QStringList{QStringLiteral("FTPServer.ftp")});
        QVERIFY(!m_server->received({QStringLiteral("USER")}));
    }

    void withoutSettingsTellsBeforeAnyFileDialog()
    {
        const auto dialog = openItemDialog(ItemDialogKind::EditItem, QStringLiteral("A1"));
        FileDialogHook files;
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, ItemDialogKind::EditItem);

        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("No FTP/HTTP settings!"));
        QCOMPARE(boxes.shown().first().owner.data(), dialog.get());
        QCOMPARE(files.shownCount(), 0);
        QVERIFY(dataFiles().isEmpty());
    }

    void cancelledFileDialogDoesNothing()
    {
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const auto dialog = openItemDialog(ItemDialogKind::AddItem, QStringLiteral("A1"));
        const QString title = dialog->windowTitle();
        FileDialogHook files;
        files.queueCancel();
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, ItemDialogKind::AddItem);

        QCOMPARE(files.shownCount(), 1);
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(dataFiles(), QStringList{QStringLiteral("FTPServer.ftp")});
        QVERIFY(!m_server->received({QStringLiteral("USER")}));
    }

    void chosenFileIsCopiedAndUploadedUnderTheCode_data()
    {
        QTest::addColumn<ItemDialogKind>("kind");
        QTest::addColumn<QString>("code");
        QTest::newRow("Add Item, A1") << ItemDialogKind::AddItem << QStringLiteral("A1");
        QTest::newRow("Edit Item, A1") << ItemDialogKind::EditItem << QStringLiteral("A1");
        // Longer than Save allows: the picture takes the code as typed.
        QTest::newRow("12 characters") << ItemDialogKind::AddItem << QStringLiteral("ABCDEF-12345");
    }

    void chosenFileIsCopiedAndUploadedUnderTheCode()
    {
        QFETCH(ItemDialogKind, kind);
        QFETCH(QString, code);
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const QByteArray photo = solidPicture({64, 48}, QColor(10, 120, 200));
        const QString chosen = chosenFile(QStringLiteral("photo.png"), photo);
        const auto dialog = openItemDialog(kind, code);
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = test::titleWhenBoxOpens(boxes, *dialog);

        uploadItemPicture(*dialog, kind);

        const QString picture = code + QStringLiteral(".jpg");
        QCOMPARE(readFile(dataFile(picture)), photo);
        QCOMPARE(m_server->fileContents(QStringLiteral("/htdocs/") + picture), photo);
        QVERIFY(
            m_server->commands().contains(QStringLiteral("STOR /htdocs/%1 TYPE=I").arg(picture)));
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QCOMPARE(box.text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(box.caption, QStringLiteral("Wareloom"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.owner.data(), dialog.get());
        QCOMPARE(*titleWhileBoxOpen, picture);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Wareloom"));
        QCOMPARE(readFile(chosen), photo);
    }

    void pictureIsDrawnStretchedAtTheDialogsPlace_data()
    {
        QTest::addColumn<ItemDialogKind>("kind");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QSize>("size");
        QTest::newRow("Add Item, 800x600")
            << ItemDialogKind::AddItem << QPoint(350, 120) << QSize(800, 600);
        QTest::newRow("Edit Item, 800x600")
            << ItemDialogKind::EditItem << QPoint(320, 110) << QSize(800, 600);
        QTest::newRow("Edit Item, 7x90")
            << ItemDialogKind::EditItem << QPoint(320, 110) << QSize(7, 90);
    }

    void pictureIsDrawnStretchedAtTheDialogsPlace()
    {
        QFETCH(ItemDialogKind, kind);
        QFETCH(QPoint, at);
        QFETCH(QSize, size);
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const QColor colour(230, 20, 140);
        const auto dialog = openItemDialog(kind, QStringLiteral("A1"));
        FileDialogHook files;
        files.queueChoice(chosenFile(QStringLiteral("red.png"), solidPicture(size, colour)));
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, kind);

        QCOMPARE(picturePosition(kind), at);
        const QImage shown = shownPicture(*dialog);
        const QRect preview(at, PreviewSize);
        QVERIFY(colourFills(shown, preview, colour));
        QVERIFY(!colourAround(shown, preview, colour));
    }

    void fileThatIsNoPictureIsCopiedAndSentWithoutPreview_data() { bothDialogs(); }

    void fileThatIsNoPictureIsCopiedAndSentWithoutPreview()
    {
        QFETCH(ItemDialogKind, kind);
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const QColor colour(20, 200, 20);
        const QByteArray notes("a price list, not a picture\n");
        const auto dialog = openItemDialog(kind, QStringLiteral("A1"));
        FileDialogHook files;
        files.queueChoice(chosenFile(QStringLiteral("green.png"), solidPicture({5, 5}, colour)));
        files.queueChoice(chosenFile(QStringLiteral("notes.txt"), notes));
        MessageBoxHook boxes;
        const QRect preview(picturePosition(kind), PreviewSize);

        uploadItemPicture(*dialog, kind);
        QVERIFY(colourFills(shownPicture(*dialog), preview, colour));
        uploadItemPicture(*dialog, kind);

        // What is shown is what was chosen last: no picture at all.
        QVERIFY(shownPicture(*dialog).pixelColor(preview.center()) != colour);
        QCOMPARE(readFile(dataFile(QStringLiteral("A1.jpg"))), notes);
        QCOMPARE(m_server->fileContents(QStringLiteral("/htdocs/A1.jpg")), notes);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.shown().last().text, QStringLiteral("Image Uploaded!"));
    }

    void choosingTheItemsOwnPictureKeepsIt_data() { bothDialogs(); }

    void choosingTheItemsOwnPictureKeepsIt()
    {
        QFETCH(ItemDialogKind, kind);
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const QByteArray own = solidPicture({30, 20}, Qt::yellow, "JPEG");
        QVERIFY(test::writeFile(dataFile(QStringLiteral("A1.jpg")), own));
        const auto dialog = openItemDialog(kind, QStringLiteral("A1"));
        FileDialogHook files;
        files.queueChoice(dataFile(QStringLiteral("A1.jpg")));
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, kind);

        QCOMPARE(readFile(dataFile(QStringLiteral("A1.jpg"))), own);
        QCOMPARE(m_server->fileContents(QStringLiteral("/htdocs/A1.jpg")), own);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(dataFiles(), (QStringList{"A1.jpg", "FTPServer.ftp"}));
    }

    void failedCopyIsToldAndKeepsTheEarlierPicture()
    {
        QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        const QByteArray earlier = solidPicture({30, 20}, Qt::yellow);
        QVERIFY(test::writeFile(dataFile(QStringLiteral("A1.jpg")), earlier));
        const QByteArray photo = solidPicture({64, 48}, Qt::cyan);
        const auto dialog = openItemDialog(ItemDialogKind::EditItem, QStringLiteral("A1"));
        FileDialogHook files;
        files.queueChoice(chosenFile(QStringLiteral("photo.png"), photo));
        MessageBoxHook boxes;
        {
            test::ReadOnlyDirectory readOnly(m_data->path());
            QVERIFY(readOnly.ok());
            uploadItemPicture(*dialog, ItemDialogKind::EditItem);
        }

        QCOMPARE(boxes.shown().size(), 2);
        const ShownMessageBox& told = boxes.shown().first();
        QVERIFY2(told.text.startsWith(QStringLiteral("The picture was not copied")) &&
                     told.text.contains(QStringLiteral("A1.jpg")),
                 qPrintable(told.text));
        QCOMPARE(told.caption, QStringLiteral("Wareloom"));
        QCOMPARE(told.owner.data(), dialog.get());
        QCOMPARE(readFile(dataFile(QStringLiteral("A1.jpg"))), earlier);
        QCOMPARE(dataFiles(), (QStringList{"A1.jpg", "FTPServer.ftp"}));
        // The host gets the chosen file all the same.
        QCOMPARE(boxes.shown().last().text, QStringLiteral("Image Uploaded!"));
        QCOMPARE(m_server->fileContents(QStringLiteral("/htdocs/A1.jpg")), photo);
    }

    void failedUploadSaysFtpError_data()
    {
        QTest::addColumn<bool>("withHost");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("code");
        QTest::newRow("all fields empty") << false << QStringLiteral("photo.png") << "A1";
        QTest::newRow("chosen path longer than 199")
            << true << QString(195, 'd') + QStringLiteral("/photo.png") << "A1";
        // "/htdocs/" + 188 characters + ".jpg" makes 200.
        QTest::newRow("remote name longer than 199")
            << true << QStringLiteral("photo.png") << QString(188, 'c');
    }

    void failedUploadSaysFtpError()
    {
        QFETCH(bool, withHost);
        QFETCH(QString, chosenName);
        QFETCH(QString, code);
        if (withHost)
            QVERIFY2(startHost(), qPrintable(m_server->errorString()));
        else
            QVERIFY(test::writeSettingsFile({}));
        const QByteArray photo = solidPicture({8, 8}, Qt::red);
        const QString chosen = chosenFile(chosenName, photo);
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(chosen.size() > 199, chosenName.size() > 199);
        const auto dialog = openItemDialog(ItemDialogKind::AddItem, code);
        FileDialogHook files;
        files.queueChoice(chosen);
        MessageBoxHook boxes;

        uploadItemPicture(*dialog, ItemDialogKind::AddItem);

        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("FTP Error!"));
        QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Wareloom"));
        QCOMPARE(readFile(dataFile(code + ".jpg")), photo); // the local copy is made
        QVERIFY(!m_server->received({QStringLiteral("STOR")}));
    }

    void storedPictureIsShownForAPlainCode_data()
    {
        QTest::addColumn<QString>("storedCode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("drawn");
        const QByteArray picture = solidPicture({80, 60}, QColor(90, 40, 160), "BMP");
        QTest::newRow("A1 with its picture")
            << QStringLiteral("A1") << QStringLiteral("A1.jpg") << picture << true;
        QTest::newRow("no code") << QString() << QStringLiteral(".jpg") << picture << false;
        QTest::newRow("no picture file") << QStringLiteral("A1") << QString() << picture << false;
        QTest::newRow("not a picture")
            << QStringLiteral("A1") << QStringLiteral("A1.jpg") << QByteArray("text") << false;
        QTest::newRow("code leaving the data directory")
            << QStringLiteral("../A1") << QStringLiteral("../A1.jpg") << picture << false;
    }

    void storedPictureIsShownForAPlainCode()
    {
        QFETCH(QString, storedCode);
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(bool, drawn);
        if (!file.isEmpty())
            QVERIFY(test::writeFile(dataFile(file), contents));
        const auto dialog = openItemDialog(ItemDialogKind::EditItem, QString());
        MessageBoxHook boxes;

        showStoredPicture(*dialog, storedCode);

        const QImage shown = shownPicture(*dialog);
        const QRect preview(QPoint(320, 110), PreviewSize);
        const QColor colour(90, 40, 160);
        QCOMPARE(colourFills(shown, preview, colour), drawn);
        QVERIFY(!colourAround(shown, preview, colour));
        QVERIFY(boxes.shown().isEmpty());
    }
};

QTEST_MAIN(TestItemPicture)
#include "tst_itempicture.moc"
