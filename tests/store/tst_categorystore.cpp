#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/util/TextConversion.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace wareloom;
using test::bytesOf;
using test::readFile;
using test::recordBytes;
using test::recordOf;
using test::writeFile;

Q_DECLARE_METATYPE(wareloom::ItemField)

namespace {} // namespace

class TestCategoryStore : public QObject
{
    Q_OBJECT

    std::optional<test::TempDataDirectory> m_data;

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    void listsOnlyCategoryFiles()
    {
        QVERIFY(listCategories().empty());
        for (const char* name :
             {"Tools.DAT", "Books.dat", "inventory.htm", "FTPServer.ftp", "A1.jpg"})
            QVERIFY(m_data->writeFile(QLatin1String(name), {}));
        QVERIFY(QDir(dataDirectory()).mkdir(QStringLiteral("Folder.dat")));
        QStringList names;
        for (const FoundCategory& c : listCategories()) {
            QCOMPARE(c.name, c.fileName.chopped(4));
            names << c.name;
        }
        names.sort();
        QCOMPARE(names, QStringList({"Books", "Tools"}));
    }

    void countsWholeRecords_data()
    {
        QTest::addColumn<int>("size"); // -1: no file
        QTest::addColumn<int>("count");
        QTest::newRow("missing") << -1 << 0;
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
        if (size >= 0)
            QVERIFY(writeFile(path, QByteArray(size, 'x')));
        QCOMPARE(countItems(path), count);
        ItemRecords records(5);
        QVERIFY(loadCategory(path, records).ok());
        QCOMPARE(int(records.size()), count);
    }

