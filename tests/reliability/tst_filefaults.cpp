#include "FileSizeLimit.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TrapFifo.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/transfer/FtpSettings.h"
#include "core/util/AtomicFile.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace wareloom;
using Check = std::function<bool()>;

namespace {

enum class Fault { FullDisk, DiskFillsMidFile, ReadOnlyDirectory, DirectoryInPlace };

// Each writer as the program runs it; the failure, if any, of its target.
Status saveCategory()
{
    ItemRecords records;
    const QString tools = categoryFilePath("Tools");
    if (Status loaded = loadCategory(tools, records); !loaded)
        return loaded;
    records.emplace_back().bytes.fill('n');
    return writeCategory(tools, records);
}
Status saveSettingsFile()
{
    FtpSettings settings;
    (void)settings.load(); // fails when a directory is in its place; the save must fail too
    settings.setText(SettingsField::UserName, u"new user");
    return settings.save();
}
Status writePages()
{
    for (const PageOutcome& page : CreateHTML(1))
        if (page.pageFileName == "Tools.htm")
            return page.ok() ? Status::success() : Status::failure(page.failure);
    return Status::failure("no page was made for Tools");
}
Status copyPicture() // the picture the user chose lies outside the data directory
{
    return copyFileAtomically(dataFilePath("../chosen.jpg"), dataFilePath("A1.jpg"));
}

// The fault for the object's lifetime; null when this machine cannot make it.
std::shared_ptr<void> makeFault(Fault fault, const QString& directory)
{
    if (fault == Fault::DirectoryInPlace) // made before the writer runs
        return std::make_shared<int>(0);
    if (fault == Fault::ReadOnlyDirectory) {
        auto locked = std::make_shared<test::ReadOnlyDirectory>(directory);
        return locked->ok() ? locked : nullptr;
    }
    auto limit = std::make_shared<test::FileSizeLimit>(fault == Fault::FullDisk ? 0 : 100);
    return limit->ok() ? limit : nullptr;
}

// Every byte value, longer than one read.
QByteArray chosenPicture()
{
    QByteArray bytes;
    for (int i = 0; i < 200 * 1024; ++i)
        bytes += char((i * 7 + i / 256) & 0xff);
    return bytes;
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every writer of the store, the settings and the pages against a disk
    // that is full, fills up mid-file, refuses writes, or holds a directory
    // where the file should be: the failure names the file, the old file
    // stays whole and nothing is left behind.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<std::function<Status()>>("write");
        QTest::addColumn<Fault>("fault");
        const std::tuple<const char*, const char*, Status (*)()> writers[] = {
            {"save category", "Tools.dat", saveCategory},
            {"save settings", "FTPServer.ftp", saveSettingsFile},
            {"write pages", "Tools.htm", writePages},
            {"copy picture", "A1.jpg", copyPicture}};
        const std::pair<Fault, const char*> faults[] = {
            {Fault::FullDisk, "full disk"},
            {Fault::DiskFillsMidFile, "disk fills mid-file"},
            {Fault::ReadOnlyDirectory, "read-only data directory"},
            {Fault::DirectoryInPlace, "a directory in place of the file"}};
        for (const auto& [writerName, target, write] : writers)
            for (const auto& [fault, faultName] : faults)
                QTest::addRow("%s, %s", writerName, faultName)
                    << QString(target) << std::function<Status()>(write) << fault;
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, target);
        QFETCH(std::function<Status()>, write);
        QFETCH(Fault, fault);
        test::TempDataDirectory data;
        QVERIFY(data.writeFile("Tools.dat", QByteArray(90, 'a') + QByteArray(90, 'b')));
        QVERIFY(
            data.writeFile("FTPServer.ftp", "old user" + QByteArray(SettingsRecordSize - 8, 0)));
        QVERIFY(data.writeFile("Tools.htm", "<html>the old page</html>"));
        QVERIFY(data.writeFile("A1.jpg", "the old picture"));
        QVERIFY(data.writeFile("../chosen.jpg", chosenPicture()));
        const QString path = data.filePath(target);
        QByteArray old = test::readFile(path);
        if (fault == Fault::DirectoryInPlace) {
            QVERIFY(QFile::remove(path) && QDir().mkpath(path));
            QVERIFY(test::writeFile(path + "/keep", old = "kept"));
        }
        const QStringList before = entries(data.path());

