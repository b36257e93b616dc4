#include "PageTestSupport.h"

#include "publish/MainPage.h"

#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace pagetest;
using wareloom::CreatedPages;
using wareloom::CreateHTML;

class TestMainPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyDataDirectory();
    void oneCategory();
    void twoCategories();
    void rowEnds_data();
    void rowEnds();
    void itemCounts_data();
    void itemCounts();
    void nameWithAmpersandAndSpaces();
    void namesInTheCodePage_data();
    void namesInTheCodePage();
    void longName();
    void timeStamp_data();
    void timeStamp();
    void clockReadOnce();
    void secondRunReplacesFirst();
    void oldPageWithAnotherNameKeepsItsContent();
    void pageThatCannotBeWritten();
    void mainPageThatCannotBeWritten();
    void failedWriteLeavesOldPage();
    void unreadableCategoryFile();
    void categoryNamedLikeTheMainPage();

private:
    std::optional<DataDirectory> m_data;
};

namespace {

QDateTime march7()
{
    return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2));
}

CreatedPages createPages(int categoryCount)
{
    return CreateHTML(categoryCount, march7);
}

QStringList pageNames(const CreatedPages& created)
{
    QStringList names;
    for (const wareloom::PageOutcome& outcome : created)
        names.append(outcome.pageFileName);
    return names;
}

QStringList failedPages(const CreatedPages& created)
{
    QStringList names;
    for (const wareloom::PageOutcome& outcome : created) {
        if (!outcome.ok())
            names.append(outcome.pageFileName);
    }
    return names;
}

QStringList listedCategories()
{
    QStringList names;
    for (const wareloom::FoundCategory& category : wareloom::listCategories())
        names.append(category.name);
    return names;
}

QByteArray threeBooks()
{
    return itemRecord("Lamp", "", "9.99", "2") + itemRecord("Lamp", "A17", "9.99", "2") +
           itemRecord("Salt & Pepper Mill, brushed steel with ceramic grinder, XL60", "ABCDEFGHIJ",
                      "<b>9</b>", "1");
}

const QByteArray PageEnd = "</TABLE></p></body></html>";

} // namespace

void TestMainPage::init()
{
    m_data.emplace();
    QVERIFY(m_data->isValid());
}

void TestMainPage::cleanup()
{
    m_data.reset();
}

void TestMainPage::emptyDataDirectory()
{
    const CreatedPages created = createPages(0);
    QCOMPARE(pageNames(created), QStringList({"inventory.htm"}));
    QVERIFY(created.front().ok());
    QCOMPARE(page(QStringLiteral("inventory.htm")), expectedPage("main-empty.htm"));
    QCOMPARE(page(QStringLiteral("inventory.htm")).size(), 26);
    QCOMPARE(dataFiles(), QStringList({"inventory.htm"}));
}

void TestMainPage::oneCategory()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    const CreatedPages created = createPages(1);

    QCOMPARE(pageNames(created), QStringList({"inventory.htm", "Books.htm"}));
    QCOMPARE(failedPages(created), QStringList());
    QCOMPARE(created.back().categoryFileName, QStringLiteral("Books.dat"));
    QCOMPARE(page(QStringLiteral("inventory.htm")), expectedPage("main-books.htm"));
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
    QCOMPARE(dataFiles(), QStringList({"Books.dat", "Books.htm", "inventory.htm"}));
}

void TestMainPage::twoCategories()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    writeCategory(QStringLiteral("Garden"), QByteArray());
    const CreatedPages created = createPages(2);

    // Rows come in the order the file system lists the files.
    const QStringList order = listedCategories();
    QCOMPARE(pageNames(created),
             QStringList({"inventory.htm", order[0] + ".htm", order[1] + ".htm"}));
    QCOMPARE(page(QStringLiteral("inventory.htm")),
             expectedPage(order[0] == "Books" ? "main-books-garden.htm" : "main-garden-books.htm"));
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
}

void TestMainPage::rowEnds_data()
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

