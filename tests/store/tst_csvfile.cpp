#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CsvFile.h"
#include "core/util/TextConversion.h"

#include <QBuffer>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

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
        qputenv("WARELOOM_CODEPAGE", "CP1252"); // for the program too
        setConversionCodePage("CP1252");
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

    // What spreadsheets write is read; every bad row is named with its line
    // and the items are kept for nothing; a huge file is not read whole.
    void import_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("existing");
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("semicolons, a BOM, columns in another order")
            << QByteArray("\xEF\xBB\xBFName;Code;Price\nRake;R1;12,50\n\"Hoe; long\";;\n\n") << 0
            << recordBytes("Rake", "R1", "12,50") + recordBytes("Hoe; long") << QStringList();
        QTest::newRow("a line break inside quotes, no BOM, CRLF, blank rows")
            << QByteArray("name,qty\r\n\"Two\r\nlines\" ,7\r\n,\r\n") << 0
            << recordBytes("Two\r\nlines", {}, {}, "7") << QStringList();
        QTest::newRow("a ' before a formula, not before other text")
            << QByteArray("Name,Code\n'=1+1,'tis\n") << 0 << recordBytes("=1+1", "'tis")
            << QStringList();
        QTest::newRow("texts that cannot be stored")
            << QByteArray("Name,Price,Qty,Code\nGood,1,1,G\n,2,2,E\n\"Too\nlong\",12345678901,1,"
                          "X\nTeddy \xF0\x9F\xA7\xB8,1,1,T\nCaf\xE9,1,1,L\n")
            << 0 << QByteArray()
            << QStringList({"Line 3: the name is empty",
                            "Line 4: the price takes 11 bytes; at most 10 fit",
                            "Line 6: these characters cannot be stored: \U0001F9F8",
                            "Line 7: the name is not UTF-8 text (save the file as CSV UTF-8)"});
        QTest::newRow("quotes, NUL, too few and too many fields")
            << QByteArray("Name,Code\n\"A\"x,1\nB\0b,2\nC\nD,4,5\n\"E,5\nF,6\n", 40) << 0
            << QByteArray()
            << QStringList({"Line 2: text follows a closing quote (a quote inside a quoted "
                            "field is written twice)",
                            "Line 3: the name holds a NUL byte, which would cut it short",
                            "Line 4: the row has 1 field(s), the first line names 2 column(s)",
                            "Line 5: the row has 3 field(s), the first line names 2 column(s)",
                            "Line 6: the quote opened on line 6 is never closed"});
        QTest::newRow("unknown and twice-named columns, no Name")
            << QByteArray("Colour;price;Price\nred;1;1\n") << 0 << QByteArray()
            << QStringList({"Line 1: column 1, \"Colour\", is not one of Name, Price, Qty, Code",
                            "Line 1: the column Price is named twice",
                            "Line 1: the first line must name the columns, among them Name: "
                            "Name,Price,Qty,Code"});
        const QString past = "Line %1: the category would hold more than 999 items; the file "
                             "was read no further.";
        QTest::newRow("the 999th item is the last")
            << QByteArray("Name\nA\n\nB\nC\n") << 998 << QByteArray() << QStringList{past.arg(4)};
        QTest::newRow("40 MB") << "Name,Price,Qty,Code\n" +
                                      QByteArray("Row,1,1,C\n").repeated(4 << 20)
                               << 0 << QByteArray() << QStringList{past.arg(1001)};
    }
    void import()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, existing);
        QBuffer file(&csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const CsvImport read = importCsv(file, existing);
        QTEST(read.problems, "problems");
        QByteArray got;
        for (const ItemRecord& r : read.records)
            got += bytesOf(r);
        if (read.problems.isEmpty())
            QTEST(got, "records");
        QVERIFY2(file.pos() < 1 << 20, "read no further than needed");
    }

    // A device that fails is said to, not read as an empty file.
    void importNamesAReadFailure()
    {
        QFile memory("/proc/self/mem"); // its first page cannot be read (EIO)
        QVERIFY(memory.open(QIODevice::ReadOnly));
        const QStringList problems = importCsv(memory, 0).problems;
        QVERIFY2(problems.size() == 1 &&
                     problems[0].startsWith("The file could not be read to its end: "),
                 qPrintable(problems.join('|')));
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
