#include "PageTestSupport.h"

#include "core/pages/MainPage.h"

#include <QFileInfo>

#include <unistd.h>

using namespace pagetest;
using namespace wareloom;

namespace {

QDateTime march7()
{
    return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2));
}

bool writeCategoryFile(const QString& name, const QByteArray& records)
{
    return writeFile(categoryFilePath(name), records);
}

QStringList pageNames(const CreatedPages& created, bool failedOnly = false)
{
    QStringList names;
    for (const PageOutcome& outcome : created) {
        if (!failedOnly || !outcome.ok())
            names << outcome.pageFileName;
    }
    return names;
}

QStringList listedCategories()
{
    QStringList names;
    for (const FoundCategory& category : listCategories())
        names << category.name;
    return names;
}

// A main page row: link, name and count; a row after the first starts with
// the font, and the row that opens the next ends with a cell.
QByteArray mainRow(const QByteArray& href, const QByteArray& name, int count, bool first = true,
                   bool opensNext = false)
{
    return (first ? "" : "<font size=10>") + ("<a href=" + href + ".htm>" + name) +
           "<TD><p align=right><font size=10>" + QByteArray::number(count) +
           (opensNext ? "</p><TR><TD>" : "</p><TR>");
}

QByteArray mainPageWith(const QByteArray& rows)
{
    return expectedPage("main-head.htm") + rows + "</TABLE></p></body></html>";
}

} // namespace

class TestMainPage : public QObject
{
    Q_OBJECT

    std::optional<DataDirectory> m_data;

private Q_SLOTS:
    void init() { m_data.emplace(); }

