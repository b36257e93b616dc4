#include "core/transfer/Sockets.h"

#include "EditingTestDriver.h"
#include "TestFtpServer.h"

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
        CategoryOnScreen shop("Shoes", numberedRecords(2));
        QVERIFY(shop.written);
        MessageBoxHook boxes;
        QTRY_VERIFY(categoryLineOf(shop.main, "Shoes") >= 0);
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        // Opened and left again: the category view closes it.
        openCategory(shop.main, "Shoes");
        clickListLine(shop.main, 0);
        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Category List"));
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(readFile(shop.path), shop.bytes);
        QVERIFY(!browserState().refresh);
    }

    void answers_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("pageAnswer");
        QTest::addColumn<bool>("settings");
        QTest::addColumn<bool>("published");
        QTest::addColumn<bool>("goneBefore");
        QTest::addColumn<QString>("told"); // the box after the two questions, if any
        const auto row = [](const char* name, const QString& category, int answer, int pageAnswer,
                            bool settings, bool published, bool goneBefore, const QString& told) {
            QTest::newRow(name) << category << answer << pageAnswer << settings << published
                                << goneBefore << told;
        };
        row("No: nothing", "Shoes", IDNO, IDNO, true, true, false, {});
        row("Yes, No: nothing sent", "Shoes", IDYES, IDNO, true, true, false, {});
        row("file already gone, Yes, No", "Shoes", IDYES, IDNO, true, true, true, {});
        row("Yes, Yes, no settings file", "Shoes", IDYES, IDYES, false, true, false,
            "No FTP/HTTP settings!");
        row("Yes, Yes, never published", "Shoes", IDYES, IDYES, true, false, false, "FTP Error!");
        row("Yes, Yes, published", "Shoes", IDYES, IDYES, true, true, false, {});
        row("Yes, Yes, name with spaces", "Shoes & Boots", IDYES, IDYES, true, true, false, {});
    }
    void answers()
    {
        QFETCH(QString, category);
        QFETCH(int, answer);
        QFETCH(int, pageAnswer);
        QFETCH(bool, settings);
        QFETCH(bool, published);
        QFETCH(bool, goneBefore);
        QFETCH(QString, told);
        CategoryOnScreen shop(
            category, numberedRecords(2),
            {{category + ".htm", "<html>local page</html>"}, {"Books.dat", numberedRecords(1)}});
        QVERIFY(shop.written);
        TestFtpServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        if (settings)
            QVERIFY(writeSettingsFile(server.settings("/htdocs/")));
        const QString remote = "/htdocs/" + category + ".htm";
        if (published)
            QVERIFY(writeFile(server.localPath(remote), "<html>published</html>"));

        openCategory(shop.main, category);
        if (goneBefore)
            QVERIFY(QFile::remove(shop.path));
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        bool goneWhenAsked = false;
        boxes.queueAnswer([&](const ShownMessageBox&) {
            goneWhenAsked = !QFile::exists(shop.path);
            return pageAnswer;
        });
        giveCommand(shop.main, ID_CATEGORY_DELETECATEGORY);

        const int questions = answer == IDYES ? 2 : 1;
        QCOMPARE(boxes.shown().size(), questions + (told.isEmpty() ? 0 : 1));
        checkBox(boxes.shown()[0], category, "Delete Category?", MessageButtons::YesNo, &shop.main);
        QVERIFY(QFile::exists(shop.data.filePath(category + ".htm"))); // the local page stays
        if (answer == IDNO) {
            QCOMPARE(readFile(shop.path), shop.bytes);
            QVERIFY(!browserState().refresh);
            QTest::qWait(300); // a tick later the item view is still there
            QCOMPARE(shop.main.controlText(IDC_HEADING), category);
            QCOMPARE(listLines(shop.main).size(), 3);
            QCOMPARE(browserState().currentCategoryPath, shop.path);
            QCOMPARE(server.commands(), QStringList{});
            return;
        }
        QVERIFY(goneWhenAsked); // the file goes before the page is asked about
        checkBox(boxes.shown()[1], "Delete the webpage from the FTP server?", "Wareloom",
                 MessageButtons::YesNo, &shop.main);
        if (!told.isEmpty())
            checkBox(boxes.shown()[2], told, "Wareloom", MessageButtons::Ok, &shop.main);
        QVERIFY(!QFile::exists(shop.path));

        const bool asksHost = pageAnswer == IDYES && settings;
        const QStringList deletes = server.commands().filter(QRegularExpression("^DELE "));
        QCOMPARE(deletes, asksHost ? QStringList{"DELE " + remote} : QStringList{});
        if (!asksHost)
            QCOMPARE(server.commands(), QStringList{});
        QCOMPARE(QFile::exists(server.localPath(remote)), published && !asksHost);

        QTRY_COMPARE(shop.main.controlText(IDC_HEADING), QStringLiteral("Category List"));
        QCOMPARE(listLines(shop.main).size(), 1);
        QCOMPARE(categoryLineOf(shop.main, "Books"), 0);
        QVERIFY(browserState().currentCategoryPath.isEmpty());
    }
};

QTEST_MAIN(TestDeleteCategory)
#include "tst_deletecategory.moc"