        Status written = Status::success();
        {
            const auto inPlace = makeFault(fault, data.path());
            if (!inPlace)
                QSKIP("this machine cannot make that fault");
            written = write();
        }

        QVERIFY2(!written.ok(), "a failed write was reported as success");
        QVERIFY2(written.message().contains(path), qPrintable(written.message()));
        QCOMPARE(test::readFile(fault == Fault::DirectoryInPlace ? path + "/keep" : path), old);
        QStringList after = entries(data.path());
        if (target == "Tools.htm") // a main page may be new, as it should be
            after.removeAll(MainPageFileName);
        QCOMPARE(after, before);
    }

    // A picture copied into the data directory: whole or not at all.
    void copiesPictureWholeOrNotAtAll_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("earlier"); // null: no earlier file
        QTest::newRow("new file") << "../chosen.jpg" << QByteArray();
        QTest::newRow("replaces a longer file") << "../chosen.jpg" << QByteArray(300 * 1024, 'x');
        QTest::newRow("onto itself") << "A1.jpg" << chosenPicture();
        QTest::newRow("missing source") << "../missing.jpg" << QByteArray("old picture");
        QTest::newRow("source is a directory") << "." << QByteArray("old picture");
    }
    void copiesPictureWholeOrNotAtAll()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, earlier);
        test::TempDataDirectory data;
        QVERIFY(data.writeFile("../chosen.jpg", chosenPicture()));
        QVERIFY(earlier.isNull() || data.writeFile("A1.jpg", earlier));
        const Status copied = copyFileAtomically(data.filePath(source), data.filePath("A1.jpg"));
        const bool canCopy = QFileInfo(data.filePath(source)).isFile();
        QCOMPARE(copied.ok(), canCopy);
        QVERIFY2(canCopy || copied.message().contains(source), qPrintable(copied.message()));
        QCOMPARE(test::readFile(data.filePath("A1.jpg")), canCopy ? chosenPicture() : earlier);
        QCOMPARE(entries(data.path()), QStringList{"A1.jpg"});
    }

    // A directory or a FIFO where a category or the settings file should be:
    // readers see an empty category or fail, and never wait on a FIFO for a
    // writer that never comes.
    void notARegularFile_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<Check>("behaves");
        const Check loadsEmpty = [] {
            ItemRecords records(5);
            return loadCategory(categoryFilePath("Tools"), records).ok() && records.empty();
        };
        const Check countsNone = [] { return countItems(categoryFilePath("Tools")) == 0; };
        for (bool fifo : {false, true}) {
            const char* kind = fifo ? "FIFO" : "directory";
            QTest::addRow("%s: load category", kind) << fifo << "Tools.dat" << loadsEmpty;
            QTest::addRow("%s: count items", kind) << fifo << "Tools.dat" << countsNone;
        }
        QTest::newRow("directory: create category")
            << false << "Tools.dat" << Check([] { return !createCategory("Tools").ok(); });
        QTest::newRow("FIFO: append item") << true << "Tools.dat" << Check([] {
            Inventory inventory(dataDirectory());
            inventory.openCategory({"Tools.dat", "Tools", 0});
            inventory.scratch().bytes.fill('n');
            return inventory.appendScratch().ok();
        });
        QTest::newRow("FIFO: write pages") << true << "Tools.dat" << Check([] {
            const CreatedPages pages = CreateHTML(1);
            return pages.size() == 2 && pages.front().ok() && !pages.back().ok();
        });
        QTest::newRow("FIFO: load settings")
            << true << "FTPServer.ftp" << Check([] { return !FtpSettings().load(); });
        QTest::newRow("FIFO: load or create settings") << true << "FTPServer.ftp" << Check([] {
            const Status made = FtpSettings().loadOrCreate();
            return !made && made.message().contains("not a regular file");
        });
    }
    void notARegularFile()
    {
        QFETCH(bool, fifo);
        QFETCH(QString, fileName);
        QFETCH(Check, behaves);
        test::TempDataDirectory data;
        std::optional<test::TrapFifo> trap;
        if (fifo)
            QVERIFY(trap.emplace(data.filePath(fileName)).ok());
        else
            QVERIFY(QDir().mkpath(data.filePath(fileName)));

        const bool asExpected = behaves();

        QVERIFY2(!trap || !trap->caughtReader(), "the program waited on a FIFO");
        QVERIFY(asExpected);
        QCOMPARE(QFileInfo(data.filePath(fileName)).isDir(), !fifo);
    }
};

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
