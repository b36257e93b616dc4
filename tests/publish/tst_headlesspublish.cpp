#include "PublishTestSupport.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using wareloom::test::TempDataDirectory;

namespace {

struct Finished
{
    int exitCode = -1;
    QStringList errorLines; // standard error, line by line
};

// Runs the built program with one switch on the data directory the test set,
// without any display.
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

// What a successful publish of these categories writes to standard error.
QStringList publishedLines(const QStringList& categoriesInListingOrder)
{
    const int maximum = int(categoriesInListingOrder.size()) + 1;
    QStringList lines{QStringLiteral("Creating HTML")};
    const QStringList statuses = test::successfulStatuses(categoriesInListingOrder);
    for (int position = 1; position <= maximum; ++position)
        lines << statuses.at(position) << QStringLiteral("  %1 of %2").arg(position).arg(maximum);
    lines << QStringLiteral("Done");
    return lines;
}

} // namespace

// wareloom -Publish and -Generate: the publish run without a window.
class TestHeadlessPublish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void publishesEveryPage()
    {
        test::PublishSetup setup;
        const QString notReady = setup.start({"A", "B", "C"});
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));

        const Finished finished = runProgram(QStringLiteral("-Publish"));

        QCOMPARE(finished.exitCode, 0);
        QCOMPARE(finished.errorLines, publishedLines(test::listedNames()));
        for (const QString& page : QStringList{"inventory.htm", "A.htm", "B.htm", "C.htm"}) {
            const QByteArray local = test::fileBytes(setup.data.filePath(page));
            QVERIFY2(!local.isEmpty(), qPrintable(page));
            QCOMPARE(setup.server.fileContents(QStringLiteral("/htdocs/") + page), local);
        }
    }

    void wrongPasswordNamesEveryPageAndFails()
    {
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
        test::PublishSetup setup;
        const QString notReady = setup.start({"A", "B"}, "/htdocs/", "wrong");
        QVERIFY2(notReady.isEmpty(), qPrintable(notReady));

        const Finished finished = runProgram(QStringLiteral("-Publish"));
        qunsetenv("WARELOOM_FTP_TIMEOUT");

        QVERIFY(finished.exitCode > 0);
        QVERIFY(!finished.errorLines.contains(QStringLiteral("Done")));
        const QStringList failed = finished.errorLines.mid(finished.errorLines.indexOf(
            QStringLiteral("FTP Error: these pages were not uploaded:")));
        QCOMPARE(failed.size(), 5);
        for (const QString& page : QStringList{"inventory.htm", "A.htm", "B.htm"}) {
            // The page, then what the connection said went wrong.
            const QStringList lines = failed.filter(QStringLiteral("  %1: ").arg(page));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().size() > page.size() + 4, qPrintable(lines.first()));
        }
        QVERIFY(setup.server.commands().filter(QStringLiteral("STOR ")).isEmpty());
    }

    void noSettingsFileWritesNothingAndFails()
    {
        TempDataDirectory data;
        QVERIFY(test::writeCategories(data, {"A"}));

        const Finished finished = runProgram(QStringLiteral("-Publish"));

        QVERIFY(finished.exitCode > 0);
        QCOMPARE(finished.errorLines.size(), 1);
        QVERIFY2(finished.errorLines.first().contains(QStringLiteral("No FTP settings")),
                 qPrintable(finished.errorLines.first()));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
    }

    void generateWritesThePagesOnly()
    {
        TempDataDirectory data;
        QVERIFY(test::writeCategories(data, {"A", "B"}));

        const Finished finished = runProgram(QStringLiteral("-Generate"));

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
