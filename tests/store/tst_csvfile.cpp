#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CsvFile.h"
#include "core/util/TextConversion.h"

#include <QProcess>
#include <QTest>

using namespace wareloom;

namespace {

ItemRecord item(const QString& name, const QString& price, const QString& qty, const QString& code)
{
    ItemRecord r;
    storeFieldString(r, ItemField::Name, name);
    storeFieldString(r, ItemField::Price, price);
    storeFieldString(r, ItemField::Qty, qty);
    storeFieldString(r, ItemField::Code, code);
    return r;
}

QStringList fields(const ItemRecord& r)
{
    return {fieldString(r, ItemField::Name), fieldString(r, ItemField::Price),
            fieldString(r, ItemField::Qty), fieldString(r, ItemField::Code)};
}

// The program itself, as a spreadsheet user runs it.
int runWareloom(const QStringList& arguments, const QByteArray& input, QByteArray* output = nullptr)
{
    QProcess program;
    program.start(QStringLiteral(WARELOOM_PROGRAM), arguments);
    program.write(input);
    program.closeWriteChannel();
    if (!program.waitForFinished(10000))
        return -1;
    if (output)
        *output = program.readAllStandardOutput();
    return program.exitCode();
}

} // namespace

class TestCsvFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    // Written by the rules: BOM, header, CRLF, quotes only where needed.
    void exportsSpreadsheetText()
    {
        const QByteArray csv = exportCsv(
            {item("Mug", "4.50", "3", "M1"), item("Caf\u00E9, \"cr\u00E8me\"", "", "", "C;2")});
        QCOMPARE(csv, QByteArray("\xEF\xBB\xBFName,Price,Qty,Code\r\nMug,4.50,3,M1\r\n"
                                 "\"Caf\xC3\xA9, \"\"cr\xC3\xA8me\"\"\",,,\"C;2\"\r\n"));
    }

    void importReadsWhatSpreadsheetsWrite_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QList<QStringList>>("items");
        QTest::newRow("semicolons, a BOM, columns in another order")
            << QByteArray("\xEF\xBB\xBF"
                          "Code;Name;Price\nR1;Rake;12,50\n;\"Hoe; long\";\n\n")
            << QList<QStringList>{{"Rake", "12,50", "", "R1"}, {"Hoe; long", "", "", ""}};
        QTest::newRow("a line break inside quotes, no BOM, CRLF")
            << QByteArray("name,qty\r\n\"Two\r\nlines\",7\r\n")
            << QList<QStringList>{{"Two\r\nlines", "", "7", ""}};
    }
    void importReadsWhatSpreadsheetsWrite()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QList<QStringList>, items);
        const CsvImport read = importCsv(csv, 0);
        QCOMPARE(read.problems, QStringList());
        QList<QStringList> got;
        for (const ItemRecord& r : read.records)
            got << fields(r);
        QCOMPARE(got, items);
    }

    // Every bad row is named with its line; the items are kept for nothing.
    void badRowsAreAllNamed()
    {
        const QByteArray csv = "Name,Price,Qty,Code\n"
                               "Good,1,1,G\n"
                               ",2,2,E\n"
                               "\"Too\nlong\",12345678901,1,X\n"
                               "Teddy \xF0\x9F\xA7\xB8,1,1,T\n";
        const CsvImport read = importCsv(csv, 998);
        QCOMPARE(read.problems,
                 QStringList({"Line 3: the name is empty",
                              "Line 4: the price takes 11 bytes; at most 10 fit",
                              "Line 6: these characters cannot be stored: \U0001F9F8"}));
        QCOMPARE(importCsv("Name\nA\nB\n", 998).problems,
                 QStringList{"The category would hold 1000 items; at most 999 fit."});
        QCOMPARE(importCsv("Price,Qty\n1,2\n", 0).problems.size(), 1);
    }

    // Out to a file and back in through the program: the same four fields.
    void exportThenImportThroughTheProgram()
    {
        test::TempDataDirectory data;
        const ItemRecords shop{item("Caf\u00E9, \"cr\u00E8me\"", "\u20AC5", "\u00BD", "C1"),
                               item("Plain", "1", "2", "P")};
        QByteArray bytes;
        for (const ItemRecord& r : shop)
            bytes += QByteArray(r.bytes.data(), ItemRecord::Size);
        QVERIFY(data.writeFile("Kitchen.dat", bytes));
        QByteArray csv;
        QCOMPARE(runWareloom({"-Export", "Kitchen", "-"}, {}, &csv), 0);
        QCOMPARE(runWareloom({"-Import", "Copy", "-"}, csv), 0);
        const QByteArray copy = test::readFile(data.filePath("Copy.dat"));
        QCOMPARE(copy.size(), 180);
        for (int i = 0; i < 2; ++i) {
            ItemRecord r;
            std::copy_n(copy.constData() + i * 90, 90, r.bytes.begin());
            QCOMPARE(fields(r), fields(shop[size_t(i)]));
        }
        // One bad row: nothing changes.
        QCOMPARE(runWareloom({"-Import", "Copy", "-"}, "Name\nFine\n,x\n"), 1);
        QCOMPARE(test::readFile(data.filePath("Copy.dat")), copy);
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
