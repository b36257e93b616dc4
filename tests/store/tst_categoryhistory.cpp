// Every change of a category file keeps the bytes before it, within bounds, and
// can be taken back and made again exactly; a deleted category comes back.
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/publish/HeadlessPublish.h"
#include "core/store/CategoryHistory.h"
#include "core/store/Inventory.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <functional>
#include <map>

using namespace wareloom;
using namespace wareloom::test;

namespace {

const QByteArray Seed = recordBytes("Hammer", "H1", "5", "1") + recordBytes("Saw", "A1", "12", "4");

QByteArray runWareloom(const QStringList& arguments, int* status = nullptr)
{
    QProcess program;
    program.start(QStringLiteral(WARELOOM_PROGRAM), arguments);
    const bool finished = program.waitForFinished(10000);
    if (status)
        *status = finished ? program.exitCode() : -1;
    return program.readAllStandardOutput() + program.readAllStandardError();
}

QByteArray newestVersion(const QString& directory, const QString& category, QString* action)
{
    const CategoryHistory history(directory);
    const std::vector<HistoryVersion> versions = history.versions(category);
    QByteArray bytes;
    if (versions.empty() || !history.read(category, versions.back().number, bytes))
        return "(none)";
    *action = versions.back().action;
    return bytes;
}

using Change = std::function<Status(Inventory&)>;

} // namespace

class TestCategoryHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeKeptAndTakenBack_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("action");
        QTest::newRow("add") << "add"
                             << "Tools"
                             << "Add Item 'Rake'";
        QTest::newRow("edit") << "edit"
                              << "Tools"
                              << "Edit Item 'Saw'";
        QTest::newRow("delete item") << "delete item"
                                     << "Tools"
                                     << "Delete Item 'Hammer'";
        QTest::newRow("import") << "import"
                                << "Tools"
                                << "Import into 'Tools'";
        QTest::newRow("delete category") << "delete category"
                                         << "Tools"
                                         << "Delete Category 'Tools'";
        QTest::newRow("restore") << "restore"
                                 << "Tools"
                                 << "Restore 'Tools' version 1";
        QTest::newRow("new category") << "new category"
                                      << "Garden"
                                      << "New Category 'Garden'";
    }
    void changeKeptAndTakenBack()
    {
        QFETCH(QString, change);
        QFETCH(QString, category);
        QFETCH(QString, action);
        const std::map<QString, Change> changes{
            {"add",
             [](Inventory& i) {
                 i.scratch() = recordOf(recordBytes("Rake", "R1"));
                 return i.appendScratch();
             }},
            {"edit",
             [](Inventory& i) {
                 return i.replaceItem(1, i.items()[1], recordOf(recordBytes("Saw", "B2", "13")));
             }},
            {"delete item", [](Inventory& i) { return i.removeItem(0, i.items()[0]); }},
            {"import",
             [](Inventory& i) { return i.appendItems("Tools", {recordOf(recordBytes("Rake"))}); }},
            {"delete category", [](Inventory& i) { return i.deleteOpenCategory(); }},
            {"restore",
             [](Inventory& i) {
                 if (Status removed = i.removeItem(1, i.items()[1]); !removed)
                     return removed;
                 return i.restoreVersion("Tools", 1);
             }},
            {"new category", [](Inventory& i) { return i.createCategory("Garden"); }},
        };
        TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", Seed));
        Inventory inventory(data.store());
        QVERIFY(inventory.openCategory(inventory.categories().at(0)));
        std::vector<CategoryChange> made;
        connect(&inventory, &Inventory::changed, this,
                [&made](const CategoryChange& c) { made.push_back(c); });
        const QString path = data.filePath(category + ".dat");

        const Status done = changes.at(change)(inventory);
        QVERIFY2(done, qPrintable(done.message()));
        QVERIFY(!made.empty());
        const CategoryChange last = made.back();
        QCOMPARE(last.action, action);
        if (last.before) { // what it replaced is the newest version
            QString kept;
            QCOMPARE(newestVersion(data.path(), category, &kept), *last.before);
            QCOMPARE(kept, last.action);
        }
        const auto file = [&path]() -> std::optional<QByteArray> {
            return QFile::exists(path) ? std::optional(readFile(path)) : std::nullopt;
        };
        QCOMPARE(file(), last.after);
        QVERIFY(inventory.applyChange(last, Inventory::Direction::Undo));
        QCOMPARE(file(), last.before);
        QVERIFY(inventory.applyChange(last, Inventory::Direction::Redo));
        QCOMPARE(file(), last.after);
    }

    void undoRefusedAfterOutsideChange()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", Seed));
        Inventory inventory(data.store());
        QVERIFY(inventory.openCategory(inventory.categories().at(0)));
        std::optional<CategoryChange> made;
        connect(&inventory, &Inventory::changed, this,
                [&made](const CategoryChange& c) { made = c; });
        QVERIFY(inventory.removeItem(0, inventory.items()[0]));
        QVERIFY(made);
        const QByteArray outside = recordBytes("Spade");
        QVERIFY(data.writeFile("Tools.dat", outside));
        const Status undone = inventory.applyChange(*made, Inventory::Direction::Undo);
        QCOMPARE(undone.message(), "Tools was changed by another program; it has been reloaded. "
                                   "Please make your change again.");
        QCOMPARE(readFile(data.filePath("Tools.dat")), outside);
        QCOMPARE(inventory.items().size(), size_t(1));
    }

    void bounded_data()
    {
        QTest::addColumn<int>("categories");
        QTest::addColumn<int>("keeps");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("left"); // versions left in all
        // Version 101 of one category pushes out its first.
        QTest::newRow("100 versions") << 1 << 101 << 90 << 100;
        // 1 MiB versions in 51 categories: the 51st pushes out the oldest of all.
        QTest::newRow("50 MB") << 51 << 1 << 1024 * 1024 - 64 << 50;
    }
    void bounded()
    {
        QFETCH(int, categories);
        QFETCH(int, keeps);
        QFETCH(int, size);
        QFETCH(int, left);
        TempDataDirectory data;
        CategoryHistory history(data.path());
        for (int c = 0; c < categories; ++c) {
            for (int k = 1; k <= keeps; ++k)
                QVERIFY(history.keep(QString::number(c), QByteArray(size, char('0' + k % 10)),
                                     QStringLiteral("Edit %1").arg(k)));
        }
        int total = 0;
        qint64 bytes = 0;
        for (int c = 0; c < categories; ++c) {
            for (const HistoryVersion& version : history.versions(QString::number(c))) {
                ++total;
                bytes += version.fileSize;
            }
        }
        QCOMPARE(total, left);
        QVERIFY(bytes <= 50 * 1024 * 1024);
        const std::vector<HistoryVersion> last = history.versions(QString::number(categories - 1));
        QCOMPARE(last.back().number, keeps);
        QCOMPARE(last.back().action, QStringLiteral("Edit %1").arg(keeps));
        // The oldest went first.
        if (categories == 1)
            QCOMPARE(history.versions("0").front().number, 2);
        else
            QVERIFY(history.versions("0").empty());
    }

    // Deleted, it is in no listing and no page, and the command line brings it back.
    void deletedCategoryRestored()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", Seed));
        QVERIFY(data.writeFile("Books.dat", recordBytes("Atlas")));
        {
            Inventory inventory(data.store());
            QVERIFY(inventory.openCategory(
                inventory.categories().at(inventory.categories().at(0).name == "Tools" ? 0 : 1)));
            QVERIFY(inventory.deleteOpenCategory());
        }
        QCOMPARE(CategoryHistory(data.path()).deletedCategories(), QStringList{"Tools"});
        QCOMPARE(listCategories(data.path()).size(), size_t(1));
        QCOMPARE(runHeadlessPublish(data.store(), true), 0);
        QVERIFY(!readFile(data.filePath("inventory.htm")).contains("Tools"));
        QDirIterator pages(data.filePath(".history"), {"*.htm"}, QDir::Files,
                           QDirIterator::Subdirectories);
        QVERIFY(!pages.hasNext());

        int status = -1;
        const QByteArray listed = runWareloom({"-History", "Tools"}, &status);
        QCOMPARE(status, 0);
        QVERIFY2(QRegularExpression("\n +1  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d +2  "
                                    "Delete Category 'Tools'\n$")
                     .match(QString::fromUtf8(listed))
                     .hasMatch(),
                 listed);
        runWareloom({"-Restore", "Tools", "1"}, &status);
        QCOMPARE(status, 0);
        QCOMPARE(readFile(data.filePath("Tools.dat")), Seed);
        QVERIFY(CategoryHistory(data.path()).deletedCategories().isEmpty());
        runWareloom({"-Restore", "Tools", "7"}, &status);
        QCOMPARE(status, 1);
    }

    // -Import keeps what it appends to, as the window does.
    void importKept()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", Seed));
        QVERIFY(data.writeFile("in.csv", "Name,Price,Qty,Code\r\nRake,9,2,R1\r\n"));
        int status = -1;
        runWareloom({"-Import", "Tools", data.filePath("in.csv")}, &status);
        QCOMPARE(status, 0);
        QString action;
        QCOMPARE(newestVersion(data.path(), "Tools", &action), Seed);
        QCOMPARE(action, "Import into 'Tools'");
    }
};

QTEST_GUILESS_MAIN(TestCategoryHistory)
#include "tst_categoryhistory.moc"
