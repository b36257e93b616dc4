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
        QCOMPARE(setup.pageNotPublished(listedPages()), QString());
    }

    // Each page not sent is named with what went wrong; the others went out.
    void failedPagesAreNamed_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("failed");
        QTest::newRow("wrong password") << QStringList{} << "wrong" << QStringList{}; // every page
        QTest::newRow("one page refused")
            << QStringList{"--stor-reply", "553:A.htm"} << QString() << QStringList{"A.htm"};
        QTest::newRow("dropped during one page")
            << QStringList{"--drop-stor", "B.htm"} << QString() << QStringList{"B.htm"};
    }
    void failedPagesAreNamed()
    {
        QFETCH(QStringList, fault);
        QFETCH(QString, password);
        QFETCH(QStringList, failed);
        PublishSetup setup(fault);
        QVERIFY2(setup.start({"A", "B"}, "/htdocs/", password).isEmpty(), qPrintable(setup.error));
        if (failed.isEmpty())
            failed = listedPages();
        const Finished finished = runProgram("-Publish");
        QCOMPARE(finished.exitCode, 1);
        QVERIFY(!finished.errorLines.contains("Done"));
        const QStringList report = finished.errorLines.mid(
            finished.errorLines.indexOf("FTP Error: these pages were not uploaded:"));
        QCOMPARE(report.size(), failed.size() + 2);
        for (int i = 0; i < failed.size(); ++i)
            QVERIFY2(report[i + 1].startsWith("  " + failed[i] + ": ") &&
                         report[i + 1].size() > failed[i].size() + 5,
                     qPrintable(report[i + 1]));
        QCOMPARE(report.last(), QStringLiteral("Check your FTP settings and internet connection."));
        for (const QString& page : listedPages())
            QVERIFY(failed.contains(page) || setup.pageNotPublished({page}).isEmpty());
    }

    void noSettingsFileWritesNothing()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A"}));
        const Finished finished = runProgram("-Publish");
        QCOMPARE(finished.exitCode, 2);
        QCOMPARE(finished.errorLines.size(), 1);
        QVERIFY2(finished.errorLines.first().startsWith("Error: No FTP settings: "),
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
        QDir directory(data.path(), {}, QDir::Name, QDir::Files);
        QCOMPARE(directory.entryList(),
                 QStringList({"A.dat", "A.htm", "B.dat", "B.htm", "inventory.htm"}));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
