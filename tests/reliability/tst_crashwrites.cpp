#include "CrashWriterRecords.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/transfer/FtpSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace wareloom;

namespace {

const QStringList Categories{QStringLiteral("Tools"), QStringLiteral("Garden"),
                             QStringLiteral("Books")};
constexpr int SeedRecords = 299;

QByteArray seedCategory(int first)
{
    QByteArray bytes;
    for (int n = first; n < first + SeedRecords; ++n)
        bytes.append(test::crashWriterRecord(n).bytes.data(), ItemRecord::Size);
    return bytes;
}

struct Run
{
    int first = 0; // n of the first record
    int last = 0;  // n of the last record
};

// A category file as the writer may leave it: a whole number of its records,
// consecutive, never empty. Sets the run found; the failure says what is wrong.
QString checkCategory(const QString& path, Run& run)
{
    const QByteArray bytes = test::readFile(path);
    if (bytes.isEmpty())
        return path + QStringLiteral(" is empty or gone");
    if (bytes.size() % ItemRecord::Size != 0)
        return QStringLiteral("%1 holds %2 bytes, not whole records").arg(path).arg(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += ItemRecord::Size) {
        const auto n = test::crashWriterNumber(bytes.constData() + at);
        if (!n)
            return QStringLiteral("%1: record at %2 is not a whole record").arg(path).arg(at);
        if (at > 0 && *n != run.last + 1)
            return QStringLiteral("%1: record %2 follows record %3").arg(path).arg(*n).arg(run.last);
        if (at == 0)
            run.first = *n;
        run.last = *n;
    }
    return {};
}

QString checkSettings(const QString& path)
{
    const QByteArray bytes = test::readFile(path);
    if (bytes.size() != SettingsRecordSize)
        return QStringLiteral("the settings file holds %1 bytes").arg(bytes.size());
    if (!bytes.startsWith("user ") || bytes.indexOf('\0') < 6)
        return QStringLiteral("the settings file's user name is cut");
    return {};
}

} // namespace

// A writer killed at any moment while it saves items leaves every category
// file with its old content or its new one, never cut or empty; the same
// for the settings file.
class TestCrashWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLeavesWholeFiles()
    {
        test::TempDataDirectory data;
        for (int i = 0; i < Categories.size(); ++i)
            QVERIFY(data.writeFile(Categories[i] + QStringLiteral(".dat"), seedCategory(i * 1000000)));
        QVERIFY(data.writeFile(QStringLiteral("FTPServer.ftp"),
                               "user 0" + QByteArray(SettingsRecordSize - 6, '\0')));

        QRandomGenerator random(QRandomGenerator::global()->generate());
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        // A few seconds in all, however slow the machine.
        while (kills < 60 && clock.elapsed() < 4000) {
            QProcess writer;
            writer.start(QStringLiteral(WARELOOM_CRASH_WRITER), {data.path()});
            QVERIFY2(writer.waitForReadyRead(10000), qPrintable(writer.errorString()));
            QCOMPARE(writer.readLine().trimmed(), QByteArray("writing"));
            QThread::usleep(random.bounded(1, 30000));
            QCOMPARE(writer.state(), QProcess::Running); // it must not have stopped by itself
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            ++kills;

            for (int i = 0; i < Categories.size(); ++i) {
                Run run;
                const QString problem =
                    checkCategory(data.filePath(Categories[i] + QStringLiteral(".dat")), run);
                QVERIFY2(problem.isEmpty(), qPrintable(problem));
                QVERIFY(run.first >= i * 1000000 && run.last - run.first + 1 >= SeedRecords);
            }
            const QString problem = checkSettings(data.filePath(QStringLiteral("FTPServer.ftp")));
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        QVERIFY(kills >= 10);
        // The writer got on with its work between the kills.
        Run tools;
        QVERIFY(checkCategory(data.filePath(QStringLiteral("Tools.dat")), tools).isEmpty());
        QVERIFY2(tools.last > SeedRecords, qPrintable(QString::number(tools.last)));
        // Nothing but the files of the store: no half-written file listed as a category.
        const QStringList categories = QDir(data.path()).entryList({QStringLiteral("*.dat")}, QDir::Files);
        QCOMPARE(categories.size(), Categories.size());
    }
};

QTEST_GUILESS_MAIN(TestCrashWrites)
#include "tst_crashwrites.moc"
