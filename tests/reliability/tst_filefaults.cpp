#include "FileSizeLimit.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TrapFifo.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"
#include "core/util/AtomicFile.h"

#include <QDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace wareloom;

namespace {

enum class Writer { AppendItem, RewriteCategory, SaveSettings, WritePages, CopyPicture };
enum class Fault { FullDisk, DiskFillsMidFile, ReadOnlyDirectory, DirectoryInPlace };

const QByteArray OldCategory = QByteArray(90, 'a') + QByteArray(90, 'b');
const QByteArray OldSettings = "old user" + QByteArray(SettingsRecordSize - 8, '\0');
const QByteArray OldPage = "<html>the old page</html>";

QString targetOf(Writer writer)
{
    switch (writer) {
    case Writer::AppendItem:
    case Writer::RewriteCategory:
        return QStringLiteral("Tools.dat");
    case Writer::SaveSettings:
        return QStringLiteral("FTPServer.ftp");
    case Writer::WritePages:
        return QStringLiteral("Tools.htm");
    case Writer::CopyPicture:
        return QStringLiteral("A1.jpg");
    }
    return {};
}

// Runs the writer as the program does; the failure, if any, of its target.
Status runWriter(Writer writer)
{
    RecordTable& table = recordTable();
    const QString tools = categoryFilePath(QStringLiteral("Tools"));
    switch (writer) {
    case Writer::AppendItem:
        table.scratch().bytes.fill('n');
        return appendScratchRecord(tools, table);
    case Writer::RewriteCategory:
        if (Status loaded = loadCategory(tools, table); !loaded)
            return loaded;
        table.slots[1].bytes.fill('e');
        return rewriteCategory(tools, table);
    case Writer::SaveSettings: {
        FtpSettings settings;
        settings.setText(SettingsField::UserName, u"new user");
        return settings.save();
    }
    case Writer::WritePages:
        for (const PageOutcome& page : CreateHTML(1))
            if (page.pageFileName == QStringLiteral("Tools.htm"))
                return page.ok() ? Status::success() : Status::failure(page.failure);
        return Status::failure(QStringLiteral("no page was made for Tools"));
    case Writer::CopyPicture: // the picture the user chose lies outside the data directory
        return copyFileAtomically(dataFilePath(QStringLiteral("../chosen.jpg")),
                                  dataFilePath(QStringLiteral("A1.jpg")));
    }
    return Status::success();
}

// The fault in place for as long as the object lives; null when this
// machine cannot make it.
std::shared_ptr<void> makeFault(Fault fault, const test::TempDataDirectory& data)
{
    switch (fault) {
    case Fault::FullDisk:
    case Fault::DiskFillsMidFile: {
        auto limit = std::make_shared<test::FileSizeLimit>(fault == Fault::FullDisk ? 0 : 100);
        return limit->ok() ? limit : nullptr;
    }
    case Fault::ReadOnlyDirectory: {
        auto locked = std::make_shared<test::ReadOnlyDirectory>(data.path());
        return locked->ok() ? locked : nullptr;
    }
    case Fault::DirectoryInPlace:
        return std::make_shared<int>(0); // made before the writer runs
    }
    return nullptr;
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

// Every writer of the store, the settings and the pages against a disk that
// is full, fills up in the middle of the file, refuses writes, or holds a
// directory where the file should be: the failure is reported, naming the
// file, the old file stays whole and nothing is left behind.
class TestFileFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<Fault>("fault");
        const std::pair<Writer, const char*> writers[] = {
            {Writer::AppendItem, "append item"},
            {Writer::RewriteCategory, "rewrite category"},
            {Writer::SaveSettings, "save settings"},
            {Writer::WritePages, "write pages"},
            {Writer::CopyPicture, "copy picture"}};
        const std::pair<Fault, const char*> faults[] = {
            {Fault::FullDisk, "full disk"},
            {Fault::DiskFillsMidFile, "disk fills mid-file"},
            {Fault::ReadOnlyDirectory, "read-only data directory"},
            {Fault::DirectoryInPlace, "a directory in place of the file"}};
        for (const auto& [writer, writerName] : writers)
            for (const auto& [fault, faultName] : faults)
                QTest::addRow("%s, %s", writerName, faultName) << writer << fault;
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(Writer, writer);
        QFETCH(Fault, fault);
        test::TempDataDirectory data;
        QVERIFY(data.writeFile(QStringLiteral("Tools.dat"), OldCategory));
        QVERIFY(data.writeFile(QStringLiteral("FTPServer.ftp"), OldSettings));
        QVERIFY(data.writeFile(QStringLiteral("Tools.htm"), OldPage));
        QVERIFY(data.writeFile(QStringLiteral("A1.jpg"), "the old picture"));
        QVERIFY(data.writeFile(QStringLiteral("../chosen.jpg"), QByteArray(5000, 'j')));
        const QString target = data.filePath(targetOf(writer));
        QByteArray old = test::readFile(target);
        if (fault == Fault::DirectoryInPlace) {
            QVERIFY(QFile::remove(target));
            QVERIFY(QDir().mkpath(target));
            QVERIFY(test::writeFile(target + QStringLiteral("/keep"), "kept"));
            old.clear();
        }
        const QStringList before = entries(data.path());

        Status written = Status::success();
        {
            const auto inPlace = makeFault(fault, data);
            if (!inPlace)
                QSKIP("this machine cannot make that fault");
            written = runWriter(writer);
        }

        QVERIFY2(!written.ok(), "a failed write was reported as success");
        QVERIFY2(written.message().contains(QDir::toNativeSeparators(target)),
                 qPrintable(written.message()));
        if (fault == Fault::DirectoryInPlace) {
            QVERIFY(QFileInfo(target).isDir());
            QCOMPARE(test::readFile(target + QStringLiteral("/keep")), QByteArray("kept"));
        } else {
            QCOMPARE(test::readFile(target), old);
        }
        QStringList after = entries(data.path());
        if (writer == Writer::WritePages) // a main page may be new, as it should be
            after.removeAll(QLatin1String(MainPageFileName));
        QCOMPARE(after, before);
    }