void TestMainPage::rowEnds()
{
    QFETCH(int, categoryCount);
    QFETCH(QByteArrayList, rowEnds);
    writeCategory(QStringLiteral("Alpha"), itemRecord("a", "", "", ""));
    writeCategory(QStringLiteral("Beta"), QByteArray());
    writeCategory(QStringLiteral("Gamma"), itemRecord("g", "", "", "").repeated(2));
    const QHash<QString, QByteArray> rows = {
        {"Alpha", "Alpha.htm>Alpha<TD><p align=right><font size=10>1"},
        {"Beta", "Beta.htm>Beta<TD><p align=right><font size=10>0"},
        {"Gamma", "Gamma.htm>Gamma<TD><p align=right><font size=10>2"},
    };

    QVERIFY(failedPages(createPages(categoryCount)).isEmpty());

    const QStringList order = listedCategories();
    QByteArray expected = expectedPage("main-head.htm");
    expected += "<a href=" + rows[order[0]] + rowEnds[0];
    expected += "<font size=10><a href=" + rows[order[1]] + rowEnds[1];
    expected += "<font size=10><a href=" + rows[order[2]] + rowEnds[2];
    expected += PageEnd;
    QCOMPARE(page(QStringLiteral("inventory.htm")), expected);
}

void TestMainPage::itemCounts_data()
{
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<QByteArray>("count");

    QTest::newRow("empty") << 0 << QByteArray("0");
    QTest::newRow("89 bytes") << 89 << QByteArray("0");
    QTest::newRow("95 bytes") << 95 << QByteArray("1");
    QTest::newRow("185 bytes") << 185 << QByteArray("2");
    QTest::newRow("10 records") << 900 << QByteArray("10");
}

void TestMainPage::itemCounts()
{
    QFETCH(int, fileSize);
    QFETCH(QByteArray, count);
    writeCategory(QStringLiteral("Garden"),
                  itemRecord("Rake", "", "", "").repeated(11).left(fileSize));
    createPages(1);

    QCOMPARE(page(QStringLiteral("inventory.htm")),
             expectedPage("main-head.htm") +
                 "<a href=Garden.htm>Garden<TD><p align=right>"
                 "<font size=10>" +
                 count + "</p><TR>" + PageEnd);
    QCOMPARE(page(QStringLiteral("Garden.htm")).count("<TR><TD>"), count.toInt());
}

void TestMainPage::nameWithAmpersandAndSpaces()
{
    writeCategory(QStringLiteral("Tools & Parts"), QByteArray());
    const CreatedPages created = createPages(1);

    QCOMPARE(pageNames(created), QStringList({"inventory.htm", "Tools & Parts.htm"}));
    QCOMPARE(page(QStringLiteral("inventory.htm")),
             expectedPage("main-head.htm") +
                 "<a href=Tools%20%26%20Parts.htm>Tools & Parts"
                 "<TD><p align=right><font size=10>0</p><TR>" +
                 PageEnd);
    QCOMPARE(page(QStringLiteral("Tools & Parts.htm")), expectedPage("category-tools-parts.htm"));
}

void TestMainPage::namesInTheCodePage_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("link");

    QTest::newRow("windows-1252") << QByteArray("CP1252") << QStringLiteral("Café €")
                                  << QByteArray("<a href=Caf\xE9%20\x80.htm>Caf\xE9 \x80<TD>");
    QTest::newRow("character the code page lacks")
        << QByteArray("CP1252") << QStringLiteral("Tea 茶")
        << QByteArray("<a href=Tea%20%3F.htm>Tea ?<TD>");
    QTest::newRow("code page that cannot be used")
        << QByteArray("NO-SUCH-CODE-PAGE") << QStringLiteral("Café")
        << QByteArray("<a href=Caf%3F.htm>Caf?<TD>");
}

void TestMainPage::namesInTheCodePage()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QString, name);
    QFETCH(QByteArray, link);
    qputenv("WARELOOM_CODEPAGE", codePage);
    wareloom::resetConversionCodePage();
    writeCategory(name, QByteArray());
    const CreatedPages created = createPages(1);
    qputenv("WARELOOM_CODEPAGE", "CP1252");
    wareloom::resetConversionCodePage();

    QCOMPARE(failedPages(created), QStringList());
    QVERIFY2(page(QStringLiteral("inventory.htm")).contains(link),
             page(QStringLiteral("inventory.htm")).constData());
    const QByteArray visible = link.mid(link.indexOf('>') + 1).chopped(4);
    QVERIFY(page(name + ".htm").contains("<title>" + visible + "</title>"));
    QVERIFY(page(name + ".htm").contains("<font size=10>" + visible + "<TR>"));
}

