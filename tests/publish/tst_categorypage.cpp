#include "PageTestSupport.h"

#include "core/pages/CategoryPage.h"

#include <QTest>

using namespace pagetest;
using wareloom::CreateCategoryPage;
using wareloom::dataFilePath;

namespace {

// The Garden page with the given item rows in its table.
QByteArray gardenPageWith(const QByteArray& rows)
{
    return expectedPage("category-garden.htm").replace("Code</TABLE>", "Code" + rows + "</TABLE>");
}

} // namespace

class TestCategoryPage : public QObject
{
    Q_OBJECT

    std::optional<DataDirectory> m_data;

private Q_SLOTS:
    void init() { m_data.emplace(); }

    void emptyCategory_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("oldPage"); // null: none
        QTest::newRow("Garden") << "Garden.dat" << QByteArray();
        QTest::newRow("upper-case extension") << "Garden.DAT" << QByteArray();
        QTest::newRow("longer old page replaced whole") << "Garden.dat" << QByteArray(5000, 'x');
        QTest::newRow("name over 200 characters")
            << QString(120, 'a') + QString(100, 'b') + ".dat" << QByteArray();
    }
    void emptyCategory()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, oldPage);
        const QString pageName = fileName.chopped(4) + ".htm";
        QVERIFY(writeFile(dataFilePath(fileName), {}));
        if (!oldPage.isNull())
            QVERIFY(writeFile(dataFilePath(pageName), oldPage));
        QVERIFY(CreateCategoryPage(fileName).ok());
        QCOMPARE(
            page(pageName),
            expectedPage("category-garden.htm").replace("Garden", fileName.chopped(4).toLatin1()));
        QCOMPARE(dataFiles(), QStringList({fileName, pageName}));
    }

    void recordsInFileOrder()
    {
        QVERIFY(writeCategory("Books", threeBooks()));
        QVERIFY(CreateCategoryPage("Books.dat").ok());
        QCOMPARE(page("Books.htm"), expectedPage("category-books.htm"));
    }

    void itemRow_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("fields without NUL")
            << itemRecord("Drill", "ABCDEFGHIJ", "1234567.89", "0123456789")
            << QByteArray("<TR><TD><font size=10>Drill"
                          "<TD><font size=10><p align=right>0123456789"
                          "<TD><font size=10><p align=right>1234567.89"
                          "<TD><font size=10><p align=right>"
                          "<p align=center><a href = \"ABCDEFGHIJ.jpg\">ABCDEFGHIJ"
                          "<img src=\"ABCDEFGHIJ.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
        QTest::newRow("ampersand and a code-page byte in the name")
            << itemRecord("Caf\xE9 & Bar", "", "", "")
            << QByteArray(
                   "<TR><TD><font size=10>Caf\xE9 & Bar<TD><font size=10><p align=right>"
                   "<TD><font size=10><p align=right><TD><font size=10><p align=right></TR>");
        QTest::newRow("code with a space and a quote")
            << itemRecord("Cup", "a b\"c", "1", "1")
            << QByteArray("<TR><TD><font size=10>Cup<TD><font size=10><p align=right>1"
                          "<TD><font size=10><p align=right>1<TD><font size=10><p align=right>"
                          "<p align=center><a href = \"a b\"c.jpg\">a b\"c"
                          "<img src=\"a b\"c.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
    }
    void itemRow()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, row);
        QVERIFY(writeCategory("Garden", record));
        QVERIFY(CreateCategoryPage("Garden.dat").ok());
        QCOMPARE(page("Garden.htm"), gardenPageWith(row));
    }

    void pictureParagraphLength_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("length");
        QTest::newRow("A17") << QByteArray("A17") << 90;
        QTest::newRow("ten characters") << QByteArray("0123456789") << 111;
        QTest::newRow("one character") << QByteArray("X") << 84;
    }
    void pictureParagraphLength()
    {
        QFETCH(QByteArray, code);
        QFETCH(int, length);
        QVERIFY(writeCategory("Garden", itemRecord("Lamp", code, "", "")));
        QVERIFY(CreateCategoryPage("Garden.dat").ok());
        const QByteArray written = page("Garden.htm");
        const qsizetype start = written.indexOf("<p align=center><a href");
        const qsizetype end = written.indexOf("</TR>");
        QVERIFY(start > 0 && end > start);
        QCOMPARE(end - start, qsizetype(length));
    }

    // More records than one read takes, and a page larger than one write.
    void manyRecords()
    {
        const int count = 5000;
        QVERIFY(
            writeCategory("Garden", itemRecord("Lamp", "ABCDEFGHIJ", "9.99", "2").repeated(count)));
        QVERIFY(CreateCategoryPage("Garden.dat").ok());
        const QByteArray cell = "<TD><font size=10><p align=right>";
        const QByteArray row = "<TR><TD><font size=10>Lamp" + cell + "2" + cell + "9.99" + cell +
                               "<p align=center><a href = \"ABCDEFGHIJ.jpg\">ABCDEFGHIJ<img "
                               "src=\"ABCDEFGHIJ.jpg\" width=\"50\" height=\"50\"></a> </p></TR>";
        const QByteArray written = page("Garden.htm");
        QCOMPARE(written.size(), gardenPageWith(row.repeated(count)).size());
        QVERIFY(written == gardenPageWith(row.repeated(count)));
    }
};

QTEST_GUILESS_MAIN(TestCategoryPage)
#include "tst_categorypage.moc"