    // The program never writes a settings file shorter than its 1000 bytes;
    // one that is loads within the record, and a save that fails keeps it.
    void shortSettingsFileStaysWhenItCannotBeReplaced()
    {
        test::TempDataDirectory data;
        const QByteArray shortFile("user\0pass", 9);
        QVERIFY(data.writeFile(QStringLiteral("FTPServer.ftp"), shortFile));
        FtpSettings settings;
        QVERIFY(settings.load().ok());
        QCOMPARE(settings.text(SettingsField::UserName), QStringLiteral("user"));
        QCOMPARE(settings.text(SettingsField::Password), QString());
        settings.setText(SettingsField::Password, u"secret");
        {
            test::FileSizeLimit full(0);
            QVERIFY(full.ok());
            QVERIFY(!settings.save().ok());
        }
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("FTPServer.ftp"))), shortFile);
        QVERIFY(settings.save().ok());
        QCOMPARE(test::readFile(data.filePath(QStringLiteral("FTPServer.ftp"))).size(),
                 SettingsRecordSize);
    }

    // Readers of a category file that is a directory see an empty category.
    void directoryInPlaceOfCategoryReadsAsEmpty()
    {
        test::TempDataDirectory data;
        QVERIFY(QDir().mkpath(data.filePath(QStringLiteral("Tools.dat"))));
        RecordTable& table = recordTable();
        table.recordCount = 5;
        QVERIFY(loadCategory(data.filePath(QStringLiteral("Tools.dat")), table).ok());
        QCOMPARE(table.recordCount, 0);
        QCOMPARE(countItems(data.filePath(QStringLiteral("Tools.dat"))), 0);
        QVERIFY(!createCategory(QStringLiteral("Tools")).ok());
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("Tools.dat"))).isDir());
    }

    // A FIFO where a category or the settings file should be: a reader that
    // opened it would wait for a writer for ever.
    void fifoInPlaceOfAFileIsNeverWaitedOn_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<std::function<bool()>>("read");
        const QString tools = QStringLiteral("Tools.dat");
        QTest::newRow("load category") << tools << std::function<bool()>([] {
            RecordTable& table = recordTable();
            return loadCategory(categoryFilePath(QStringLiteral("Tools")), table).ok() &&
                   table.recordCount == 0;
        });
        QTest::newRow("append item") << tools << std::function<bool()>([] {
            recordTable().scratch().bytes.fill('n');
            return appendScratchRecord(categoryFilePath(QStringLiteral("Tools")), recordTable())
                .ok();
        });
        QTest::newRow("count items") << tools << std::function<bool()>([] {
            return countItems(categoryFilePath(QStringLiteral("Tools"))) == 0;
        });
        QTest::newRow("write pages") << tools << std::function<bool()>([] {
            const CreatedPages pages = CreateHTML(1);
            return pages.size() == 2 && pages.front().ok() && !pages.back().ok();
        });
        QTest::newRow("load settings")
            << QStringLiteral("FTPServer.ftp")
            << std::function<bool()>([] { return !FtpSettings().load(); });
        QTest::newRow("load or create settings")
            << QStringLiteral("FTPServer.ftp") << std::function<bool()>([] {
                   const Status made = FtpSettings().loadOrCreate();
                   return !made && made.message().contains("not a regular file");
               });
    }

    void fifoInPlaceOfAFileIsNeverWaitedOn()
    {
        QFETCH(QString, fileName);
        QFETCH(std::function<bool()>, read);
        test::TempDataDirectory data;
        test::TrapFifo fifo(data.filePath(fileName));
        QVERIFY(fifo.ok());

        const bool asExpected = read();

        QVERIFY2(!fifo.caughtReader(), "the program waited on a FIFO");
        QVERIFY(asExpected);
    }
};

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
