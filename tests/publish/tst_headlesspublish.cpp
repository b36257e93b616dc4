#include "PublishTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

namespace {

struct Finished
{
    int exitCode = -1;
    QStringList errorLines; // standard error, line by line
};

// Runs the built program with one switch on the test's data directory, without any display.
Finished runProgram(const QString& commandSwitch)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(WARELOOM_PROGRAM), {commandSwitch});
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    if (program.exitStatus() != QProcess::NormalExit)
        return {};
    return {
        program.exitCode(),
        QString::fromLocal8Bit(program.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts)};
}

} // namespace

// wareloom -Publish and -Generate: the publish run without a window.
class TestHeadlessPublish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("WARELOOM_FTP_TIMEOUT", "2"); }

    void publishesEveryPage()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}).isEmpty(), qPrintable(setup.error));
        const Finished finished = runProgram("-Publish");
        QCOMPARE(finished.exitCode, 0);
        QStringList lines{"Creating HTML"};
        const QStringList statuses = successfulStatuses();
        for (int position = 1; position <= 4; ++position)
            lines << statuses.at(position) << QStringLiteral("  %1 of 4").arg(position);
        QCOMPARE(finished.errorLines, lines << "Done");
        QCOMPARE(setup.pageNotPublished({"inventory.htm", "A.htm", "B.htm", "C.htm"}), QString());
    }

    // Each page, then what the connection said went wrong.
    void wrongPasswordNamesEveryPageAndFails()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B"}, "/htdocs/", "wrong").isEmpty(), qPrintable(setup.error));
        const Finished finished = runProgram("-Publish");
        QVERIFY(finished.exitCode > 0);
        QVERIFY(!finished.errorLines.contains("Done"));
        const QStringList failed = finished.errorLines.mid(
            finished.errorLines.indexOf("FTP Error: these pages were not uploaded:"));
        QCOMPARE(failed.size(), 5);
        for (const QString& page : QStringList{"inventory.htm", "A.htm", "B.htm"}) {
            const QStringList lines = failed.filter(QStringLiteral("  %1: ").arg(page));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().size() > page.size() + 4, qPrintable(lines.first()));
        }
        QVERIFY(setup.server.commands().filter("STOR ").isEmpty());
    }

    void noSettingsFileWritesNothingAndFails()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A"}));
        const Finished finished = runProgram("-Publish");
        QVERIFY(finished.exitCode > 0);
        QCOMPARE(finished.errorLines.size(), 1);
        QVERIFY2(finished.errorLines.first().contains("No FTP settings"),
                 qPrintable(finished.errorLines.first()));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
    }

    void generateWritesThePagesOnly()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A", "B"}));
        const Finished finished = runProgram("-Generate");
        QCOMPARE(finished.exitCode, 0);
        QCOMPARE(finished.errorLines, QStringList({"Creating HTML", "Done"}));
        QDir directory(data.path());
        directory.setSorting(QDir::Name);
        QCOMPARE(directory.entryList(QDir::Files),
                 QStringList({"A.dat", "A.htm", "B.dat", "B.htm", "inventory.htm"}));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
