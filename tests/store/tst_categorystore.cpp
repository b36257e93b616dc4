#include "ReadOnlyDirectory.h"
#include "platform/TextConversion.h"
#include "store/CategoryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;

namespace {

// A record built byte by byte from the layout: name 0-59, code 60-69,
// price 70-79, qty 80-89.
ItemRecord recordOf(const QByteArray& name, const QByteArray& code, const QByteArray& price,
                    const QByteArray& qty, char filler = '\0')
{
    ItemRecord r;
    r.bytes.fill(filler);
    auto put = [&](int offset, int width, const QByteArray& text) {
        for (int i = 0; i < width; ++i)
            r.bytes[size_t(offset + i)] = i < text.size() ? text[i] : (i == text.size() ? '\0' : filler);
    };
    put(0, 60, name);
    put(60, 10, code);
    put(70, 10, price);
    put(80, 10, qty);
    return r;
}

QByteArray bytesOf(const ItemRecord& r)
{
    return QByteArray(r.bytes.data(), ItemRecord::Size);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestCategoryStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("WARELOOM_DATA_DIR", QFile::encodeName(m_dir.path() + QStringLiteral("/data")));
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
        QVERIFY(createDataDirectory());
    }

    void cleanup()
    {
        QDir(dataDirectory()).removeRecursively();
    }

    void dataDirectoryFollowsEnvironment()
    {
        QCOMPARE(dataDirectory(), m_dir.path() + QStringLiteral("/data"));
        QCOMPARE(categoryFilePath(QStringLiteral("Tools")), m_dir.path() + QStringLiteral("/data/Tools.dat"));
    }

