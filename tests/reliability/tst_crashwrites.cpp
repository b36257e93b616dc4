// A writer killed at any moment while it saves leaves each category file and the
// settings file old or new, never cut or mixed, and no leftover the next page run
// does not clear. The writer is this program, given the data directory.
#include "TempDataDirectory.h"
#include "core/pages/MainPage.h"
#include "core/publish/HeadlessPublish.h"
#include "core/publish/RunLock.h"
#include "core/store/CategoryHistory.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>

using namespace wareloom;

namespace {

constexpr int SeedRecords = 299, WindowSize = 300;

// Record n: its nine digits ten times, which a cut or mixed record cannot pass for.
ItemRecord record(int n)
{
    return test::recordOf(QByteArray::number(n).rightJustified(9, '0').repeated(10));
}

// The n of a whole record made by record(), or nothing.
std::optional<int> recordNumber(QByteArrayView bytes)
{
    bool ok = false;
    const int n = bytes.first(9).toInt(&ok);
    return ok && n >= 0 && QByteArrayView(record(n).bytes) == bytes ? std::optional(n)
                                                                    : std::nullopt;
}

// Saves through the store's own functions until killed: each round adds the next
// record to one category, dropping its first at WindowSize, so every file holds
// consecutive records; then saves the settings with the round's number and the pages.
[[noreturn]] void runWriter(const char* dataDirectory)
{
    const DataDirectory store(QFile::decodeName(dataDirectory));
    std::vector<QString> paths;
    for (const FoundCategory& category : listCategories(store.path()))
        paths.push_back(store.filePath(category.fileName));
    if (paths.empty())
        std::abort();
    std::puts("writing");
    std::fflush(stdout);
    FtpSettings settings(store);
    for (unsigned round = 0;; ++round) {
        ItemRecords records;
        const QString& path = paths.at(round % paths.size());
        const auto last = loadCategory(path, records) && !records.empty()
                              ? recordNumber(QByteArrayView(records.back().bytes))
                              : std::nullopt;
        if (!last)
            std::abort(); // the test seeds every category
        if (records.size() >= size_t(WindowSize))
            records.erase(records.begin());
        records.push_back(record(*last + 1));
        settings.setText(SettingsField::UserName, QStringLiteral("user %1").arg(round));
        if (!writeCategory(path, records, QStringLiteral("Add Item")) || !settings.save())
            std::abort();
        writeSite(store, int(paths.size()));
    }
}

// A category file (or a kept version of it) as the writer may leave it: its
// whole records, consecutive, at least as many as seeded, from first on.
// Empty when it is.
QString checkCategory(const QString& path, int first, const QByteArray& bytes)
{
    if (bytes.size() % ItemRecord::Size != 0 || bytes.size() < SeedRecords * ItemRecord::Size)
        return QStringLiteral("%1 holds %2 bytes").arg(path).arg(bytes.size());
    std::optional<int> previous;
    for (qsizetype at = 0; at < bytes.size(); at += ItemRecord::Size) {
        const auto n = recordNumber(QByteArrayView(bytes).sliced(at, ItemRecord::Size));
        if (!n || (previous ? *n != *previous + 1 : *n < first))
            return QStringLiteral("%1: the record at %2 is cut or out of place").arg(path).arg(at);
        previous = n;
    }
    return {};
}

} // namespace

class TestCrashWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLeavesWholeFiles()
    {
        test::TempDataDirectory data;
        const QStringList categories{"Tools.dat", "Garden.dat", "Books.dat"};
        for (int i = 0; i < categories.size(); ++i) {
            QByteArray bytes;
            for (int n = i * 1000000; n < i * 1000000 + SeedRecords; ++n)
                bytes += QByteArrayView(record(n).bytes);
            QVERIFY(data.writeFile(categories[i], bytes));
        }
        QVERIFY(data.writeFile("FTPServer.ftp", "user 0" + QByteArray(SettingsRecordSize - 6, 0)));

        QRandomGenerator random(QRandomGenerator::global()->generate());
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        // At least ten kills, however loaded the machine; more while time allows.
        for (; kills < 10 || (kills < 60 && clock.elapsed() < 6000); ++kills) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {data.path()});
            QVERIFY2(writer.waitForReadyRead(10000), qPrintable(writer.errorString()));
            QCOMPARE(writer.readLine(), QByteArray("writing\n"));
            QThread::usleep(random.bounded(1, 60000));   // a save also keeps a version
            QCOMPARE(writer.state(), QProcess::Running); // it must not have stopped by itself
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(10000));

            for (int i = 0; i < categories.size(); ++i) {
                const QString path = data.filePath(categories[i]);
                const QByteArray bytes = test::readFile(path);
                QString problem = checkCategory(path, i * 1000000, bytes);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
                // The newest kept version is the file, or the file one write before.
                const CategoryHistory history(data.path());
                const std::vector<HistoryVersion> versions =
                    history.versions(categories[i].chopped(4));
                if (versions.empty())
                    continue; // killed before its first write
                QByteArray kept;
                QVERIFY(history.read(categories[i].chopped(4), versions.back().number, kept));
                problem = checkCategory(path + " (kept)", i * 1000000, kept);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
                const int written = *recordNumber(QByteArrayView(bytes).last(ItemRecord::Size));
                const int before = *recordNumber(QByteArrayView(kept).last(ItemRecord::Size));
                QVERIFY2(written == before || written == before + 1,
                         qPrintable(QStringLiteral("%1 ends at %2, its newest version at %3")
                                        .arg(path)
                                        .arg(written)
                                        .arg(before)));
            }
            const QByteArray settings = test::readFile(data.filePath("FTPServer.ftp"));
            QCOMPARE(settings.size(), SettingsRecordSize);
            QVERIFY2(settings.startsWith("user ") && settings.indexOf('\0') > 5, settings.left(20));
        }
        QVERIFY(kills >= 10);
        // The writer got on with its work between the kills.
        QVERIFY(recordNumber(test::readFile(data.filePath("Tools.dat")).right(ItemRecord::Size)) >=
                SeedRecords);
        // No half-written file left where a category would be listed.
        QCOMPARE(QDir(data.path()).entryList({"*.dat"}, QDir::Files).size(), categories.size());
        // Two page runs at once both end, one perhaps finding the folder in use,
        // and leave the pages and none of the temporary pages.
        QVERIFY(data.writeFile(".wareloom-page-1-1", "as a run killed in a page leaves it"));
        QProcess runs[2];
        for (QProcess& run : runs)
            run.start(QCoreApplication::applicationFilePath(), {"generate", data.path()});
        for (QProcess& run : runs) {
            QVERIFY(run.waitForFinished(60000));
            QVERIFY2(run.exitCode() == 0 || run.exitCode() == 4, run.readAllStandardError());
        }
        QVERIFY(runs[0].exitCode() == 0 || runs[1].exitCode() == 0);
        // What the killed saves left beside their files goes too.
        removeLeftoverSaveFiles(data.path(), std::chrono::seconds(0));
        QStringList left = QDir(data.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(".wareloom-run.lock");
        left.removeAll(".wareloom-categories.lock");
        left.sort();
        QCOMPARE(left,
                 QStringList({"Books.dat", "Books.htm", "FTPServer.ftp", "Garden.dat", "Garden.htm",
                              "Pages.cache", "Tools.dat", "Tools.htm", "inventory.htm"}));
        // Held, the lock turns a second run away once its wait is over.
        RunLock held(data.path()), other(data.path());
        QCOMPARE(held.acquire(), RunLock::Result::Held);
        QCOMPARE(other.acquire(std::chrono::milliseconds(200)), RunLock::Result::Busy);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && argv[1][0] == '/') // a data directory: run as the writer
        runWriter(argv[1]);
    if (argc == 3 && std::strcmp(argv[1], "generate") == 0) {
        return runHeadlessPublish(DataDirectory(QFile::decodeName(argv[2])), true);
    }
    TestCrashWrites test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashwrites.moc"
