#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "res/CommandIds.h"

#include "EditingTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"

#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

class TestDeleteCategory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }
    void init() { resetBrowser(); }

    void withNoCategoryOpenNothingHappens()
    {
        CategoryOnScreen shop("Shoes", 2);
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        QTRY_VERIFY(categoryLineOf(shop.main, "Shoes") >= 0);
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        // Opened and left again: the category view closes it.
        openCategory(shop.main, "Shoes");
        clickListLine(shop.main, 0);
        QTRY_COMPARE(shop.main.controlText(MainHeading), QStringLiteral("Category List"));
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(fileBytes(shop.path), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    void answeredNoChangesNothing()
    {
        CategoryOnScreen shop("Shoes", 2);
        QVERIFY(shop.written);
        openCategory(shop.main, "Shoes");
        MessageBoxHook boxes;
        boxes.queueAnswer(IDNO);
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        QCOMPARE(boxes.shown().size(), 1);
        checkBox(boxes.shown()[0], "Shoes", "Delete Category?", MessageButtons::YesNo, &shop.main);
        QCOMPARE(fileBytes(shop.path), shop.bytes);
        QVERIFY(!browserState().refresh);
        QTest::qWait(300); // a tick later the item view is still there
        QCOMPARE(shop.main.controlText(MainHeading), QStringLiteral("Shoes"));
        QCOMPARE(listLines(shop.main).size(), 3);
        QCOMPARE(browserState().currentCategoryPath, shop.path);
    }

    void answeredYesDeletesTheFile_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("pageAnswer");
        QTest::addColumn<bool>("settings");
        QTest::addColumn<bool>("published");
        QTest::addColumn<bool>("goneBefore");
        QTest::addColumn<QString>("told"); // the box after the two questions, if any
        const QString shoes = QStringLiteral("Shoes");
        QTest::newRow("Yes, No: nothing sent")
            << shoes << int(IDNO) << true << true << false << QString();
        QTest::newRow("file already gone, Yes, No")
            << shoes << int(IDNO) << true << true << true << QString();
        QTest::newRow("Yes, Yes, no settings file") << shoes << int(IDYES) << false << true << false
                                                    << QStringLiteral("No FTP/HTTP settings!");
        QTest::newRow("Yes, Yes, never published")
            << shoes << int(IDYES) << true << false << false << QStringLiteral("FTP Error!");
        QTest::newRow("Yes, Yes, published")
            << shoes << int(IDYES) << true << true << false << QString();
        QTest::newRow("Yes, Yes, published, name with spaces")
            << QStringLiteral("Shoes & Boots") << int(IDYES) << true << true << false << QString();
    }
    void answeredYesDeletesTheFile()
    {
        QFETCH(QString, category);
        QFETCH(int, pageAnswer);
        QFETCH(bool, settings);
        QFETCH(bool, published);
        QFETCH(bool, goneBefore);
        QFETCH(QString, told);
        CategoryOnScreen shop(category, 2);
        QVERIFY(shop.written);
        QVERIFY(shop.data.writeFile(category + ".htm", "<html>local page</html>"));
        QVERIFY(shop.data.writeFile("Books.dat", numberedRecords(1)));
        TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        if (settings)
            QVERIFY(writeSettingsFile(server.settings("/htdocs/")));
        const QString remote = "/htdocs/" + category + ".htm";
        if (published) {
            QFile page(server.localPath(remote));
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("<html>published</html>");
        }

        openCategory(shop.main, category);
        if (goneBefore)
            QVERIFY(QFile::remove(shop.path));
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        bool goneWhenAsked = false;
        boxes.queueAnswer([&](const ShownMessageBox&) {
            goneWhenAsked = !QFile::exists(shop.path);
            return pageAnswer;
        });
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        QVERIFY(goneWhenAsked); // the file goes before the page is asked about

        QCOMPARE(boxes.shown().size(), told.isEmpty() ? 2 : 3);
        checkBox(boxes.shown()[0], category, "Delete Category?", MessageButtons::YesNo, &shop.main);
        checkBox(boxes.shown()[1], "Delete the webpage from the FTP server?", "Wareloom",
                 MessageButtons::YesNo, &shop.main);
        if (!told.isEmpty())
            checkBox(boxes.shown()[2], told, "Wareloom", MessageButtons::Ok, &shop.main);
        QVERIFY(!QFile::exists(shop.path));
        QVERIFY(QFile::exists(shop.data.filePath(category + ".htm"))); // the local page stays

        const bool asksHost = pageAnswer == IDYES && settings;
        const QStringList deletes = server.commands().filter(QRegularExpression("^DELE "));
        QCOMPARE(deletes, asksHost ? QStringList{"DELE " + remote} : QStringList{});
        if (!asksHost)
            QCOMPARE(server.commands(), QStringList{});
        QCOMPARE(QFile::exists(server.localPath(remote)), published && !asksHost);

        QTRY_COMPARE(shop.main.controlText(MainHeading), QStringLiteral("Category List"));
        QCOMPARE(listLines(shop.main).size(), 1);
        QVERIFY(categoryLineOf(shop.main, "Books") == 0);
        QVERIFY(browserState().currentCategoryPath.isEmpty());
    }
};

QTEST_MAIN(TestDeleteCategory)
#include "tst_deletecategory.moc"
