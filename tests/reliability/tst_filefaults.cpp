#include "FileSizeLimit.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TrapFifo.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryLock.h"
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/transfer/FtpSettings.h"
#include "core/util/AtomicFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using namespace wareloom;
using namespace wareloom::test;

class TestFileFaults : public QObject
{
    Q_OBJECT

    enum class Fault { FullDisk, DiskFillsMidFile, ReadOnlyDirectory, DirectoryInPlace };

    // Every byte value, longer than one read.
    static QByteArray chosenPicture()
    {
        QByteArray bytes;
        for (int i = 0; i < 200 * 1024; ++i)
            bytes += char((i * 7 + i / 256) & 0xff);
        return bytes;
    }

    static QStringList entries(const QString& dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                   QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    // Every writer against a full disk, one filling mid-file, a read-only one, or a directory
    // in the file's place: the failure names the file, which stays whole; nothing is left.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<std::function<Status(const DataDirectory&)>>("write");
        QTest::addColumn<Fault>("fault");
        const std::tuple<const char*, const char*, std::function<Status(const DataDirectory&)>>
            writers[] = {
                {"save category", "Tools.dat",
                 [](const DataDirectory& store) {
                     return writeCategory(store.categoryFilePath("Tools"), ItemRecords(3),
                                          "Edit Item");
                 }},
                {"save settings", "FTPServer.ftp",
                 [](const DataDirectory& store) {
                     FtpSettings settings(store);
                     (void)settings
                         .load(); // fails when a directory is in its place; so must the save
                     settings.setText(SettingsField::UserName, u"new user");
                     return settings.save();
                 }},
                {"write pages", "Tools.htm",
                 [](const DataDirectory& store) {
                     for (const PageOutcome& page : writeSite(store, 1))
                         if (page.pageFileName == "Tools.htm")
                             return page.written;
                     return Status::failure("no page was made for Tools");
                 }},
                {"copy a picture from outside", "A1.jpg", [](const DataDirectory& store) {
                     return copyFileAtomically(store.filePath("../chosen.jpg"),
                                               store.filePath("A1.jpg"));
                 }}};
        const char* faults[] = {"full disk", "disk fills mid-file", "read-only data directory",
                                "a directory in place of the file"}; // as Fault counts
        for (const auto& [name, target, write] : writers)
            for (int f = 0; f < 4; ++f)
                QTest::addRow("%s, %s", name, faults[f]) << QString(target) << write << Fault(f);
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, target);
        QFETCH(std::function<Status(const DataDirectory&)>, write);
        QFETCH(Fault, fault);
        TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", QByteArray(90, 'a') + QByteArray(90, 'b')));
        QVERIFY(data.writeFile("FTPServer.ftp", QByteArray(SettingsRecordSize, 'u')));
        QVERIFY(data.writeFile("Tools.htm", "<html>the old page</html>"));
        QVERIFY(data.writeFile("A1.jpg", "the old picture"));
        QVERIFY(data.writeFile("../chosen.jpg", chosenPicture()));
        const QString path = data.filePath(target);
        QByteArray old = readFile(path);
        if (fault == Fault::DirectoryInPlace)
            QVERIFY(QFile::remove(path) && QDir().mkpath(path) &&
                    writeFile(path + "/keep", old = "kept"));
        const QStringList before = entries(data.path());
        std::optional<ReadOnlyDirectory> locked;
        std::optional<FileSizeLimit> limit;
        if (fault == Fault::ReadOnlyDirectory
                ? !locked.emplace(data.path()).ok()
                : fault != Fault::DirectoryInPlace &&
                      !limit.emplace(fault == Fault::FullDisk ? 0 : 100).ok())
            QSKIP("this machine cannot make that fault");
        const Status written = write(data.store());
        locked.reset(), limit.reset();
        QVERIFY2(!written.ok() && written.message().contains(path), qPrintable(written.message()));
        QCOMPARE(readFile(fault == Fault::DirectoryInPlace ? path + "/keep" : path), old);
        QStringList after = entries(data.path());
        after.removeAll(target == "Tools.htm" ? MainPageFileName : QString()); // may be new
        QCOMPARE(after, before);
    }

    // A picture copied into the data directory whole: over a longer file, then onto itself.
    void copiesPictureWhole()
    {
        TempDataDirectory data;
        QVERIFY(data.writeFile("../chosen.jpg", chosenPicture()) &&
                data.writeFile("A1.jpg", QByteArray(300 * 1024, 'x')));
        for (const char* source : {"../chosen.jpg", "A1.jpg"}) {
            QVERIFY(copyFileAtomically(data.filePath(source), data.filePath("A1.jpg")).ok());
            QCOMPARE(readFile(data.filePath("A1.jpg")), chosenPicture());
        }
        QCOMPARE(entries(data.path()), QStringList{"A1.jpg"});
    }

    // A directory or a FIFO in a file's place: readers fail, never waiting, and
    // nothing is written over it.
    void notARegularFile()
    {
        for (bool fifo : {false, true}) {
            TempDataDirectory data;
            std::optional<TrapFifo> tools, settings;
            for (auto [trap, name] : {std::pair{&tools, "Tools.dat"}, {&settings, "FTPServer.ftp"}})
                QVERIFY(fifo ? trap->emplace(data.filePath(name)).ok()
                             : QDir().mkpath(data.filePath(name)));
            ItemRecords records(5);
            const Status loaded = loadCategory(data.store().categoryFilePath("Tools"), records);
            QVERIFY(!loaded.ok() && !loaded.isMissing() && records.empty());
            QCOMPARE(countItems(data.store().categoryFilePath("Tools")), 0);
            if (fifo) {
                const CreatedPages pages = writeSite(data.store(), 1);
                QVERIFY(pages.size() == 2 && pages.front().written && !pages.back().written);
                QVERIFY(FtpSettings(data.store())
                            .loadOrCreate()
                            .message()
                            .contains("not a regular file"));
                Inventory inventory(data.store());
                QVERIFY(!inventory.openCategory({"Tools.dat", "Tools", 0}).ok());
                inventory.scratch().bytes.fill('n');
                QVERIFY(!inventory.appendScratch().ok());
                QVERIFY(!QFileInfo(data.filePath("Tools.dat")).isFile());
            } else
                QVERIFY(!createCategory("Tools", data.path()).ok() &&
                        QFileInfo(data.filePath("Tools.dat")).isDir());
            QVERIFY2(!fifo || !(tools->caughtReader() || settings->caughtReader()),
                     "the program waited on a FIFO");
        }
    }

    // A category file that is there but cannot be read (a link to itself:
    // root fails on it too) is said to be so and never written over, neither
    // by Add Item through the model nor by -Import.
    void unreadableCategoryIsKept_data()
    {
        QTest::addColumn<bool>("import");
        QTest::newRow("Add Item") << false;
        QTest::newRow("-Import") << true;
    }
    void unreadableCategoryIsKept()
    {
        QFETCH(bool, import);
        TempDataDirectory data;
        const QString path = data.filePath("Tools.dat");
        QVERIFY(QFile::link("Tools.dat", path));
        QString said;
        if (import) {
            QProcess program;
            program.start(QStringLiteral(WARELOOM_PROGRAM), {"-Import", "Tools", "-"});
            program.write("Name\nSaw\n");
            program.closeWriteChannel();
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitCode(), 1);
            said = QString::fromLocal8Bit(program.readAllStandardError());
        } else {
            Inventory inventory(data.store());
            QCOMPARE(inventory.categories().size(), size_t(1));
            const Status opened = inventory.openCategory(inventory.categories()[0]);
            QVERIFY(!opened.ok() && !opened.isMissing());
            inventory.scratch().bytes.fill('n');
            const Status added = inventory.appendScratch();
            QVERIFY(!added.ok());
            said = added.message();
        }
        QVERIFY2(said.contains(path + " cannot be read"), qPrintable(said));
        QCOMPARE(QFileInfo(path).symLinkTarget(), path);
    }

    // Imports at once into one category, each reading and writing the whole
    // file: none may write over what another added.
    void concurrentImportsKeepEveryRow()
    {
        TempDataDirectory data;
        ItemRecords first(1);
        setFieldText(first[0], ItemField::Name, "first");
        QVERIFY(appendRecords(data.store().categoryFilePath("Tools"), first, "Import").ok());
        std::vector<std::unique_ptr<QProcess>> imports;
        QStringList expected{"first"};
        for (int p = 0; p < 20; ++p) {
            QByteArray csv = "Name\n";
            for (int row = 0; row < 10; ++row) {
                expected << QStringLiteral("p%1r%2").arg(p).arg(row);
                csv += expected.last().toLatin1() + '\n';
            }
            auto& program = imports.emplace_back(std::make_unique<QProcess>());
            program->start(QStringLiteral(WARELOOM_PROGRAM), {"-Import", "Tools", "-"});
            program->setProperty("csv", csv);
        }
        // All started and waiting on their input first, so that they write at
        // once; held back by a writer of ours until all have read their rows.
        auto held = std::make_unique<CategoryLock>(data.store().path());
        QVERIFY(held->acquire().ok());
        for (auto& program : imports) {
            program->write(program->property("csv").toByteArray());
            program->closeWriteChannel();
        }
        QVERIFY(!imports.back()->waitForFinished(1000));
        QCOMPARE(QFileInfo(data.store().categoryFilePath("Tools")).size(), 90);
        held.reset();
        for (auto& program : imports) {
            QVERIFY(program->waitForFinished(60000));
            QCOMPARE(program->exitCode(), 0);
            QCOMPARE(program->readAllStandardOutput(), "10 items imported into Tools.\n");
        }
        ItemRecords stored;
        QVERIFY(loadCategory(data.store().categoryFilePath("Tools"), stored).ok());
        QStringList names;
        for (const ItemRecord& record : stored)
            names << fieldString(record, ItemField::Name);
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
    }
};

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
