#include "PageTestSupport.h"

#include "publish/CategoryPage.h"
#include "store/RecordTable.h"

#include <QFileInfo>
#include <QTest>

#include <optional>
#include <sys/stat.h>

using namespace pagetest;
using wareloom::CreateCategoryPage;

class TestCategoryPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyCategory();
    void recordsInFileOrder();
    void itemRow_data();
    void itemRow();
    void pictureParagraphLength_data();
    void pictureParagraphLength();
    void upperCaseExtension();
    void nameLongerThanTwoHundredCharacters();
    void manyRecords();
    void readsThroughTheScratchSlot();
    void replacesTheOldPageWhole();
    void pipeAsCategoryFile();
    void directoryWherePageGoes();

private:
    std::optional<DataDirectory> m_data;
};

namespace {

const QByteArray RowStart = "<TR><TD><font size=10>";
const QByteArray NextCell = "<TD><font size=10><p align=right>";

// The Garden page with the given item rows in its table.
QByteArray gardenPageWith(const QByteArray& rows)
{
    QByteArray page = expectedPage("category-garden.htm");
    return page.replace("Code</TABLE>", "Code" + rows + "</TABLE>");
}

} // namespace

void TestCategoryPage::init()
{
    m_data.emplace();
    QVERIFY(m_data->isValid());
}

void TestCategoryPage::cleanup()
{
    m_data.reset();
}

void TestCategoryPage::emptyCategory()
{
    writeCategory(QStringLiteral("Garden"), QByteArray());
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
}

void TestCategoryPage::recordsInFileOrder()
{
    writeCategory(QStringLiteral("Books"),
                  itemRecord("Lamp", "", "9.99", "2") + itemRecord("Lamp", "A17", "9.99", "2") +
                      itemRecord("Salt & Pepper Mill, brushed steel with ceramic grinder, XL60",
                                 "ABCDEFGHIJ", "<b>9</b>", "1"));
    QVERIFY(CreateCategoryPage(QStringLiteral("Books.dat")).ok());
    QCOMPARE(page(QStringLiteral("Books.htm")), expectedPage("category-books.htm"));
}

void TestCategoryPage::itemRow_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("row");

    QTest::newRow("no code") << itemRecord("Lamp", "", "9.99", "2")
                             << QByteArray("<TR><TD><font size=10>Lamp"
                                           "<TD><font size=10><p align=right>2"
                                           "<TD><font size=10><p align=right>9.99"
                                           "<TD><font size=10><p align=right></TR>");
    QTest::newRow("code A17") << itemRecord("Lamp", "A17", "9.99", "2")
                              << QByteArray("<TR><TD><font size=10>Lamp"
                                            "<TD><font size=10><p align=right>2"
                                            "<TD><font size=10><p align=right>9.99"
                                            "<TD><font size=10><p align=right>"
                                            "<p align=center><a href = \"A17.jpg\">A17"
                                            "<img src=\"A17.jpg\" width=\"50\" height=\"50\">"
                                            "</a> </p></TR>");
    QTest::newRow("name of 60 characters, code right after it")
        << itemRecord(QByteArray(60, 'n'), "C1", "", "")
        << QByteArray(
               "<TR><TD><font size=10>nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn"
               "<TD><font size=10><p align=right>"
               "<TD><font size=10><p align=right>"
               "<TD><font size=10><p align=right>"
               "<p align=center><a href = \"C1.jpg\">C1"
               "<img src=\"C1.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
    QTest::newRow("full code, price and qty")
        << itemRecord("Drill", "ABCDEFGHIJ", "1234567.89", "0123456789")
        << QByteArray("<TR><TD><font size=10>Drill"
                      "<TD><font size=10><p align=right>0123456789"
                      "<TD><font size=10><p align=right>1234567.89"
                      "<TD><font size=10><p align=right>"
                      "<p align=center><a href = \"ABCDEFGHIJ.jpg\">ABCDEFGHIJ"
                      "<img src=\"ABCDEFGHIJ.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
    QTest::newRow("markup in the price")
        << itemRecord("Lamp", "", "<b>9</b>", "2")
        << QByteArray("<TR><TD><font size=10>Lamp<TD><font size=10><p align=right>2"
                      "<TD><font size=10><p align=right><b>9</b>"
                      "<TD><font size=10><p align=right></TR>");
    QTest::newRow("ampersand and a code-page byte in the name")
        << itemRecord("Caf\xE9 & Bar", "", "", "")
        << QByteArray("<TR><TD><font size=10>Caf\xE9 & Bar<TD><font size=10><p align=right>"
                      "<TD><font size=10><p align=right><TD><font size=10><p align=right></TR>");
    QTest::newRow("code with a space and a quote")
        << itemRecord("Cup", "a b\"c", "1", "1")
        << QByteArray("<TR><TD><font size=10>Cup<TD><font size=10><p align=right>1"
                      "<TD><font size=10><p align=right>1<TD><font size=10><p align=right>"
                      "<p align=center><a href = \"a b\"c.jpg\">a b\"c"
                      "<img src=\"a b\"c.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
}

void TestCategoryPage::itemRow()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, row);
    writeCategory(QStringLiteral("Garden"), record);
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());
    QCOMPARE(page(QStringLiteral("Garden.htm")), gardenPageWith(row));
}

