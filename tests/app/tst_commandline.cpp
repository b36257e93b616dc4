#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"

#include "WareloomProgram.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace wareloom;
using wareloom::test::runWareloom;

using Shell = CommandLineInfo::ShellCommand;
Q_DECLARE_METATYPE(Shell)

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesSwitches_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<bool>("automated");
        QTest::addColumn<Shell>("shell");
        QTest::addColumn<QString>("others"); // p publish, g generate, v version, h help

        const auto row = [](const char* name, const QStringList& arguments, bool embedded,
                            bool automated, Shell shell, const char* others) {
            QTest::newRow(name) << arguments << embedded << automated << shell << others;
        };
        row("nothing", {}, false, false, Shell::None, "");
        row("/Automation", {"/Automation"}, false, true, Shell::None, "");
        row("/EMBEDDING", {"/EMBEDDING"}, true, false, Shell::None, "");
        row("-Register", {"-Register"}, false, false, Shell::Register, "");
        row("/rEgSeRvEr", {"/rEgSeRvEr"}, false, false, Shell::Register, "");
        row("-unregserver", {"-unregserver"}, false, false, Shell::Unregister, "");
        row("the last shell command counts", {"-Register", "/Unregister"}, false, false,
            Shell::Unregister, "");
        row("automated and registering", {"-Register", "-Automation"}, false, true, Shell::Register,
            "");
        row("without / or - no switch", {"Automation", "Register", "\\Embedding"}, false, false,
            Shell::None, "");
        row("no abbreviations", {"/Reg", "-Auto", "-Registers", "/"}, false, false, Shell::None,
            "");
        row("stray words ignored", {"stock.dat", "-x", "/Embedding"}, true, false, Shell::None, "");
        row("-Publish", {"-Publish"}, false, false, Shell::None, "p");
        row("/generate", {"/generate"}, false, false, Shell::None, "g");
        row("--version", {"--version"}, false, false, Shell::None, "v");
        row("--help", {"--help"}, false, false, Shell::None, "h");
        row("/?", {"/?"}, false, false, Shell::None, "h");
    }
    void parsesSwitches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, embedded);
        QFETCH(bool, automated);
        QFETCH(Shell, shell);
        QFETCH(QString, others);

        const CommandLineInfo info = parseCommandLine(QStringList{"wareloom"} + arguments);
        QCOMPARE(info.runEmbedded, embedded);
        QCOMPARE(info.runAutomated, automated);
        QCOMPARE(info.shellCommand, shell);
        QCOMPARE(info.publish, others.contains('p'));
        QCOMPARE(info.generate, others.contains('g'));
        QCOMPARE(info.showVersion, others.contains('v'));
        QCOMPARE(info.showHelp, others.contains('h'));
        QCOMPARE(runsAutomated(info), embedded || automated);
        QCOMPARE(endsWithoutWindow(info), shell != Shell::None && !embedded && !automated);
    }

    // Every switch and environment variable of the manual page is in --help.
    void usageMatchesTheManualPage()
    {
        QFile page(QStringLiteral(WARELOOM_MANPAGE));
        QVERIFY(page.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(page.readAll());
        const auto section = [&](const QString& name) {
            const qsizetype start = text.indexOf(QStringLiteral(".SH ") + name);
            const qsizetype end = text.indexOf(QStringLiteral("\n.SH "), start + 1);
            return text.mid(start, end - start);
        };

        QStringList switches;
        static const QRegularExpression tag(QStringLiteral("\n\\.TP\n\\.BR? ([^\n]*)"));
        static const QRegularExpression word(QStringLiteral("(\\\\-)+[A-Za-z]+|/\\?"));
        for (const auto& tp : tag.globalMatch(section(QStringLiteral("OPTIONS")))) {
            for (const auto& w : word.globalMatch(tp.captured(1)))
                switches << w.captured().replace(QStringLiteral("\\-"), QStringLiteral("-"));
        }
        QVERIFY(switches.size() >= 12);
        QStringList variables;
        static const QRegularExpression variable(QStringLiteral("\n\\.TP\n\\.B ([A-Z_]+)"));
        for (const auto& v : variable.globalMatch(section(QStringLiteral("ENVIRONMENT"))))
            variables << v.captured(1);
        QVERIFY(variables.contains("WARELOOM_DATA_DIR"));
        QVERIFY(variables.contains("WARELOOM_CODEPAGE"));

        const QString usage = usageText();
        for (const QString& name : switches + variables)
            QVERIFY2(usage.contains(name), qPrintable(name));
        // And what the help offers, the parser knows.
        static const QRegularExpression listed(QStringLiteral("(?<=\\s)(-{1,2}[A-Za-z]+|/\\?)"));
        for (const auto& s : listed.globalMatch(usage)) {
            const CommandLineInfo info = parseCommandLine({"wareloom", s.captured(1)});
            QVERIFY2(runsAutomated(info) || info.shellCommand != Shell::None || info.publish ||
                         info.generate || info.showVersion || info.showHelp ||
                         info.csv != CommandLineInfo::CsvCommand::None,
                     qPrintable(s.captured(1)));
        }
    }

    // Printed without a display: no window system is started for these.
    void printsWithoutDisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expectedStart");
        QTest::addColumn<bool>("whole");
        const QString version = "Wareloom 1.0.0.1\n", usage = "Usage: wareloom [switch]\n";
        QTest::newRow("--version") << "--version" << version << true;
        QTest::newRow("--help") << "--help" << usage << false;
        QTest::newRow("/?") << "/?" << usage << false;
    }
    void printsWithoutDisplay()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expectedStart);
        QFETCH(bool, whole);
        const auto run = runWareloom({argument}, false);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        if (whole)
            QCOMPARE(QString::fromUtf8(run.out), expectedStart);
        else
            QVERIFY2(run.out.startsWith(expectedStart.toUtf8()), run.out.constData());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
