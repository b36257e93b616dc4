#include "PageTestSupport.h"

#include "core/pages/MainPage.h"

#include <QFileInfo>
#include <QTest>

#include <unistd.h>

using namespace pagetest;
using wareloom::CreatedPages;
using wareloom::CreateHTML;
using wareloom::dataFilePath;

namespace {

QDateTime march7()
{
    return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2));
}

CreatedPages createPages(int categoryCount)
{
    return CreateHTML(categoryCount, march7);
}

QStringList pageNames(const CreatedPages& created, bool failedOnly = false)
{
    QStringList names;
    for (const wareloom::PageOutcome& outcome : created) {
        if (!failedOnly || !outcome.ok())
            names << outcome.pageFileName;
    }
    return names;
}

QStringList failedPages(const CreatedPages& created)
{
    return pageNames(created, true);
}

QStringList listedCategories()
{
    QStringList names;
    for (const wareloom::FoundCategory& category : wareloom::listCategories())
        names << category.name;
    return names;
}

// The main page of one category row ("<a href=...").
QByteArray mainPageWithRow(const QByteArray& row)
{
    return expectedPage("main-head.htm") + row + "</p><TR></TABLE></p></body></html>";
}

} // namespace

class TestMainPage : public QObject
{
    Q_OBJECT

    std::optional<DataDirectory> m_data;

private Q_SLOTS:
    void init() { m_data.emplace(); }

    void emptyDataDirectory()
    {
        int clockReads = 0;
        const CreatedPages created = CreateHTML(0, [&] { return ++clockReads, march7(); });
        QCOMPARE(clockReads, 1);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm"}));
        QVERIFY(created.front().ok());
        QCOMPARE(page("inventory.htm"), expectedPage("main-empty.htm"));
        QCOMPARE(page("inventory.htm").size(), 26);
        QCOMPARE(dataFiles(), QStringList({"inventory.htm"}));
    }

