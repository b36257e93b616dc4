#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CsvFile.h"
#include "core/util/TextConversion.h"

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

    // Written by the rules: BOM, header, CRLF, quotes only where needed.
    void exportsSpreadsheetText()
    {
        const QByteArray csv = exportCsv({recordOf(recordBytes("Mug", "M1", "4.50", "3", '#')),
                                          recordOf(recordBytes("Caf\xE9, \"cr\xE8me\"", "C;2"))});
        QCOMPARE(csv, QByteArray("\xEF\xBB\xBFName,Price,Qty,Code\r\nMug,4.50,3,M1\r\n"
                                 "\"Caf\xC3\xA9, \"\"cr\xC3\xA8me\"\"\",,,\"C;2\"\r\n"));
    }

    void importReadsWhatSpreadsheetsWrite_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("records");
        QTest::newRow("semicolons, a BOM, columns in another order")
            << QByteArray("\xEF\xBB\xBFName;Code;Price\nRake;R1;12,50\n\"Hoe; long\";;\n\n")
            << recordBytes("Rake", "R1", "12,50") + recordBytes("Hoe; long");
        QTest::newRow("a line break inside quotes, no BOM, CRLF")
            << QByteArray("name,qty\r\n\"Two\r\nlines\",7\r\n")
            << recordBytes("Two\r\nlines", {}, {}, "7");
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
    void badRowsAreAllNamed()
    {
        const CsvImport read = importCsv("Name,Price,Qty,Code\nGood,1,1,G\n,2,2,E\n\"Too\nlong\","
                                         "12345678901,1,X\nTeddy \xF0\x9F\xA7\xB8,1,1,T\n",
                                         998);
        QCOMPARE(read.problems,
                 QStringList({"Line 3: the name is empty",
                              "Line 4: the price takes 11 bytes; at most 10 fit",
                              "Line 6: these characters cannot be stored: \U0001F9F8"}));
        QCOMPARE(importCsv("Name\nA\nB\n", 998).problems,
                 QStringList{"The category would hold 1000 items; at most 999 fit."});
        QCOMPARE(importCsv("Price,Qty\n1,2\n", 0).problems.size(), 1);
    }

    // Out through the program and back in: the same bytes; one bad row changes nothing.
    void exportThenImportThroughTheProgram()
    {
        TempDataDirectory data;
        const QByteArray kitchen = recordBytes("Caf\xE9, \"cr\xE8me\"", "C1", "5\x80", "\xBD") +
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
