#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CsvFile.h"
#include "core/util/TextConversion.h"

#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// Rows of a huge file made as they are read, counting what was asked for.
class GeneratedCsv : public QIODevice
{
public:
    GeneratedCsv(QByteArray head, QByteArray row, qint64 size)
        : m_head(std::move(head)), m_row(std::move(row)), m_size(size)
    {
        open(QIODevice::ReadOnly);
    }
    qint64 given = 0;

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 n = qMin(max, m_size - given);
        for (qint64 i = 0; i < n; ++i, ++given)
            data[i] = given < m_head.size() ? m_head[given]
                                            : m_row[(given - m_head.size()) % m_row.size()];
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_head, m_row;
    qint64 m_size;
};

class TestCsvFile : public QObject
{
    Q_OBJECT

    // The program itself, as a spreadsheet user runs it.
    static int runWareloom(const QStringList& arguments, const QByteArray& input,
                           QByteArray* output = nullptr)
    {
        QProcess program;
        program.start(QStringLiteral(WARELOOM_PROGRAM), arguments);
        program.write(input);
        program.closeWriteChannel();
        const bool finished = program.waitForFinished(10000);
        if (output)
            *output = program.readAllStandardOutput();
        return finished ? program.exitCode() : -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    // Written by the rules: BOM, header, CRLF, quotes only where needed, a '
    // before what a spreadsheet would run, numbers left as numbers.
    void exportsSpreadsheetText_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("plain, filler after the texts")
            << recordBytes("Mug", "M1", "4.50", "3", '#') << QByteArray("Mug,4.50,3,M1");
        QTest::newRow("separators and quotes")
            << recordBytes("Caf\xE9, \"cr\xE8me\"", "C;2")
            << QByteArray("\"Caf\xC3\xA9, \"\"cr\xC3\xA8me\"\"\",,,\"C;2\"");
        QTest::newRow("formulas") << recordBytes("=HYPERLINK(\"http://x.test\",\"y\")", "|cmd",
                                                 "@SUM(A1)", "+1+1")
                                  << QByteArray("\"'=HYPERLINK(\"\"http://x.test\"\",\"\"y\"\")\","
                                                "'@SUM(A1),'+1+1,'|cmd");
        QTest::newRow("numbers, tab and CR")
            << recordBytes("\tTab", "\rC", "-2.50", "+3") << QByteArray("'\tTab,-2.50,+3,\"'\rC\"");
        QTest::newRow("texts starting with '")
            << recordBytes("'tis", "'=x", "''", "'") << QByteArray("'tis,''',',''=x");
    }
    void exportsSpreadsheetText()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, row);
        QCOMPARE(exportCsv({recordOf(record)}),
                 "\xEF\xBB\xBFName,Price,Qty,Code\r\n" + row + "\r\n");
    }

    void importReadsWhatSpreadsheetsWrite_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("records");
        QTest::newRow("semicolons, a BOM, columns in another order")
            << QByteArray("\xEF\xBB\xBFName;Code;Price\nRake;R1;12,50\n\"Hoe; long\";;\n\n")
            << recordBytes("Rake", "R1", "12,50") + recordBytes("Hoe; long");
        QTest::newRow("a line break inside quotes, no BOM, CRLF, blank rows")
            << QByteArray("name,qty\r\n\"Two\r\nlines\" ,7\r\n,\r\n")
            << recordBytes("Two\r\nlines", {}, {}, "7");
        QTest::newRow("a ' before a formula, not before other text")
            << QByteArray("Name,Code\n'=1+1,'tis\n") << recordBytes("=1+1", "'tis");
    }
    void importReadsWhatSpreadsheetsWrite()
    {
        QFETCH(QByteArray, csv);
        const CsvImport read = importCsv(csv, 0);
        QCOMPARE(read.problems, QStringList());
        QByteArray got;
        for (const ItemRecord& r : read.records)
            got += bytesOf(r);
        QTEST(got, "records");
    }

    // Every bad row is named with its line; the items are kept for nothing.
    void badRowsAreAllNamed_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("existing");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("texts that cannot be stored")
            << QByteArray("Name,Price,Qty,Code\nGood,1,1,G\n,2,2,E\n\"Too\nlong\",12345678901,1,"
                          "X\nTeddy \xF0\x9F\xA7\xB8,1,1,T\nCaf\xE9,1,1,L\n")
            << 0
            << QStringList({"Line 3: the name is empty",
                            "Line 4: the price takes 11 bytes; at most 10 fit",
                            "Line 6: these characters cannot be stored: \U0001F9F8",
                            "Line 7: the name is not UTF-8 text (save the file as CSV UTF-8)"});
        QTest::newRow("a quote never closed")
            << QByteArray("Name,Price,Qty,Code\nA,1,1,C\n\"unbalanced,1,1,C\nB,2,2,D\n") << 0
            << QStringList{"Line 3: the quote opened on line 3 is never closed"};
        QTest::newRow("text after a closing quote, NUL, too few and too many fields")
            << QByteArray("Name,Code\n\"A\"x,1\nB\0b,2\nC\nD,4,5\n\"E,5\n", 36) << 0
            << QStringList({"Line 2: text follows a closing quote (a quote inside a quoted "
                            "field is written twice)",
                            "Line 3: the name holds a NUL byte, which would cut it short",
                            "Line 4: the row has 1 fields, the first line names 2 columns",
                            "Line 5: the row has 3 fields, the first line names 2 columns",
                            "Line 6: the quote opened on line 6 is never closed"});
        QTest::newRow("unknown and twice-named columns")
            << QByteArray("Name;Colour;price;Price\nA;red;1;1\n") << 0
            << QStringList({"Line 1: column 2, \"Colour\", is not one of Name, Price, Qty, Code",
                            "Line 1: the column Price is named twice"});
        QTest::newRow("no Name column") << QByteArray("Price,Qty\n1,2\n") << 0
                                        << QStringList{"Line 1: the first line must name the "
                                                       "columns, among them Name: "
                                                       "Name,Price,Qty,Code"};
        QTest::newRow("the 999th item is the last")
            << QByteArray("Name\nA\n\nB\nC\n") << 998
            << QStringList{"Line 4: the category would hold more than 999 items; the file was "
                           "read no further."};
    }
    void badRowsAreAllNamed()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, existing);
        QTEST(importCsv(csv, existing).problems, "problems");
    }

    // A 40 MB file is refused once the rows passed the limit, not read whole.
    void hugeFileIsNotReadWhole()
    {
        GeneratedCsv rows("Name,Price,Qty,Code\n", "Row,1,1,C\n", 40 << 20);
        const CsvImport read = importCsv(rows, 0);
        QCOMPARE(read.problems, QStringList{"Line 1001: the category would hold more than 999 "
                                            "items; the file was read no further."});
        QVERIFY2(rows.given < 1 << 20, QByteArray::number(rows.given));
    }

    // Out through the program and back in: the same bytes; one bad row changes nothing.
    void exportThenImportThroughTheProgram()
    {
        TempDataDirectory data;
        const QByteArray kitchen = recordBytes("Caf\xE9, \"cr\xE8me\"", "C1", "5\x80", "\xBD") +
                                   recordBytes("=1+1", "''=x", "-2.50", "@A") +
                                   recordBytes("'tis", "'", "|x", "'+") +
                                   recordBytes("Plain", "P", "1", "2");
        QVERIFY(data.writeFile("Kitchen.dat", kitchen));
        QByteArray csv;
        QCOMPARE(runWareloom({"-Export", "Kitchen", "-"}, {}, &csv), 0);
        QCOMPARE(runWareloom({"-Import", "Copy", "-"}, csv), 0);
        QCOMPARE(readFile(data.filePath("Copy.dat")), kitchen);
        QCOMPARE(runWareloom({"-Import", "Copy", "-"}, "Name\nFine\n,x\n"), 1);
        QCOMPARE(readFile(data.filePath("Copy.dat")), kitchen);
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
