#include "TempDataDirectory.h"
#include "core/pages/CategoryPage.h"
#include "core/pages/MainPage.h"
#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <fcntl.h>
#include <unistd.h>

using namespace wareloom;
using test::readFile;
using test::writeFile;
using Files = QList<QByteArray>;

// Item records and expected pages written by hand (tests/data/pages) from the page rules.
class TestPages : public QObject
{
    Q_OBJECT

    std::optional<test::TempDataDirectory> m_data;

    // A text shorter than its field is followed by a NUL and filler readers must ignore.
    static QByteArray item(QByteArray name, QByteArray code, QByteArray price, QByteArray qty)
    {
        return test::recordBytes(name, code, price, qty, 'Z');
    }
    // The records behind category-books.htm: no code, code A17, a 60-character
    // name with a 10-character code, markup in the price.
    static QByteArray threeBooks()
    {
        return item("Lamp", "", "9.99", "2") + item("Lamp", "A17", "9.99", "2") +
               item("Salt & Pepper Mill, brushed steel with ceramic grinder, XL60", "ABCDEFGHIJ",
                    "<b>9</b>", "1");
    }
    static QByteArray expected(const char* name) // without the file's newline
    {
        return readFile(QStringLiteral(WARELOOM_TEST_DATA "/pages/") + name).chopped(1);
    }
    QByteArray page(const QString& name) const { return readFile(m_data->filePath(name)); }
    // The garden page with an item row, times over; a code is a picture link.
    static QByteArray gardenWith(QByteArray name, QByteArray qty, QByteArray price, QByteArray code,
                                 int times = 1)
    {
        const QByteArray cell = "<TD><font size=10><p align=right>";
        const QByteArray picture = "<p align=center><a href = \"" + code + ".jpg\">" + code +
                                   "<img src=\"" + code +
                                   ".jpg\" width=\"50\" height=\"50\"></a> </p>";
        const QByteArray row = "<TR><TD><font size=10>" + name + cell + qty + cell + price + cell +
                               (code.isEmpty() ? "" : picture) + "</TR>";
        return expected("category-garden.htm")
            .replace("Code</TABLE>", "Code" + row.repeated(times) + "</TABLE>");
    }
    // A main page row: one after the first starts with the font, one that opens
    // the next row ends with a cell.
    static QByteArray mainRow(const QByteArray& href, const QByteArray& name, int count,
                              bool first = true, bool opensNext = false)
    {
        return (first ? "" : "<font size=10>") + ("<a href=" + href + ".htm>" + name) +
               "<TD><p align=right><font size=10>" + QByteArray::number(count) +
               (opensNext ? "</p><TR><TD>" : "</p><TR>");
    }
    static QByteArray mainPageWith(const QByteArray& rows)
    {
        return expected("main-head.htm") + rows + "</TABLE></p></body></html>";
    }
    static QDateTime march7() { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    // The page names writeSite gives, failures as "!" and the name.
    QStringList created(int categoryCount) const
    {
        QStringList names;
        for (const PageOutcome& outcome : writeSite(m_data->store(), categoryCount, march7))
            names << (outcome.written ? "" : "!") + outcome.pageFileName;
        return names;
    }
private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        setConversionCodePage("CP1252");
    }

