#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/util/TextConversion.h"

#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace wareloom;
using namespace wareloom::test;

Q_DECLARE_METATYPE(wareloom::ItemField)

class TestCategoryStore : public QObject
{
    Q_OBJECT

    std::optional<TempDataDirectory> m_data;

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        setConversionCodePage("CP932"); // double-byte: fields are cut at characters
    }

    // Only regular files ending in .dat, in any case; a partial record does not count.
    void listsAndCountsCategories()
    {
        const std::pair<const char*, int> files[] = {
            {"Tools.DAT", 90}, {"Books.dat", 185}, {"inventory.htm", 90}, {"A1.jpg", 90}};
        for (const auto& [name, size] : files)
            QVERIFY(m_data->writeFile(name, QByteArray(size, 'x')));
        QVERIFY(QDir(m_data->path()).mkdir("Folder.dat"));
        QStringList found;
        for (const FoundCategory& c :
             listCategories(m_data->path())) { // fileName: as found, or none loads
            const QString path = m_data->filePath(c.fileName);
            ItemRecords records(5);
            QVERIFY(loadCategory(path, records).ok());
            found << QString("%1 %2 %3").arg(c.name).arg(countItems(path)).arg(records.size());
        }
        found.sort();
        QCOMPARE(found, QStringList({"Books 2 2", "Tools 1 1"}));
        const QString missing = m_data->store().categoryFilePath("Missing");
        ItemRecords records(5);
        QVERIFY(loadCategory(missing, records).ok() && records.empty() && countItems(missing) == 0);
    }

    // stored: the field's bytes after; a shorter text ends in one NUL before the old bytes.
    void storesFieldInPlace_data()
    {
        QTest::addColumn<ItemField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("code cut to its field")
            << ItemField::Code << "ABCDEFGHIJKL" << QByteArray("ABCDEFGHIJ") << "ABCDEFGHIJ";
        QTest::newRow("shorter price")
            << ItemField::Price << "9" << QByteArray("9\0.99\0####", 10) << "9";
        QTest::newRow("double-byte name cut at a character")
            << ItemField::Name << "x" + QString(59, QChar(0x65E5))
            << QByteArray("x") + QByteArray("\x93\xFA").repeated(29) + '\0'
            << "x" + QString(29, QChar(0x65E5));
    }
    void storesFieldInPlace()
    {
        QFETCH(ItemField, field);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        const QByteArray before = recordBytes("Lamp shade", "A17", "19.99", "12", '#');
        ItemRecord r = recordOf(before);
        storeFieldString(r, field, text);
        QCOMPARE(bytesOf(r),
                 QByteArray(before).replace(fieldLayout(field).offset, stored.size(), stored));
        QTEST(fieldString(r, field), "readBack");
    }

    // Through the model: add after what the file holds now, edit and delete
    // in place, and never over a file another program changed.
    void inventoryEdits()
    {
        const QString path = m_data->store().categoryFilePath("Tools");
        const QByteArray a = recordBytes("Axe", "A1", "1", "1", '\x7f');
        const QByteArray b = recordBytes("Bit", "B1", "2", "2");
        QVERIFY(writeFile(path, a));
        Inventory inventory(m_data->store());
        QVERIFY(inventory.openCategory(inventory.categories().at(0)).ok());
        QVERIFY(writeFile(path, a + b)); // behind the model's back: appending still goes last
        inventory.scratch() = recordOf(recordBytes("Saw", "S1", "12.00", "4", '!'));
        QVERIFY(inventory.appendScratch().ok());
        const QByteArray saw = bytesOf(inventory.scratch());
        QCOMPARE(readFile(path), a + b + saw);
        QCOMPARE(inventory.totalItemCount(), 3);
        const ItemRecord edited = recordOf(recordBytes("Bit set", "B1", "3", "2"));
        QVERIFY(inventory.replaceItem(1, inventory.items().at(1), edited).ok());
        QCOMPARE(readFile(path), a + bytesOf(edited) + saw);
        QVERIFY(writeFile(path, a + saw)); // another program deleted the edited item
        QCOMPARE(inventory.removeItem(1, edited).message(),
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
        Inventory inventory(m_data->store());
        QSignalSpy categories(&inventory, &Inventory::categoriesChanged);
        QVERIFY(writeFile(m_data->store().categoryFilePath("Garden"), recordBytes("Rake")));
        QTRY_VERIFY_WITH_TIMEOUT(!categories.isEmpty(), 1000);
        QCOMPARE(inventory.categories().at(0).name, QStringLiteral("Garden"));
        QVERIFY(inventory.openCategory(inventory.categories().at(0)).ok());
        QSignalSpy items(&inventory, &Inventory::itemsChanged);
        QVERIFY(writeFile(m_data->store().categoryFilePath("Garden"),
                          recordBytes("Rake") + recordBytes("Hoe")));
        QTRY_COMPARE_WITH_TIMEOUT(inventory.items().size(), size_t(2), 1000);
        QVERIFY(!items.isEmpty());
    }

    // A clash, a way out of the data directory, no file name: refused, nothing changes.
    void createCategoryRefuses_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& n :
             QStringList{"Shoes", "a\\b", ".", "..", "../outside", QString(300, 'x')})
            QTest::newRow(qPrintable(n.left(12))) << n;
    }
    void createCategoryRefuses()
    {
        QFETCH(QString, name);
        const QByteArray shoes = recordBytes("Boot", "B1", "50", "2");
        QVERIFY(writeFile(m_data->store().categoryFilePath("Shoes"), shoes));
        const Status status = createCategory(name, m_data->path());
        QVERIFY(!status.ok() && !status.message().isEmpty());
        QCOMPARE(
            QDir(m_data->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Shoes.dat"});
        QCOMPARE(readFile(m_data->store().categoryFilePath("Shoes")), shoes);
        QVERIFY(!QFile::exists(m_data->path() + "/../outside.dat"));
    }
};

QTEST_GUILESS_MAIN(TestCategoryStore)
#include "tst_categorystore.moc"
