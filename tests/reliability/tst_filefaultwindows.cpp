#include "EditItemFixture.h"
#include "ReadOnlyDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "TrapFifo.h"
#include "gui/editing/NewCategory.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/res/DialogControlIds.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;

// Windows that read or write files the user keeps, when a file is a FIFO or
// the data directory refuses writes: no wait for ever, a message, and nothing
// lost.
class TestFileFaultWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "1");
    }

    // The preview a quarter second after opening reads the stored picture.
    void editItemNeverWaitsOnAFifoPicture()
    {
        test::TempDataDirectory data;
        QVERIFY(!test::selectSawInTools(data).isEmpty());
        test::TrapFifo picture(data.filePath(QStringLiteral("A1.jpg")));
        QVERIFY(picture.ok());

        QVERIFY(test::inEditItem([](InventoryEdit&) { QTest::qWait(600); }));

        QVERIFY2(!picture.caughtReader(), "the Edit Item dialog waited on a FIFO");
    }

    void pictureUploadNeverWaitsOnAChosenFifo()
    {
        test::TempDataDirectory data;
        const QByteArray items = test::selectSawInTools(data);
        QVERIFY(!items.isEmpty());
        QVERIFY(data.writeFile(QStringLiteral("A1.jpg"), "the old picture"));
        test::TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(test::writeSettingsFile(server.settings()));
        QTemporaryDir chosen;
        test::TrapFifo fifo(chosen.filePath(QStringLiteral("typed.jpg")));
        QVERIFY(fifo.ok());
        FileDialogHook files;
        files.queueChoice(chosen.filePath(QStringLiteral("typed.jpg")));
        MessageBoxHook boxes;

        QVERIFY(test::commandInEditItem(IDC_EDIT_PICTURE_UPLOAD));

        QVERIFY2(!fifo.caughtReader(), "Picture Upload waited on a FIFO");
        QCOMPARE(boxes.shown().size(), 2);
        QVERIFY(boxes.shown()[0].text.startsWith(
            QStringLiteral("The picture was not copied into the data directory.")));
        QCOMPARE(boxes.shown()[1].text.section("\n\n", 0, 0), QStringLiteral("FTP Error!"));
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("A1.jpg"))), QByteArray("the old picture"));
        QVERIFY(!server.received({QStringLiteral("STOR")}));
    }

    void newCategoryOnAReadOnlyDirectoryTellsAndStaysOpen()
    {
        test::TempDataDirectory data;
        MessageBoxHook boxes;
        bool stayedOpen = false;
        const auto opened = test::whenDialogOpens([&](QDialog* dialog) {
            auto* newCategory = qobject_cast<NewCategory*>(dialog);
            QVERIFY(newCategory);
            newCategory->setControlText(IDC_NAME, QStringLiteral("Shoes"));
            {
                test::ReadOnlyDirectory readOnly(data.path());
                QVERIFY(readOnly.ok());
                newCategory->sendCommand(IDC_SAVE);
            }
            stayedOpen = newCategory->isVisible();
            newCategory->reject();
        });
        runNewCategoryDialog();

        QVERIFY(*opened);
        QVERIFY(stayedOpen);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown()[0].text.contains(QStringLiteral("Shoes")),
                 qPrintable(boxes.shown()[0].text));
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("Shoes.dat"))));
    }
};

QTEST_MAIN(TestFileFaultWindows)
#include "tst_filefaultwindows.moc"