// Longer than the 200-unit name buffer, and a link target of 350 bytes.
void TestMainPage::longName()
{
    const QString name = QString(70, QLatin1Char('&')) + QString(140, QLatin1Char('x'));
    writeCategory(name, QByteArray());
    QCOMPARE(failedPages(createPages(1)), QStringList());

    const QByteArray target = QByteArray("%26").repeated(70) + QByteArray(140, 'x');
    QCOMPARE(page(QStringLiteral("inventory.htm")),
             expectedPage("main-head.htm") + "<a href=" + target + ".htm>" + name.toLatin1() +
                 "<TD><p align=right><font size=10>0</p><TR>" + PageEnd);
    QVERIFY(page(name + ".htm").startsWith("<html><head><title>" + name.toLatin1() + "</title>"));
}

void TestMainPage::timeStamp_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("text");

    QTest::newRow("7 March 2024, 09:05:02")
        << march7() << QStringLiteral("Updated: Date: 2024-03-07  Time: 09:05:02");
    QTest::newRow("milliseconds dropped")
        << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59, 999))
        << QStringLiteral("Updated: Date: 2023-12-31  Time: 23:59:59");
    QTest::newRow("midnight") << QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0))
                              << QStringLiteral("Updated: Date: 2025-01-01  Time: 00:00:00");
    QTest::newRow("year not padded") << QDateTime(QDate(987, 6, 5), QTime(4, 3, 2))
                                     << QStringLiteral("Updated: Date: 987-06-05  Time: 04:03:02");
}

void TestMainPage::timeStamp()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, text);
    QCOMPARE(wareloom::pageTimeStamp(time), text);

    writeCategory(QStringLiteral("Garden"), QByteArray());
    CreateHTML(1, [&] { return time; });
    const QByteArray written = page(QStringLiteral("inventory.htm"));
    QVERIFY2(written.contains("<P align=center>" + text.toLatin1() + "</font></p>"),
             written.constData());
}

void TestMainPage::clockReadOnce()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    writeCategory(QStringLiteral("Garden"), QByteArray());
    int reads = 0;
    CreateHTML(2, [&] {
        ++reads;
        return march7();
    });
    QCOMPARE(reads, 1);

    // Read even when there is nothing to list.
    QVERIFY(QFile::remove(wareloom::categoryFilePath("Books")));
    QVERIFY(QFile::remove(wareloom::categoryFilePath("Garden")));
    CreateHTML(0, [&] {
        ++reads;
        return march7();
    });
    QCOMPARE(reads, 2);
}

void TestMainPage::secondRunReplacesFirst()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    writeCategory(QStringLiteral("Tools & Parts"), itemRecord("Saw", "S1", "12", "3").repeated(50));
    CreateHTML(2, [] { return QDateTime(QDate(2020, 1, 1), QTime(1, 1, 1)); });

    QVERIFY(QFile::remove(wareloom::categoryFilePath("Tools & Parts")));
    writeCategory(QStringLiteral("Tools & Parts"), QByteArray());
    const CreatedPages created = createPages(1);

    QCOMPARE(failedPages(created), QStringList());
    const QStringList order = listedCategories();
    QByteArray rowOfBooks = "Books.htm>Books<TD><p align=right><font size=10>3</p><TR>";
    QByteArray rowOfTools =
        "Tools%20%26%20Parts.htm>Tools & Parts<TD><p align=right><font size=10>0</p><TR>";
    const QByteArray rows = order[0] == "Books"
                                ? "<a href=" + rowOfBooks + "<font size=10><a href=" + rowOfTools
                                : "<a href=" + rowOfTools + "<font size=10><a href=" + rowOfBooks;
    QCOMPARE(page(QStringLiteral("inventory.htm")), expectedPage("main-head.htm") + rows + PageEnd);
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
    QCOMPARE(page(QStringLiteral("Tools & Parts.htm")), expectedPage("category-tools-parts.htm"));
    QCOMPARE(dataFiles(), QStringList({"Books.dat", "Books.htm", "Tools & Parts.dat",
                                       "Tools & Parts.htm", "inventory.htm"}));
}

