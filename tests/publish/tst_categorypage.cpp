#include "PageTestSupport.h"

#include "core/pages/CategoryPage.h"

using namespace pagetest;
using wareloom::dataFilePath;

namespace {

// The Garden page with the given item rows in its table.
QByteArray gardenPageWith(const QByteArray& rows)
{
    return expectedPage("category-garden.htm").replace("Code</TABLE>", "Code" + rows + "</TABLE>");
}

const QByteArray Cell = "<TD><font size=10><p align=right>";

} // namespace

class TestCategoryPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesThePage_data()
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
            << gardenPageWith(
                   "<TR><TD><font size=10>Drill" + Cell + "0123456789" + Cell + "1234567.89" +
                   Cell +
                   "<p align=center><a href = \"ABCDEFGHIJ.jpg\">ABCDEFGHIJ"
                   "<img src=\"ABCDEFGHIJ.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
        QTest::newRow("ampersand and a code-page byte in the name, no code")
            << "Garden.dat" << itemRecord("Caf\xE9 & Bar", "", "", "") << none
            << gardenPageWith("<TR><TD><font size=10>Caf\xE9 & Bar" + Cell + Cell + Cell + "</TR>");
        QTest::newRow("code with a space and a quote")
            << "Garden.dat" << itemRecord("Cup", "a b\"c", "1", "1") << none
            << gardenPageWith("<TR><TD><font size=10>Cup" + Cell + "1" + Cell + "1" + Cell +
                              "<p align=center><a href = \"a b\"c.jpg\">a b\"c"
                              "<img src=\"a b\"c.jpg\" width=\"50\" height=\"50\"></a> </p></TR>");
        // More records than one read takes, and a page larger than one write.
        QTest::newRow("5000 records")
            << "Garden.dat" << itemRecord("Lamp", "X", "9.99", "2").repeated(5000) << none
            << gardenPageWith(QByteArray("<TR><TD><font size=10>Lamp" + Cell + "2" + Cell + "9.99" +
                                         Cell +
                                         "<p align=center><a href = \"X.jpg\">X<img src=\"X.jpg\" "
                                         "width=\"50\" height=\"50\"></a> </p></TR>")
                                  .repeated(5000));
    }
    void writesThePage()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, oldPage);
        QFETCH(QByteArray, expected);
        DataDirectory data;
        const QString pageName = fileName.chopped(4) + ".htm";
        QVERIFY(writeFile(dataFilePath(fileName), records));
        if (!oldPage.isNull())
            QVERIFY(writeFile(dataFilePath(pageName), oldPage));
        const wareloom::Status written = wareloom::CreateCategoryPage(fileName);
        QVERIFY2(written.ok(), qPrintable(written.message()));
        QVERIFY2(page(pageName) == expected,
                 qPrintable(pageName + " differs from the expected page"));
        QCOMPARE(dataFiles(), QStringList({fileName, pageName}));
    }
};

QTEST_GUILESS_MAIN(TestCategoryPage)
#include "tst_categorypage.moc"