    void categoryPage_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QByteArray>("page");
        const QByteArray garden = expected("category-garden.htm");
        QTest::newRow("empty, upper-case extension") << "Garden.DAT" << QByteArray() << garden;
        QTest::newRow("records in file order")
            << "Books.dat" << threeBooks() << expected("category-books.htm");
        QTest::newRow("fields without NUL")
            << "Garden.dat" << item("Drill", "ABCDEFGHIJ", "1234567.89", "0123456789")
            << gardenWith("Drill", "0123456789", "1234567.89", "ABCDEFGHIJ");
        QTest::newRow("markup as it is") << "Garden.dat" << item("Caf\xE9 & Bar", "a b\"c", "1", "")
                                         << gardenWith("Caf\xE9 & Bar", "", "1", "a b\"c");
        // More records than one read takes, and a page larger than one write.
        QTest::newRow("5000 records")
            << "Garden.dat" << item("Lamp", "X", "9.99", "2").repeated(5000)
            << gardenWith("Lamp", "2", "9.99", "X", 5000);
    }
    // Over a longer old page, which goes whole.
    void categoryPage()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, page);
        const QString pageName = fileName.chopped(4) + ".htm";
        QVERIFY(writeFile(m_data->filePath(fileName), records) &&
                writeFile(m_data->filePath(pageName), QByteArray(page.size() + 5000, 'x')));
        QVERIFY(writeCategoryPage(m_data->store(), fileName).ok());
        QVERIFY2(this->page(pageName) == page, qPrintable(pageName + " is not the expected page"));
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({fileName, pageName}));
    }

    // The rows follow the directory listing, and end
    // by the count given; only whole records are items. With no category the
    // page keeps its head and an empty table. A page in place is never written
    // again: a reader holding it and a second name keep the old page whole; a
    // link in its place is replaced, not followed.
    void mainPage()
    {
        writeSite(m_data->store(), 0, march7);
        QCOMPARE(page("inventory.htm"), mainPageWith({}));
        QVERIFY(writeFile(m_data->store().categoryFilePath("Books"), threeBooks()));
        QCOMPARE(created(1), QStringList({"inventory.htm", "Books.htm"}));
        QCOMPARE(page("inventory.htm"), expected("main-books.htm"));
        QFile reader(m_data->filePath("Books.htm"));
        QVERIFY(reader.open(QIODevice::ReadOnly) &&
                writeFile(m_data->filePath("elsewhere"), "kept"));
        QVERIFY(QFile::link(m_data->filePath("elsewhere"), m_data->filePath("Garden.htm")) &&
                writeFile(m_data->store().categoryFilePath("Garden"), {}));
        QCOMPARE(created(2).size(), 3);
        QCOMPARE(reader.readAll(), expected("category-books.htm"));
        QVERIFY(::link(QFile::encodeName(m_data->filePath("Books.htm")),
                       QFile::encodeName(m_data->filePath("copy"))) == 0);
        QCOMPARE(created(2).filter("!"), QStringList());
        QCOMPARE(page("copy") + page("elsewhere"), expected("category-books.htm") + "kept");
        QCOMPARE(page("inventory.htm"), expected(listCategories(m_data->path())[0].name == "Books"
                                                     ? "main-books-garden.htm"
                                                     : "main-garden-books.htm"));
        QCOMPARE(page("Books.htm") + page("Garden.htm"),
                 expected("category-books.htm") + expected("category-garden.htm"));

        QVERIFY(QFile::resize(m_data->store().categoryFilePath("Books"), 95) &&
                QFile::resize(m_data->store().categoryFilePath("Garden"), 89));
        QVERIFY(writeFile(m_data->store().categoryFilePath("Gamma"), QByteArray(905, 'a')));
        const QHash<QString, int> items = {{"Books", 1}, {"Garden", 0}, {"Gamma", 10}};
        const std::vector<FoundCategory> order = listCategories(m_data->path());
        for (int count : {0, 1, 2, 3, 5}) {
            QCOMPARE(created(count).filter("!"), QStringList());
            QByteArray rows;
            for (int i = 0; i < 3; ++i) {
                const QByteArray name = order[i].name.toLatin1();
                rows += mainRow(name, name, items[order[i].name], i == 0, i + 1 < count);
            }
            QCOMPARE(page("inventory.htm"), mainPageWith(rows));
        }
    }

    // Pages enough to be written on several cores: each its own category's.
    void manyPages()
    {
        for (int i = 0; i < 40; ++i) {
            const QByteArray price = QByteArray::number(i);
            QVERIFY(writeFile(m_data->store().categoryFilePath("C" + price),
                              item("Lamp", "X", price, "2").repeated(i + 1)));
        }
        QCOMPARE(created(40).filter("!"), QStringList());
        for (int i = 0; i < 40; ++i) {
            const QByteArray price = QByteArray::number(i);
            QVERIFY2(page("C" + price + ".htm") ==
                         gardenWith("Lamp", "2", price, "X", i + 1).replace("Garden", "C" + price),
                     price);
        }
    }

    // The link is the URL-encoded name in the code page, the text the name as
    // it is; characters the code page lacks are character references in both.
    void categoryNames_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QByteArray>("visible");
        const QByteArray w = "CP1252";
        // Space and ! # $ % & ' ( ) * + , : ; = ? @ as %XX, other bytes as they are.
        QTest::newRow("reserved") << w << "a !#$%&'()*+,:;=?@~"
                                  << QByteArray(
                                         "a%20%21%23%24%25%26%27%28%29%2A%2B%2C%3A%3B%3D%3F%40~")
                                  << QByteArray("a !#$%&'()*+,:;=?@~");
        QTest::newRow("windows-1252") << w << "Caf\u00E9 \u20AC" << QByteArray("Caf\xE9%20\x80")
                                      << QByteArray("Caf\xE9 \x80");
        QTest::newRow("outside the code page")
            << w << "Tea & \u8336 \U0001F9F8?" << QByteArray("Tea%20%26%20&#33590;%20&#129528;%3F")
            << QByteArray("Tea & &#33590; &#129528;?");
        QTest::newRow("code page that cannot be used")
            << QByteArray("NO-SUCH-CODE-PAGE") << "Caf\u00E9 1" << QByteArray("Caf&#233;%201")
            << QByteArray("Caf&#233; 1");
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
        setConversionCodePage(codePage);
        QVERIFY(writeFile(m_data->store().categoryFilePath(name), {}));
        QCOMPARE(created(1), QStringList({"inventory.htm", name + ".htm"}));
        QCOMPARE(page("inventory.htm"), mainPageWith(mainRow(href, visible, 0)));
        QCOMPARE(page(name + ".htm"),
                 expected("category-tools-parts.htm").replace("Tools & Parts", visible));

        // A browser reads the page as windows-1252, resolves the references and
        // undoes the escapes: the file's name, which it asks for in UTF-8.
        setConversionCodePage("CP1252");
        QXmlStreamReader browser("<a>" + fromCodePage(href) + "</a>");
        QVERIFY(browser.readNextStartElement());
        const QString link = browser.readElementText();
        QCOMPARE(QUrl::fromPercentEncoding(link.toUtf8()), name);
    }

    // Each problem is one line of the run's report, naming the files, the same
    // in both styles; the main page is written all the same unless it is the
    // problem, and the modern one links only the pages there are.
    void reportedOnce_data()
    {
        QTest::addColumn<Files>("files");   // "x/": a directory; "x@": a dangling link
        QTest::addColumn<QString>("named"); // in the report line, "|" between
        QTest::addColumn<int>("linked");    // category pages the modern main page links
        QTest::newRow("main page in the way") << Files{"inventory.htm/"} << "inventory.htm" << 0;
        QTest::newRow("unreadable category file")
            << Files{"Ghost.dat@"} << "Ghost.htm|Ghost.dat" << 2;
        QTest::newRow("main page's name")
            << Files{"Inventory.dat"} << "Inventory.dat|main page" << 1;
        QTest::newRow("case twins")
            << Files{"tools.dat", "tools.DAT"} << "tools.dat|tools.DAT" << 2;
        QTest::newRow("Latin-1 name")
            << Files{"Caf\xE9.dat"} << "Caf\\xE9.dat|not valid UTF-8" << 1;
    }
    void reportedOnce()
    {
        QFETCH(Files, files);
        QFETCH(QString, named);
        QFETCH(int, linked);
        QVERIFY(writeFile(m_data->filePath("Books.dat"), item("Lamp", "", "9.99", "2")));
        for (const QByteArray& file : files) {
            const QByteArray path = QFile::encodeName(m_data->path()) + '/' + file.chopped(1);
            if (file.endsWith('/'))
                QVERIFY(QDir().mkdir(QString::fromUtf8(path)));
            else if (file.endsWith('@'))
                QCOMPARE(::symlink("no such file", path.constData()), 0);
            else
                QVERIFY(::close(::creat((path + file.back()).constData(), 0644)) == 0);
        }
        QString classicLine;
        for (const QByteArray style : {"Classic", "Modern"}) {
            QVERIFY(writeFile(m_data->filePath("Website.ini"), "[Website]\nStyle=" + style));
            const PublishOutcome outcome =
                PublishRun(m_data->store(), std::nullopt, PublishRun::Mode::GenerateOnly, march7)
                    .run();
            QCOMPARE(outcome.result, PublishOutcome::Result::Failed);
            QCOMPARE(outcome.failedPages.size(), size_t(1));
            const QString line =
                outcome.failedPages[0].pageFileName + ": " + outcome.failedPages[0].reason;
            for (const QString& name : named.split('|'))
                QVERIFY2(line.contains(name), qPrintable(line));
            if (style == "Classic") {
                classicLine = line;
                QVERIFY(named == "inventory.htm" ||
                        page("inventory.htm").startsWith(expected("main-head.htm")));
            } else {
                QCOMPARE(line, classicLine);
                QCOMPARE(page("inventory.htm").count("<tr><td><a href="), linked);
            }
            QVERIFY(page("Books.htm").contains("Lamp"));
        }
        // A name that is not UTF-8 is beyond QTemporaryDir's removal.
        ::unlink(QFile::encodeName(m_data->path()) + "/Caf\xE9.dat");
    }
};

QTEST_GUILESS_MAIN(TestPages)
#include "tst_pages.moc"