// A replaced page that has a second name somewhere is left as it was.
void TestMainPage::oldPageWithAnotherNameKeepsItsContent()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    writeCategory(QStringLiteral("Garden"), QByteArray());
    const QString backup = wareloom::dataFilePath(QStringLiteral("backup.txt"));
    const QString symlinked = wareloom::dataFilePath(QStringLiteral("elsewhere.txt"));
    writeFile(wareloom::dataFilePath("Books.htm"), "old books page");
    writeFile(symlinked, "file behind the old garden page");
    QVERIFY(QFile::link(symlinked, wareloom::dataFilePath("Garden.htm")));
    QCOMPARE(::link(QFile::encodeName(wareloom::dataFilePath("Books.htm")).constData(),
                    QFile::encodeName(backup).constData()),
             0);

    QCOMPARE(failedPages(createPages(2)), QStringList());
    QCOMPARE(readFile(backup), QByteArray("old books page"));
    QCOMPARE(readFile(symlinked), QByteArray("file behind the old garden page"));
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
    QVERIFY(!QFileInfo(wareloom::dataFilePath("Garden.htm")).isSymLink());
    QCOMPARE(dataFiles(), QStringList({"Books.dat", "Books.htm", "Garden.dat", "Garden.htm",
                                       "backup.txt", "elsewhere.txt", "inventory.htm"}));
}

void TestMainPage::pageThatCannotBeWritten()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    writeCategory(QStringLiteral("Blocked"), itemRecord("Lamp", "", "", ""));
    QVERIFY(QDir(wareloom::dataDirectory()).mkdir(QStringLiteral("Blocked.htm")));

    const CreatedPages created = createPages(2);
    QCOMPARE(failedPages(created), QStringList({"Blocked.htm"}));
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
    QVERIFY(page(QStringLiteral("inventory.htm"))
                .contains("<a href=Blocked.htm>Blocked<TD><p align=right><font size=10>1</p>"));
    QVERIFY(QFileInfo(wareloom::dataFilePath("Blocked.htm")).isDir());
    QCOMPARE(dataFiles(), QStringList({"Blocked.dat", "Blocked.htm", "Books.dat", "Books.htm",
                                       "inventory.htm"}));
}

void TestMainPage::mainPageThatCannotBeWritten()
{
    writeCategory(QStringLiteral("Books"), threeBooks());
    QVERIFY(QDir(wareloom::dataDirectory()).mkdir(QStringLiteral("inventory.htm")));

    const CreatedPages created = createPages(1);
    QCOMPARE(failedPages(created), QStringList({"inventory.htm"}));
    QVERIFY2(created.front().failure.contains(QStringLiteral("inventory.htm")),
             qPrintable(created.front().failure));
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
}

// A file size limit makes the write of the large page fail halfway.
void TestMainPage::failedWriteLeavesOldPage()
{
    writeCategory(QStringLiteral("Books"), itemRecord("Lamp", "A17", "9.99", "2").repeated(999));
    writeCategory(QStringLiteral("Garden"), QByteArray());
    writeFile(wareloom::dataFilePath("Books.htm"), "old books page");

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const CreatedPages created = createPages(2);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    QCOMPARE(failedPages(created), QStringList({"Books.htm"}));
    QCOMPARE(page(QStringLiteral("Books.htm")), QByteArray("old books page"));
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
    QCOMPARE(dataFiles(),
             QStringList({"Books.dat", "Books.htm", "Garden.dat", "Garden.htm", "inventory.htm"}));
}

void TestMainPage::unreadableCategoryFile()
{
    QVERIFY(QFile::link(QStringLiteral("no such file"), wareloom::dataFilePath("Ghost.dat")));
    const CreatedPages created = createPages(1);

    QCOMPARE(failedPages(created), QStringList({"Ghost.htm"}));
    QVERIFY2(created.back().failure.contains(QStringLiteral("Ghost.dat")),
             qPrintable(created.back().failure));
    QCOMPARE(page(QStringLiteral("inventory.htm")),
             expectedPage("main-head.htm") +
                 "<a href=Ghost.htm>Ghost<TD><p align=right><font size=10>0</p><TR>" + PageEnd);
    QCOMPARE(page(QStringLiteral("Ghost.htm")).count("<TR><TD>"), 0);
}

// Its page would overwrite the main page.
void TestMainPage::categoryNamedLikeTheMainPage()
{
    writeCategory(QStringLiteral("Inventory"), itemRecord("Lamp", "", "", ""));
    const CreatedPages created = createPages(1);

    QCOMPARE(pageNames(created), QStringList({"inventory.htm", "Inventory.htm"}));
    QVERIFY(created.front().ok());
    QVERIFY(!created.back().ok());
    QVERIFY(page(QStringLiteral("inventory.htm")).startsWith(expectedPage("main-head.htm")));
    QCOMPARE(dataFiles(), QStringList({"Inventory.dat", "inventory.htm"}));
}

QTEST_GUILESS_MAIN(TestMainPage)
#include "tst_mainpage.moc"