    // stored: the field's bytes afterwards; a shorter text is followed by one
    // NUL and the old bytes behind it stay.
    void storesFieldInPlace_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<ItemField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        const QByteArray w = "CP1252";
        QTest::newRow("60-character name")
            << w << ItemField::Name << QString(60, 'N') << QByteArray(60, 'N') << QString(60, 'N');
        QTest::newRow("10-character code")
            << w << ItemField::Code << "ABCDEFGHIJ" << QByteArray("ABCDEFGHIJ") << "ABCDEFGHIJ";
        QTest::newRow("code cut to its field")
            << w << ItemField::Code << "ABCDEFGHIJKL" << QByteArray("ABCDEFGHIJ") << "ABCDEFGHIJ";
        QTest::newRow("shorter price")
            << w << ItemField::Price << "9" << QByteArray("9\0.99\0####", 10) << "9";
        QTest::newRow("qty in the code page")
            << w << ItemField::Qty << "\u00E9" << QByteArray("\xE9\0\0#######", 10) << "\u00E9";
        QTest::newRow("multi-byte name cut at a character")
            << QByteArray("CP932") << ItemField::Name << "x" + QString(59, QChar(0x65E5))
            << QByteArray("x") + QByteArray("\x93\xFA").repeated(29) + '\0'
            << "x" + QString(29, QChar(0x65E5));
    }
    void storesFieldInPlace()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(ItemField, field);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        qputenv("WARELOOM_CODEPAGE", codePage);
        resetConversionCodePage();
        const QByteArray before = recordBytes("Lamp shade", "A17", "19.99", "12", '#');
        ItemRecord r = recordOf(before);
        storeFieldString(r, field, text);
        const FieldLayout at = fieldLayout(field);
        QCOMPARE(bytesOf(r), QByteArray(before).replace(at.offset, stored.size(), stored));
        QCOMPARE(fieldString(r, field), readBack);
    }

    // Through the model: add after what the file holds now, edit and delete
    // in place, and never over a file another program changed.
    void inventoryEdits()
    {
        const QString path = categoryFilePath(QStringLiteral("Tools"));
        const QByteArray a = recordBytes("Axe", "A1", "1", "1", '\x7f');
        const QByteArray b = recordBytes("Bit", "B1", "2", "2");
        QVERIFY(writeFile(path, a));
        Inventory inventory(dataDirectory());
        QCOMPARE(inventory.totalItemCount(), 1);
        QVERIFY(inventory.openCategory(inventory.categories().at(0)).ok());
        QVERIFY(writeFile(path, a + b)); // behind the model's back: appending still goes last
        inventory.scratch() = recordOf(recordBytes("Saw", "S1", "12.00", "4", '!'));
        QVERIFY(inventory.appendScratch().ok());
        const QByteArray saw = bytesOf(inventory.scratch());
        QCOMPARE(readFile(path), a + b + saw);
        QCOMPARE(inventory.items().size(), size_t(3));
        QCOMPARE(inventory.totalItemCount(), 3);

        const ItemRecord shown = inventory.items().at(1);
        const ItemRecord edited = recordOf(recordBytes("Bit set", "B1", "3", "2"));
        QVERIFY(inventory.replaceItem(1, shown, edited).ok());
        QCOMPARE(readFile(path), a + bytesOf(edited) + saw);

        QVERIFY(writeFile(path, a + saw)); // another program deleted the edited item
        const Status refused = inventory.removeItem(1, edited);
        QVERIFY(!refused.ok());
        QCOMPARE(refused.message(),
                 QStringLiteral("Tools was changed by another program; it has "
                                "been reloaded. Please make your change again."));
        QCOMPARE(readFile(path), a + saw);
        QCOMPARE(inventory.items().size(), size_t(2));
        QVERIFY(inventory.removeItem(0, inventory.items().at(0)).ok());
        QCOMPARE(readFile(path), saw);
    }

    // Another program's change shows without anyone asking.
    void inventoryFollowsTheDirectory()
    {
        Inventory inventory(dataDirectory());
        QSignalSpy categories(&inventory, &Inventory::categoriesChanged);
        QVERIFY(writeFile(categoryFilePath(QStringLiteral("Garden")), recordBytes("Rake")));
        QTRY_VERIFY_WITH_TIMEOUT(!categories.isEmpty(), 1000);
        QCOMPARE(inventory.categories().at(0).name, QStringLiteral("Garden"));
        QVERIFY(inventory.openCategory(inventory.categories().at(0)).ok());
        QSignalSpy items(&inventory, &Inventory::itemsChanged);
        QVERIFY(writeFile(categoryFilePath(QStringLiteral("Garden")),
                          recordBytes("Rake") + recordBytes("Hoe")));
        QTRY_COMPARE_WITH_TIMEOUT(inventory.items().size(), size_t(2), 1000);
        QVERIFY(!items.isEmpty());
    }

    void categoryCapacityIsEnforced()
    {
        const QString path = categoryFilePath(QStringLiteral("Full"));
        const QByteArray full(MaxItems * ItemRecord::Size, 'f');
        QVERIFY(writeFile(path, full));
        Inventory inventory(dataDirectory());
        QVERIFY(inventory.openCategory(inventory.categories().at(0)).ok());
        QCOMPARE(inventory.items().size(), size_t(MaxItems));
        inventory.scratch() = recordOf(recordBytes("One more"));
        const Status appended = inventory.appendScratch();
        QVERIFY(!appended.ok());
        QVERIFY(appended.message().contains(QStringLiteral("999")));
        QCOMPARE(readFile(path), full);

        QVERIFY(writeFile(path, full + QByteArray(ItemRecord::Size, 'g')));
        ItemRecords records(1);
        QVERIFY(!loadCategory(path, records).ok());
        QVERIFY(records.empty());
    }

    void createCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("created");
        QTest::newRow("plain") << "Garden" << true;
        QTest::newRow("spaces and ampersand") << "Tools & Parts " << true;
        QTest::newRow("clash") << "Shoes" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("parent escape") << "../outside" << false;
        QTest::newRow("the main page's name") << "Inventory" << false;
        QTest::newRow("too long for the file system") << QString(300, 'x') << false;
    }
    void createCategory()
    {
        QFETCH(QString, name);
        QFETCH(bool, created);
        const QByteArray shoes = recordBytes("Boot", "B1", "50", "2");
        QVERIFY(writeFile(categoryFilePath(QStringLiteral("Shoes")), shoes));
        const Status status = wareloom::createCategory(name);
        QCOMPARE(status.ok(), created);
        if (created)
            QCOMPARE(QFileInfo(categoryFilePath(name)).size(), 0);
        else
            QVERIFY(!status.message().isEmpty());
        if (name == u"Shoes")
            QVERIFY(status.message().contains(name));
        QCOMPARE(readFile(categoryFilePath(QStringLiteral("Shoes"))), shoes);
        QVERIFY(!QFile::exists(m_data->path() + QStringLiteral("/../outside.dat")));
    }
};

QTEST_GUILESS_MAIN(TestCategoryStore)
#include "tst_categorystore.moc"