    // A first run with other contents leaves nothing behind the second; the
    // clock is read once; the rows follow the directory listing.
    void writesEveryPage_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("Books") << QStringList{"Books"};
        QTest::newRow("Books and Garden") << QStringList{"Books", "Garden"};
    }
    void writesEveryPage()
    {
        QFETCH(QStringList, categories);
        for (const QString& name : categories)
            QVERIFY(writeCategoryFile(name, itemRecord("Old", "O1", "1", "1").repeated(50)));
        CreateHTML(1, [] { return QDateTime(QDate(2020, 1, 1), QTime(1, 1, 1)); });
        for (const QString& name : categories)
            QVERIFY(writeCategoryFile(name, name == "Books" ? threeBooks() : QByteArray()));

        int clockReads = 0;
        const CreatedPages created =
            CreateHTML(int(categories.size()), [&] { return ++clockReads, march7(); });

        QCOMPARE(clockReads, 1);
        QCOMPARE(pageNames(created, true), QStringList());
        QStringList pages{"inventory.htm"};
        for (const QString& name : listedCategories())
            pages << name + ".htm";
        QCOMPARE(pageNames(created), pages);
        const char* mainPage = categories.isEmpty()               ? "main-empty.htm"
                               : categories.size() == 1           ? "main-books.htm"
                               : listedCategories()[0] == "Books" ? "main-books-garden.htm"
                                                                  : "main-garden-books.htm";
        QCOMPARE(page("inventory.htm"), expectedPage(mainPage));
        for (const QString& name : categories) {
            QCOMPARE(page(name + ".htm"),
                     expectedPage(name == "Books" ? "category-books.htm" : "category-garden.htm"));
            pages << name + ".dat";
        }
        pages.sort();
        QCOMPARE(dataFiles(), pages);
    }

    // A row opens the next while its number is below the count given. Only
    // whole records count as items: 95 bytes are one.
    void rowEndsFollowTheCount_data()
    {
        QTest::addColumn<int>("categoryCount");
        for (int count : {0, 1, 2, 3, 5})
            QTest::addRow("count %d", count) << count;
    }
    void rowEndsFollowTheCount()
    {
        QFETCH(int, categoryCount);
        const QHash<QString, int> sizes = {{"Alpha", 95}, {"Beta", 89}, {"Gamma", 905}};
        for (auto it = sizes.begin(); it != sizes.end(); ++it)
            QVERIFY(writeCategoryFile(it.key(), QByteArray(it.value(), 'a')));
        QCOMPARE(pageNames(CreateHTML(categoryCount, march7), true), QStringList());
        QByteArray rows;
        const QStringList order = listedCategories();
        for (int i = 0; i < 3; ++i) {
            const QByteArray name = order[i].toLatin1();
            rows += mainRow(name, name, sizes[order[i]] / 90, i == 0, i + 1 < categoryCount);
        }
        QCOMPARE(page("inventory.htm"), mainPageWith(rows));
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
        // Longer than a 200-unit name buffer, and a link target of 350 bytes.
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
        resetConversionCodePage();
        QVERIFY(writeCategoryFile(name, {}));
        const CreatedPages created = CreateHTML(1, march7);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm", name + ".htm"}));
        QCOMPARE(pageNames(created, true), QStringList());
        QCOMPARE(page("inventory.htm"), mainPageWith(mainRow(href, visible, 0)));
        QCOMPARE(page(name + ".htm"),
                 expectedPage("category-tools-parts.htm").replace("Tools & Parts", visible));
    }

    void timeStamp_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
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
        QCOMPARE(pageTimeStamp(time), text);
    }

    // A replaced page that has a second name somewhere is left as it was.
    void oldPageWithAnotherNameKeepsItsContent()
    {
        QVERIFY(writeCategoryFile("Books", threeBooks()));
        QVERIFY(writeCategoryFile("Garden", {}));
        const QString backup = dataFilePath("backup.txt");
        const QString symlinked = dataFilePath("elsewhere.txt");
        QVERIFY(writeFile(dataFilePath("Books.htm"), "old books page"));
        QVERIFY(writeFile(symlinked, "file behind the old garden page"));
        QVERIFY(QFile::link(symlinked, dataFilePath("Garden.htm")));
        QCOMPARE(::link(QFile::encodeName(dataFilePath("Books.htm")).constData(),
                        QFile::encodeName(backup).constData()),
                 0);
        QCOMPARE(pageNames(CreateHTML(2, march7), true), QStringList());
        QCOMPARE(readFile(backup), QByteArray("old books page"));
        QCOMPARE(readFile(symlinked), QByteArray("file behind the old garden page"));
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        QCOMPARE(page("Garden.htm"), expectedPage("category-garden.htm"));
        QVERIFY(!QFileInfo(dataFilePath("Garden.htm")).isSymLink());
    }

    // The failed page is named, its failure names the file, the other pages are written.
    void pageThatCannotBeMade_data()
    {
        QTest::addColumn<QString>("category"); // "Ghost": a dangling link as its file
        QTest::addColumn<QString>("inTheWay"); // a directory in the way, if any
        QTest::addColumn<QString>("failed");
        QTest::addColumn<QString>("named");
        QTest::newRow("main page") << "Books"
                                   << "inventory.htm"
                                   << "inventory.htm"
                                   << "inventory.htm";
        QTest::newRow("unreadable category file") << "Ghost"
                                                  << ""
                                                  << "Ghost.htm"
                                                  << "Ghost.dat";
        // Its page would overwrite the main page where names ignore case.
        QTest::newRow("category named like the main page") << "Inventory"
                                                           << ""
                                                           << "Inventory.htm"
                                                           << "Inventory.htm";
    }
    void pageThatCannotBeMade()
    {
        QFETCH(QString, category);
        QFETCH(QString, inTheWay);
        QFETCH(QString, failed);
        QFETCH(QString, named);
        if (category == "Ghost")
            QVERIFY(QFile::link("no such file", categoryFilePath(category)));
        else
            QVERIFY(writeCategoryFile(category, threeBooks()));
        QVERIFY(inTheWay.isEmpty() || QDir().mkdir(dataFilePath(inTheWay)));
        const CreatedPages created = CreateHTML(1, march7);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm", category + ".htm"}));
        QCOMPARE(pageNames(created, true), QStringList{failed});
        const QString failure =
            (failed == "inventory.htm" ? created.front() : created.back()).failure;
        QVERIFY2(failure.contains(named), qPrintable(failure));
        const QByteArray name = category.toLatin1();
        if (failed != "inventory.htm")
            QCOMPARE(page("inventory.htm"),
                     mainPageWith(mainRow(name, name, category == "Ghost" ? 0 : 3)));
        if (category == "Books")
            QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        if (category == "Inventory")
            QCOMPARE(dataFiles(), QStringList({"Inventory.dat", "inventory.htm"}));
    }
};

QTEST_GUILESS_MAIN(TestMainPage)
#include "tst_mainpage.moc"