    // A first run with other contents leaves nothing behind the second.
    void listsCategoriesInListingOrder_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("Books") << QStringList{"Books"};
        QTest::newRow("Books and Garden") << QStringList{"Books", "Garden"};
    }
    void listsCategoriesInListingOrder()
    {
        QFETCH(QStringList, categories);
        for (const QString& name : categories)
            QVERIFY(writeCategory(name, itemRecord("Old", "O1", "1", "1").repeated(50)));
        CreateHTML(1, [] { return QDateTime(QDate(2020, 1, 1), QTime(1, 1, 1)); });
        QVERIFY(writeCategory("Books", threeBooks()));
        QVERIFY(categories.size() < 2 || writeCategory("Garden", {}));

        int clockReads = 0;
        const CreatedPages created =
            CreateHTML(int(categories.size()), [&] { return ++clockReads, march7(); });

        QCOMPARE(clockReads, 1);
        QCOMPARE(failedPages(created), QStringList());
        QCOMPARE(created.back().categoryFileName, listedCategories().last() + ".dat");
        const QStringList order = listedCategories();
        QStringList pages{"inventory.htm"};
        for (const QString& name : order)
            pages << name + ".htm";
        QCOMPARE(pageNames(created), pages);
        const char* mainPage = categories.size() == 1 ? "main-books.htm"
                               : order[0] == "Books"  ? "main-books-garden.htm"
                                                      : "main-garden-books.htm";
        QCOMPARE(page("inventory.htm"), expectedPage(mainPage));
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        if (categories.size() > 1)
            QCOMPARE(page("Garden.htm"), expectedPage("category-garden.htm"));
        for (const QString& name : categories)
            pages << name + ".dat";
        pages.sort();
        QCOMPARE(dataFiles(), pages);
    }

    // A row ends the table row and opens the next while its number is below
    // the count. Only whole records count as items: 95 bytes are one.
    void rowEnds_data()
    {
        QTest::addColumn<int>("categoryCount");
        QTest::addColumn<QByteArrayList>("rowEnds");
        const QByteArray next = "</p><TR><TD>";
        const QByteArray last = "</p><TR>";
        QTest::newRow("count 0") << 0 << QByteArrayList{last, last, last};
        QTest::newRow("count 1") << 1 << QByteArrayList{last, last, last};
        QTest::newRow("count 2") << 2 << QByteArrayList{next, last, last};
        QTest::newRow("count 3") << 3 << QByteArrayList{next, next, last};
        QTest::newRow("count 5") << 5 << QByteArrayList{next, next, next};
    }
    void rowEnds()
    {
        QFETCH(int, categoryCount);
        QFETCH(QByteArrayList, rowEnds);
        const QByteArray records = itemRecord("a", "", "", "").repeated(11);
        const QHash<QString, int> sizes = {{"Alpha", 95}, {"Beta", 89}, {"Gamma", 905}};
        for (auto it = sizes.begin(); it != sizes.end(); ++it)
            QVERIFY(writeCategory(it.key(), records.left(it.value())));
        QVERIFY(failedPages(createPages(categoryCount)).isEmpty());
        QByteArray expected = expectedPage("main-head.htm");
        const QStringList order = listedCategories();
        for (int i = 0; i < 3; ++i) {
            const QByteArray name = order[i].toLatin1();
            const int count = sizes[order[i]] / 90;
            expected += (i ? "<font size=10><a href=" : "<a href=") + name + ".htm>" + name +
                        "<TD><p align=right><font size=10>" + QByteArray::number(count) +
                        rowEnds[i];
            QCOMPARE(page(order[i] + ".htm").count("<TR><TD>"), count);
        }
        QCOMPARE(page("inventory.htm"), expected + "</TABLE></p></body></html>");
    }

    // The link is the URL-encoded name in the code page, the text the name as it is.
    void categoryNames_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QByteArray>("visible");
        const QByteArray w = "CP1252";
        QTest::newRow("ampersand and spaces")
            << w << "Tools & Parts" << QByteArray("Tools%20%26%20Parts")
            << QByteArray("Tools & Parts");
        QTest::newRow("windows-1252") << w << "Caf\u00E9 \u20AC" << QByteArray("Caf\xE9%20\x80")
                                      << QByteArray("Caf\xE9 \x80");
        QTest::newRow("character the code page lacks")
            << w << "Tea \u8336" << QByteArray("Tea%20%3F") << QByteArray("Tea ?");
        QTest::newRow("code page that cannot be used")
            << QByteArray("NO-SUCH-CODE-PAGE") << "Caf\u00E9" << QByteArray("Caf%3F")
            << QByteArray("Caf?");
        // Longer than the 200-unit name buffer, and a link target of 350 bytes.
        QTest::newRow("long name") << w << QString(70, '&') + QString(140, 'x')
                                   << QByteArray("%26").repeated(70) + QByteArray(140, 'x')
                                   << QByteArray(70, '&') + QByteArray(140, 'x');
    }
    void categoryNames()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(QString, name);
        QFETCH(QByteArray, href);
        QFETCH(QByteArray, visible);
        qputenv("WARELOOM_CODEPAGE", codePage);
        wareloom::resetConversionCodePage();
        QVERIFY(writeCategory(name, {}));
        const CreatedPages created = createPages(1);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm", name + ".htm"}));
        QCOMPARE(failedPages(created), QStringList());
        QCOMPARE(page("inventory.htm"), mainPageWithRow("<a href=" + href + ".htm>" + visible +
                                                        "<TD><p align=right><font size=10>0"));
        QCOMPARE(page(name + ".htm"),
                 expectedPage("category-tools-parts.htm").replace("Tools & Parts", visible));
    }

    void timeStamp_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("7 March 2024, 09:05:02")
            << march7() << "Updated: Date: 2024-03-07  Time: 09:05:02";
        QTest::newRow("milliseconds dropped")
            << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59, 999))
            << "Updated: Date: 2023-12-31  Time: 23:59:59";
        QTest::newRow("midnight") << QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0))
                                  << "Updated: Date: 2025-01-01  Time: 00:00:00";
        QTest::newRow("year not padded") << QDateTime(QDate(987, 6, 5), QTime(4, 3, 2))
                                         << "Updated: Date: 987-06-05  Time: 04:03:02";
    }
    void timeStamp()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(wareloom::pageTimeStamp(time), text);
    }

    // A replaced page that has a second name somewhere is left as it was.
    void oldPageWithAnotherNameKeepsItsContent()
    {
        QVERIFY(writeCategory("Books", threeBooks()));
        QVERIFY(writeCategory("Garden", {}));
        const QString backup = dataFilePath("backup.txt");
        const QString symlinked = dataFilePath("elsewhere.txt");
        QVERIFY(writeFile(dataFilePath("Books.htm"), "old books page"));
        QVERIFY(writeFile(symlinked, "file behind the old garden page"));
        QVERIFY(QFile::link(symlinked, dataFilePath("Garden.htm")));
        QCOMPARE(::link(QFile::encodeName(dataFilePath("Books.htm")).constData(),
                        QFile::encodeName(backup).constData()),
                 0);
        QCOMPARE(failedPages(createPages(2)), QStringList());
        QCOMPARE(readFile(backup), QByteArray("old books page"));
        QCOMPARE(readFile(symlinked), QByteArray("file behind the old garden page"));
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        QCOMPARE(page("Garden.htm"), expectedPage("category-garden.htm"));
        QVERIFY(!QFileInfo(dataFilePath("Garden.htm")).isSymLink());
    }

    void mainPageThatCannotBeWritten()
    {
        QVERIFY(writeCategory("Books", threeBooks()));
        QVERIFY(QDir(wareloom::dataDirectory()).mkdir("inventory.htm"));
        const CreatedPages created = createPages(1);
        QCOMPARE(failedPages(created), QStringList({"inventory.htm"}));
        QVERIFY2(created.front().failure.contains("inventory.htm"),
                 qPrintable(created.front().failure));
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
    }

    void unreadableCategoryFile()
    {
        QVERIFY(QFile::link("no such file", dataFilePath("Ghost.dat")));
        const CreatedPages created = createPages(1);
        QCOMPARE(failedPages(created), QStringList({"Ghost.htm"}));
        QVERIFY2(created.back().failure.contains("Ghost.dat"), qPrintable(created.back().failure));
        QCOMPARE(page("inventory.htm"),
                 mainPageWithRow("<a href=Ghost.htm>Ghost<TD><p align=right><font size=10>0"));
        QCOMPARE(page("Ghost.htm").count("<TR><TD>"), 0);
    }

    // Its page would overwrite the main page.
    void categoryNamedLikeTheMainPage()
    {
        QVERIFY(writeCategory("Inventory", itemRecord("Lamp", "", "", "")));
        const CreatedPages created = createPages(1);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm", "Inventory.htm"}));
        QCOMPARE(failedPages(created), QStringList({"Inventory.htm"}));
        QVERIFY(page("inventory.htm").startsWith(expectedPage("main-head.htm")));
        QCOMPARE(dataFiles(), QStringList({"Inventory.dat", "inventory.htm"}));
    }
};

QTEST_GUILESS_MAIN(TestMainPage)
#include "tst_mainpage.moc"