    void listsOnlyCategoryFiles()
    {
        QVERIFY(listCategories().empty());
        writeFile(dataFilePath(QStringLiteral("Tools.DAT")), {});
        writeFile(dataFilePath(QStringLiteral("Books.dat")), {});
        writeFile(dataFilePath(QStringLiteral("inventory.htm")), {});
        writeFile(dataFilePath(QStringLiteral("FTPServer.ftp")), {});
        writeFile(dataFilePath(QStringLiteral("A1.jpg")), {});
        QVERIFY(QDir(dataDirectory()).mkdir(QStringLiteral("Folder.dat")));

        QStringList names;
        for (const FoundCategory& c : listCategories()) {
            QCOMPARE(c.name, c.fileName.chopped(4));
            names << c.name;
        }
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("Books"), QStringLiteral("Tools")}));
    }

    void countsWholeRecords_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("partial only") << 89 << 0;
        QTest::newRow("one") << 90 << 1;
        QTest::newRow("one and a partial") << 95 << 1;
        QTest::newRow("two and a partial") << 185 << 2;
    }

    void countsWholeRecords()
    {
        QFETCH(int, size);
        QFETCH(int, count);
        const QString path = categoryFilePath(QStringLiteral("C"));
        writeFile(path, QByteArray(size, 'x'));
        QCOMPARE(countItems(path), count);
        RecordTable table;
        QVERIFY(loadCategory(path, table).ok());
        QCOMPARE(table.recordCount, count);
    }

    void missingFileIsEmpty()
    {
        const QString path = categoryFilePath(QStringLiteral("Gone"));
        QCOMPARE(countItems(path), 0);
        RecordTable table;
        table.recordCount = 5;
        QVERIFY(loadCategory(path, table).ok());
        QCOMPARE(table.recordCount, 0);
    }

    void fieldsAtTheirOffsets()
    {
        ItemRecord r;
        r.bytes.fill('#');
        const QString name60(60, QLatin1Char('N'));
        storeFieldString(r, ItemField::Name, name60);
        storeFieldString(r, ItemField::Price, u"4.50");
        storeFieldString(r, ItemField::Code, u"ABCDEFGHIJ");
        storeFieldString(r, ItemField::Qty, u"3");
        QCOMPARE(bytesOf(r), bytesOf(recordOf(QByteArray(60, 'N'), "ABCDEFGHIJ", "4.50", "3", '#')));
        QCOMPARE(fieldString(r, ItemField::Name), name60);
        QCOMPARE(fieldString(r, ItemField::Code), QStringLiteral("ABCDEFGHIJ"));
        QCOMPARE(fieldString(r, ItemField::Price), QStringLiteral("4.50"));
        QCOMPARE(fieldString(r, ItemField::Qty), QStringLiteral("3"));
    }

    void writingOneFieldKeepsTheRest()
    {
        ItemRecord r = recordOf("Lamp shade", "A17", "19.99", "12");
        const QByteArray before = bytesOf(r);
        storeFieldString(r, ItemField::Price, u"9");
        QByteArray expected = before;
        expected[70] = '9';
        expected[71] = '\0';
        QCOMPARE(bytesOf(r), expected); // "9.99" remnant stays behind the NUL
        QCOMPARE(fieldString(r, ItemField::Price), QStringLiteral("9"));
    }

    void longTextsAreCutToTheField()
    {
        ItemRecord r = recordOf("n", "c", "p", "q");
        storeFieldString(r, ItemField::Code, u"ABCDEFGHIJKL");
        QCOMPARE(fieldString(r, ItemField::Code), QStringLiteral("ABCDEFGHIJ"));
        QCOMPARE(fieldString(r, ItemField::Price), QStringLiteral("p"));
    }

    void multiByteNameIsCutAtCharacterBoundary()
    {
        qputenv("WARELOOM_CODEPAGE", "CP932");
        resetConversionCodePage();
        ItemRecord r = recordOf("", "K9", "", "");
        storeFieldString(r, ItemField::Name, QStringLiteral("x") + QString(59, QChar(0x65E5)));
        QCOMPARE(fieldText(r, ItemField::Name).size(), 59); // x + 29 kanji; no half character
        QCOMPARE(fieldString(r, ItemField::Name), QStringLiteral("x") + QString(29, QChar(0x65E5)));
        QCOMPARE(fieldString(r, ItemField::Code), QStringLiteral("K9"));
    }

    void loadAndRewriteKeepBytes()
    {
        const QString path = categoryFilePath(QStringLiteral("Books"));
        const ItemRecord a = recordOf("First", "A1", "1", "1", '\x7f');
        const ItemRecord b = recordOf(QByteArray(60, 'B'), "0123456789", "2.00", "2");
        const ItemRecord c = recordOf("Third", "", "", "", '\xE9');
        writeFile(path, bytesOf(a) + bytesOf(b) + bytesOf(c));

        RecordTable table;
        QVERIFY(loadCategory(path, table).ok());
        QCOMPARE(table.recordCount, 3);
        QCOMPARE(fieldText(table.slots[2], ItemField::Name), QByteArrayView(QByteArray(60, 'B')));
        QCOMPARE(fieldText(table.slots[2], ItemField::Code), QByteArrayView("0123456789"));
        QCOMPARE(fieldText(table.slots[2], ItemField::Price), QByteArrayView("2.00"));

        QVERIFY(rewriteCategory(path, table).ok());
        QCOMPARE(readAll(path), bytesOf(a) + bytesOf(b) + bytesOf(c));

        QVERIFY(rewriteCategory(path, table, 1).ok());
        QCOMPARE(readAll(path), bytesOf(b) + bytesOf(c));
    }

    void appendPutsScratchLast()
    {
        const QString path = categoryFilePath(QStringLiteral("Tools"));
        const QByteArray three = bytesOf(recordOf("a", "", "", "")) + bytesOf(recordOf("b", "", "", ""))
                                 + bytesOf(recordOf("c", "", "", ""));
        writeFile(path, three);
        RecordTable table;
        table.scratch() = recordOf("Saw", "S1", "12.00", "4", '!');
        QVERIFY(appendScratchRecord(path, table).ok());
        const QByteArray after = readAll(path);
        QCOMPARE(after.size(), 360);
        QCOMPARE(after.left(270), three);
        QCOMPARE(after.mid(270), bytesOf(table.scratch()));
        QCOMPARE(table.recordCount, 4);
    }

    void appendRecreatesAMissingFile()
    {
        const QString path = categoryFilePath(QStringLiteral("Vanished"));
        RecordTable table;
        table.scratch() = recordOf("Only", "", "", "");
        QVERIFY(appendScratchRecord(path, table).ok());
        QCOMPARE(readAll(path), bytesOf(table.scratch()));
    }

    void categoryCapacityIsEnforced()
    {
        const QString path = categoryFilePath(QStringLiteral("Full"));
        const QByteArray full(RecordTable::MaxRecords * ItemRecord::Size, 'f');
        writeFile(path, full);
        RecordTable table;
        QVERIFY(loadCategory(path, table).ok());
        QCOMPARE(table.recordCount, RecordTable::MaxRecords);

        table.scratch() = recordOf("One more", "", "", "");
        const Status appended = appendScratchRecord(path, table);
        QVERIFY(!appended.ok());
        QVERIFY(!appended.message().isEmpty());
        QCOMPARE(readAll(path), full);

        writeFile(path, full + QByteArray(ItemRecord::Size, 'g'));
        const Status loaded = loadCategory(path, table);
        QVERIFY(!loaded.ok());
        QCOMPARE(table.recordCount, 0);
    }

    void failedRewriteLeavesOldFileWhole()
    {
        const QString path = categoryFilePath(QStringLiteral("Locked"));
        const QByteArray old = bytesOf(recordOf("Old", "O", "1", "1"));
        writeFile(path, old);
        RecordTable table;
        table.recordCount = 2;
        table.slots[1] = recordOf("New", "", "", "");
        table.slots[2] = recordOf("Newer", "", "", "");
        {
            test::ReadOnlyDirectory locked(dataDirectory());
            QVERIFY(locked.ok());
            const Status written = rewriteCategory(path, table);
            QVERIFY(!written.ok());
            QVERIFY(written.message().contains(QStringLiteral("Locked.dat")));
        }
        QCOMPARE(readAll(path), old);
    }

    void createCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("created");
        QTest::newRow("plain") << QStringLiteral("Garden") << true;
        QTest::newRow("spaces and ampersand") << QStringLiteral("Tools & Parts ") << true;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("dot") << QStringLiteral(".") << false;
        QTest::newRow("dot dot") << QStringLiteral("..") << false;
        QTest::newRow("parent escape") << QStringLiteral("../outside") << false;
        QTest::newRow("too long for the file system") << QString(300, QLatin1Char('x')) << false;
    }

    void createCategory()
    {
        QFETCH(QString, name);
        QFETCH(bool, created);
        const Status status = wareloom::createCategory(name);
        QCOMPARE(status.ok(), created);
        if (created) {
            QCOMPARE(QFileInfo(categoryFilePath(name)).size(), 0);
        } else {
            QVERIFY(!status.message().isEmpty());
            QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/outside.dat")));
        }
    }

    void createNeverEmptiesAnExistingCategory()
    {
        const QString path = categoryFilePath(QStringLiteral("Shoes"));
        const QByteArray items = bytesOf(recordOf("Boot", "B1", "50", "2"));
        writeFile(path, items);
        const Status status = wareloom::createCategory(QStringLiteral("Shoes"));
        QVERIFY(!status.ok());
        QVERIFY(status.message().contains(QStringLiteral("Shoes")));
        QCOMPARE(readAll(path), items);
    }

    void deleteCategory()
    {
        const QString path = categoryFilePath(QStringLiteral("Old"));
        writeFile(path, {});
        QVERIFY(wareloom::deleteCategory(path));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!wareloom::deleteCategory(path));
    }
};

QTEST_GUILESS_MAIN(TestCategoryStore)
#include "tst_categorystore.moc"
