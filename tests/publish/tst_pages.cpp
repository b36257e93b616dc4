#include "TempDataDirectory.h"
#include "core/pages/CategoryPage.h"
#include "core/pages/MainPage.h"
#include "core/pages/URLEncode.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <QFileInfo>
#include <QTest>

#include <unistd.h>

using namespace wareloom;
using test::readFile;
using test::writeFile;

// Item records and expected pages written by hand (tests/data/pages) from the page rules.
class TestPages : public QObject
{
    Q_OBJECT

    std::optional<test::TempDataDirectory> m_data;

    // An item record in file layout: name 60, code 10, price 10, qty 10. A text
    // shorter than its field is followed by a NUL and filler readers must ignore.
    static QByteArray itemRecord(QByteArrayView name, QByteArrayView code, QByteArrayView price,
                                 QByteArrayView qty)
    {
        QByteArray bytes;
        for (auto [text, width] : {std::pair{name, 60}, {code, 10}, {price, 10}, {qty, 10}})
            bytes += (text.toByteArray() + '\0' + QByteArray(width, 'Z')).left(width);
        return bytes;
    }
    // The records behind category-books.htm: no code, code A17, a 60-character
    // name with a 10-character code, markup in the price.
    static QByteArray threeBooks()
    {
        return itemRecord("Lamp", "", "9.99", "2") + itemRecord("Lamp", "A17", "9.99", "2") +
               itemRecord("Salt & Pepper Mill, brushed steel with ceramic grinder, XL60",
                          "ABCDEFGHIJ", "<b>9</b>", "1");
    }
    static bool writeCategoryFile(const QString& name, const QByteArray& records)
    {
        return writeFile(categoryFilePath(name), records);
    }
    // Less the newline that ends the file.
    static QByteArray expectedPage(const char* name)
    {
        return readFile(QStringLiteral(WARELOOM_TEST_DATA "/pages/") + name).chopped(1);
    }
    static QByteArray page(const QString& fileName) { return readFile(dataFilePath(fileName)); }
    static QStringList dataFiles()
    {
        return QDir(dataDirectory())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    // A category page row; with a code, a picture link in the last cell.
    static QByteArray itemRow(const QByteArray& name, const QByteArray& qty,
                              const QByteArray& price, const QByteArray& code)
    {
        const QByteArray cell = "<TD><font size=10><p align=right>";
        const QByteArray picture = "<p align=center><a href = \"" + code + ".jpg\">" + code +
                                   "<img src=\"" + code +
                                   ".jpg\" width=\"50\" height=\"50\"></a> </p>";
        return "<TR><TD><font size=10>" + name + cell + qty + cell + price + cell +
               (code.isEmpty() ? "" : picture) + "</TR>";
    }
    static QByteArray gardenPageWith(const QByteArray& rows)
    {
        return expectedPage("category-garden.htm")
            .replace("Code</TABLE>", "Code" + rows + "</TABLE>");
    }
    // A main page row: a row after the first starts with the font, and one that
    // opens the next row ends with a cell.
    static QByteArray mainRow(const QByteArray& href, const QByteArray& name, int count,
                              bool first = true, bool opensNext = false)
    {
        return (first ? "" : "<font size=10>") + ("<a href=" + href + ".htm>" + name) +
               "<TD><p align=right><font size=10>" + QByteArray::number(count) +
               (opensNext ? "</p><TR><TD>" : "</p><TR>");
    }
    static QByteArray mainPageWith(const QByteArray& rows)
    {
        return expectedPage("main-head.htm") + rows + "</TABLE></p></body></html>";
    }
    static QDateTime march7() { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    static QStringList pageNames(const CreatedPages& created, bool failedOnly = false)
    {
        QStringList names;
        for (const PageOutcome& outcome : created) {
            if (!failedOnly || !outcome.ok())
                names << outcome.pageFileName;
        }
        return names;
    }
    static QStringList listedCategories()
    {
        QStringList names;
        for (const FoundCategory& category : listCategories())
            names << category.name;
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    void categoryPage_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QByteArray>("oldPage"); // null: none
        QTest::addColumn<QByteArray>("expected");
        const QByteArray garden = expectedPage("category-garden.htm");
        const QByteArray none;
        QTest::newRow("empty") << "Garden.dat" << none << none << garden;
        QTest::newRow("upper-case extension") << "Garden.DAT" << none << none << garden;
        QTest::newRow("longer old page replaced whole")
            << "Garden.dat" << none << QByteArray(5000, 'x') << garden;
        const QByteArray longName = QByteArray(120, 'a') + QByteArray(100, 'b');
        QTest::newRow("name over 200 characters") << QString(longName + ".dat") << none << none
                                                  << QByteArray(garden).replace("Garden", longName);
        QTest::newRow("records in file order")
            << "Books.dat" << threeBooks() << none << expectedPage("category-books.htm");
        QTest::newRow("fields without NUL")
            << "Garden.dat" << itemRecord("Drill", "ABCDEFGHIJ", "1234567.89", "0123456789") << none
            << gardenPageWith(itemRow("Drill", "0123456789", "1234567.89", "ABCDEFGHIJ"));
        QTest::newRow("ampersand and a code-page byte in the name")
            << "Garden.dat" << itemRecord("Caf\xE9 & Bar", "", "", "") << none
            << gardenPageWith(itemRow("Caf\xE9 & Bar", "", "", ""));
        QTest::newRow("code with a space and a quote")
            << "Garden.dat" << itemRecord("Cup", "a b\"c", "1", "1") << none
            << gardenPageWith(itemRow("Cup", "1", "1", "a b\"c"));
        // More records than one read takes, and a page larger than one write.
        QTest::newRow("5000 records")
            << "Garden.dat" << itemRecord("Lamp", "X", "9.99", "2").repeated(5000) << none
            << gardenPageWith(itemRow("Lamp", "2", "9.99", "X").repeated(5000));
    }
    void categoryPage()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, oldPage);
        QFETCH(QByteArray, expected);
        const QString pageName = fileName.chopped(4) + ".htm";
        QVERIFY(writeFile(dataFilePath(fileName), records));
        if (!oldPage.isNull())
            QVERIFY(writeFile(dataFilePath(pageName), oldPage));
        const Status written = CreateCategoryPage(fileName);
        QVERIFY2(written.ok(), qPrintable(written.message()));
        QVERIFY2(page(pageName) == expected, qPrintable(pageName + " is not the expected page"));
        QCOMPARE(dataFiles(), QStringList({fileName, pageName}));
    }

