#include "CrashWriterRecords.h"
#include "TempDataDirectory.h"
#include "core/transfer/SettingsFile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace wareloom;

namespace {

constexpr int SeedRecords = 299;

// A category file as the writer may leave it: whole records of its own,
// consecutive, at least as many as seeded, the first from first on. Empty
// when it is; otherwise what is wrong.
QString checkCategory(const QString& path, int first, int* last = nullptr)
{
    const QByteArray bytes = test::readFile(path);
    if (bytes.size() % ItemRecord::Size != 0 || bytes.size() < SeedRecords * ItemRecord::Size)
        return QStringLiteral("%1 holds %2 bytes").arg(path).arg(bytes.size());
    std::optional<int> previous;
    for (qsizetype at = 0; at < bytes.size(); at += ItemRecord::Size) {
        const auto n = test::crashWriterNumber(QByteArrayView(bytes).sliced(at, ItemRecord::Size));
        if (!n || (previous ? *n != *previous + 1 : *n < first))
            return QStringLiteral("%1: the record at %2 is cut or out of place").arg(path).arg(at);
        previous = n;
    }
    if (last)
        *last = *previous;
    return {};
}

} // namespace

class TestCrashWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A writer killed at any moment while it saves leaves every category
    // file and the settings file with its old content or its new one.
    void killedWriterLeavesWholeFiles()
    {
        test::TempDataDirectory data;
        const QStringList categories{"Tools.dat", "Garden.dat", "Books.dat"};
        for (int i = 0; i < categories.size(); ++i) {
            QByteArray bytes;
            for (int n = i * 1000000; n < i * 1000000 + SeedRecords; ++n)
                bytes += QByteArrayView(test::crashWriterRecord(n).bytes);
            QVERIFY(data.writeFile(categories[i], bytes));
        }
        QVERIFY(data.writeFile("FTPServer.ftp", "user 0" + QByteArray(SettingsRecordSize - 6, 0)));

        QRandomGenerator random(QRandomGenerator::global()->generate());
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        for (; kills < 60 && clock.elapsed() < 4000; ++kills) { // a few seconds however slow
            QProcess writer;
            writer.start(WARELOOM_CRASH_WRITER, {data.path()});
            QVERIFY2(writer.waitForReadyRead(10000), qPrintable(writer.errorString()));
            QCOMPARE(writer.readLine(), QByteArray("writing\n"));
            QThread::usleep(random.bounded(1, 30000));
            QCOMPARE(writer.state(), QProcess::Running); // it must not have stopped by itself
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(10000));

            for (int i = 0; i < categories.size(); ++i) {
                const QString problem = checkCategory(data.filePath(categories[i]), i * 1000000);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
            }
            const QByteArray settings = test::readFile(data.filePath("FTPServer.ftp"));
            QCOMPARE(settings.size(), SettingsRecordSize);
            QVERIFY2(settings.startsWith("user ") && settings.indexOf('\0') > 5, settings.left(20));
        }
        QVERIFY(kills >= 10);
        // The writer got on with its work between the kills.
        int last = 0;
        QVERIFY(checkCategory(data.filePath("Tools.dat"), 0, &last).isEmpty());
        QVERIFY2(last >= SeedRecords, qPrintable(QString::number(last)));
        // No half-written file left where a category would be listed.
        QCOMPARE(QDir(data.path()).entryList({"*.dat"}, QDir::Files).size(), categories.size());
    }
};

QTEST_GUILESS_MAIN(TestCrashWrites)
#include "tst_crashwrites.moc"