void TestCategoryPage::pictureParagraphLength_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("length");

    QTest::newRow("A17") << QByteArray("A17") << 90;
    QTest::newRow("ten characters") << QByteArray("0123456789") << 111;
    QTest::newRow("one character") << QByteArray("X") << 84;
}

void TestCategoryPage::pictureParagraphLength()
{
    QFETCH(QByteArray, code);
    QFETCH(int, length);
    writeCategory(QStringLiteral("Garden"), itemRecord("Lamp", code, "", ""));
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());

    const QByteArray written = page(QStringLiteral("Garden.htm"));
    const qsizetype start = written.indexOf("<p align=center><a href");
    const qsizetype end = written.indexOf("</TR>");
    QVERIFY(start > 0 && end > start);
    QCOMPARE(end - start, qsizetype(length));
}

void TestCategoryPage::upperCaseExtension()
{
    writeFile(wareloom::dataFilePath(QStringLiteral("Garden.DAT")), QByteArray());
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.DAT")).ok());
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
}

void TestCategoryPage::nameLongerThanTwoHundredCharacters()
{
    const QString name = QString(120, QLatin1Char('a')) + QString(100, QLatin1Char('b'));
    writeCategory(name, QByteArray());
    QVERIFY(CreateCategoryPage(name + QStringLiteral(".dat")).ok());

    QByteArray expected = expectedPage("category-garden.htm");
    expected.replace("Garden", name.toLatin1());
    QCOMPARE(page(name + QStringLiteral(".htm")), expected);
}

// More records than one read takes, and a page larger than one write.
void TestCategoryPage::manyRecords()
{
    const int count = 5000;
    writeCategory(QStringLiteral("Garden"),
                  itemRecord("Lamp", "ABCDEFGHIJ", "9.99", "2").repeated(count));
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());

    const QByteArray row = RowStart + "Lamp" + NextCell + "2" + NextCell + "9.99" + NextCell +
                           "<p align=center><a href = \"ABCDEFGHIJ.jpg\">ABCDEFGHIJ<img "
                           "src=\"ABCDEFGHIJ.jpg\" width=\"50\" height=\"50\"></a> </p></TR>";
    const QByteArray written = page(QStringLiteral("Garden.htm"));
    QCOMPARE(written.size(), gardenPageWith(row.repeated(count)).size());
    QVERIFY(written == gardenPageWith(row.repeated(count)));
}

void TestCategoryPage::readsThroughTheScratchSlot()
{
    wareloom::RecordTable& table = wareloom::recordTable();
    const QByteArray shown = itemRecord("Shown", "S1", "1", "1");
    std::copy(shown.begin(), shown.end(), table.slots[1].bytes.begin());
    table.recordCount = 1;

    const QByteArray last = itemRecord("Last", "L2", "2", "2");
    writeCategory(QStringLiteral("Garden"), itemRecord("First", "F1", "1", "1") + last);
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());

    QCOMPARE(QByteArray(table.scratch().bytes.data(), 90), last);
    QCOMPARE(QByteArray(table.slots[1].bytes.data(), 90), shown);
    QCOMPARE(table.recordCount, 1);
}

void TestCategoryPage::replacesTheOldPageWhole()
{
    writeFile(wareloom::dataFilePath(QStringLiteral("Garden.htm")), QByteArray(5000, 'x'));
    writeCategory(QStringLiteral("Garden"), QByteArray());
    QVERIFY(CreateCategoryPage(QStringLiteral("Garden.dat")).ok());
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
    QCOMPARE(dataFiles(), QStringList({"Garden.dat", "Garden.htm"}));
}

// Opening a pipe for reading would wait for a writer forever.
void TestCategoryPage::pipeAsCategoryFile()
{
    QCOMPARE(::mkfifo(QFile::encodeName(wareloom::dataFilePath("Garden.dat")).constData(), 0600),
             0);
    QVERIFY(!CreateCategoryPage(QStringLiteral("Garden.dat")).ok());
    QCOMPARE(page(QStringLiteral("Garden.htm")), expectedPage("category-garden.htm"));
}

void TestCategoryPage::directoryWherePageGoes()
{
    writeCategory(QStringLiteral("Garden"), itemRecord("Lamp", "", "", ""));
    QVERIFY(QDir(wareloom::dataDirectory()).mkdir(QStringLiteral("Garden.htm")));

    const wareloom::Status written = CreateCategoryPage(QStringLiteral("Garden.dat"));
    QVERIFY(!written.ok());
    QVERIFY2(written.message().contains(QStringLiteral("Garden.htm")),
             qPrintable(written.message()));
    QVERIFY(QFileInfo(wareloom::dataFilePath("Garden.htm")).isDir());
    QCOMPARE(dataFiles(), QStringList({"Garden.dat", "Garden.htm"}));
}

QTEST_GUILESS_MAIN(TestCategoryPage)
#include "tst_categorypage.moc"