    // A first run with other contents leaves nothing behind the second; the
    // clock is read once; the rows follow the directory listing.
    void mainPage_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("Books") << QStringList{"Books"};
        QTest::newRow("Books and Garden") << QStringList{"Books", "Garden"};
    }
    void mainPage()
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

    // Line breaks, space and ! $ % & ' ( ) * + , / : ; = ? @ as %XX; every other byte as it is.
    void urlEncode_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("percent, space and bang")
            << QByteArray("50% off!") << QByteArray("50%25%20off%21");
        QTest::newRow("nothing to escape")
            << QByteArray("a#b.c-d_e\xE9") << QByteArray("a#b.c-d_e\xE9");
        QTest::newRow("all escapes in a row")
            << QByteArray("x\n\r !$%&'()*+,/:;=?@y")
            << QByteArray("x%0A%0D%20%21%24%25%26%27%28%29%2A%2B%2C%2F%3A%3B%3D%3F%40y");
    }
    void urlEncode()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, encoded);
        QCOMPARE(URLEncode(text), encoded);
    }
    void urlEncodeKeepsEveryOtherByte()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray text(1, char(byte));
            if (!QByteArrayView("\n\r !$%&'()*+,/:;=?@").contains(char(byte)))
                QCOMPARE(URLEncode(text), text);
        }
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

    void timeStamp()
    {
        QCOMPARE(pageTimeStamp(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59, 999))),
                 "Updated: Date: 2023-12-31  Time: 23:59:59");
        QCOMPARE(pageTimeStamp(QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0))),
                 "Updated: Date: 2025-01-01  Time: 00:00:00");
        QCOMPARE(pageTimeStamp(QDateTime(QDate(987, 6, 5), QTime(4, 3, 2))),
                 "Updated: Date: 987-06-05  Time: 04:03:02");
    }

    // A replaced page that has a second name somewhere is left as it was.
    void oldPageWithAnotherNameKeepsItsContent()
    {
        QVERIFY(writeCategoryFile("Books", threeBooks()));
        QVERIFY(writeCategoryFile("Garden", {}));
        QVERIFY(writeFile(dataFilePath("Books.htm"), "old books page"));
        QVERIFY(writeFile(dataFilePath("elsewhere.txt"), "file behind the old garden page"));
        QVERIFY(QFile::link(dataFilePath("elsewhere.txt"), dataFilePath("Garden.htm")));
        QCOMPARE(::link(QFile::encodeName(dataFilePath("Books.htm")).constData(),
                        QFile::encodeName(dataFilePath("backup.txt")).constData()),
                 0);
        QCOMPARE(pageNames(CreateHTML(2, march7), true), QStringList());
        QCOMPARE(page("backup.txt"), QByteArray("old books page"));
        QCOMPARE(page("elsewhere.txt"), QByteArray("file behind the old garden page"));
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        QCOMPARE(page("Garden.htm"), expectedPage("category-garden.htm"));
        QVERIFY(!QFileInfo(dataFilePath("Garden.htm")).isSymLink());
    }

    // The failed page is named, its failure names the file, the other pages are written.
    void pageThatCannotBeMade_data()
    {
        QTest::addColumn<QString>("category"); // "Ghost": a dangling link as its file
        QTest::addColumn<QString>("failed");   // "inventory.htm": a directory in its way
        QTest::addColumn<QString>("named");
        QTest::newRow("main page") << "Books"
                                   << "inventory.htm"
                                   << "inventory.htm";
        QTest::newRow("unreadable category file") << "Ghost"
                                                  << "Ghost.htm"
                                                  << "Ghost.dat";
        // Its page would overwrite the main page where names ignore case.
        QTest::newRow("category named like the main page") << "Inventory"
                                                           << "Inventory.htm"
                                                           << "Inventory.htm";
    }
    void pageThatCannotBeMade()
    {
        QFETCH(QString, category);
        QFETCH(QString, failed);
        QFETCH(QString, named);
        const bool ghost = category == "Ghost";
        const bool mainFails = failed == "inventory.htm";
        QVERIFY(ghost ? QFile::link("no such file", categoryFilePath(category))
                      : writeCategoryFile(category, threeBooks()));
        QVERIFY(!mainFails || QDir().mkdir(dataFilePath(failed)));
        const CreatedPages created = CreateHTML(1, march7);
        QCOMPARE(pageNames(created), QStringList({"inventory.htm", category + ".htm"}));
        QCOMPARE(pageNames(created, true), QStringList{failed});
        const QString failure = (mainFails ? created.front() : created.back()).failure;
        QVERIFY2(failure.contains(named), qPrintable(failure));
        const QByteArray name = category.toLatin1();
        if (!mainFails)
            QCOMPARE(page("inventory.htm"), mainPageWith(mainRow(name, name, ghost ? 0 : 3)));
        else
            QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
        if (category == "Inventory")
            QCOMPARE(dataFiles(), QStringList({"Inventory.dat", "inventory.htm"}));
    }
};

QTEST_GUILESS_MAIN(TestPages)
#include "tst_pages.moc"
