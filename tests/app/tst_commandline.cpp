#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"

#include "WareloomProgram.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
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
        QTest::addColumn<Shell>("shell");
        QTest::addColumn<QString>("flags"); // embedded, automated, publish, generate, version, help
        const auto row = [](const char* name, const QStringList& arguments, Shell shell,
                            const char* flags) {
            QTest::newRow(name) << arguments << shell << QString(flags);
        };
        row("nothing", {}, Shell::None, "");
        row("/rEgSeRvEr", {"/rEgSeRvEr"}, Shell::Register, "");
        row("-unregserver", {"-unregserver"}, Shell::Unregister, "");
        row("the last shell command counts", {"-Register", "/Unregister"}, Shell::Unregister, "");
        row("automated and registering", {"-Register", "/Automation"}, Shell::Register, "a");
        row("without / or - no switch", {"Automation", "Register", "\\Embedding"}, Shell::None, "");
        row("no abbreviations", {"/Reg", "-Auto", "-Registers", "/"}, Shell::None, "");
        row("stray words ignored", {"stock.dat", "-x", "/EMBEDDING"}, Shell::None, "e");
        row("-Publish /generate", {"-Publish", "/generate"}, Shell::None, "pg");
        row("--version /?", {"--version", "/?"}, Shell::None, "vh");
    }
    void parsesSwitches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Shell, shell);
        QFETCH(QString, flags);
        const CommandLineInfo info = parseCommandLine(QStringList{"wareloom"} + arguments);
        const bool on[] = {info.runEmbedded, info.runAutomated, info.publish,
                           info.generate,    info.showVersion,  info.showHelp};
        QString set;
        for (int i = 0; i < 6; ++i)
            set += on[i] ? QString(QChar("eapgvh"[i])) : QString();
        QCOMPARE(set, flags);
        QCOMPARE(info.shellCommand, shell);
        const bool automated = flags.contains('e') || flags.contains('a');
        QCOMPARE(runsAutomated(info), automated);
        QCOMPARE(endsWithoutWindow(info), shell != Shell::None && !automated);
    }

    // Every switch and environment variable of the manual page is in --help.
    void usageMatchesTheManualPage()
    {
        QFile page(QStringLiteral(WARELOOM_MANPAGE));
        QVERIFY(page.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(page.readAll());
        const qsizetype options = text.indexOf(".SH OPTIONS"), end = text.indexOf(".SH ENV");
        QStringList names;
        static const QRegularExpression tag("\n\\.TP\n\\.BR? ([^\n]*)");
        static const QRegularExpression word("(\\\\-)+[A-Za-z]+|/\\?|^[A-Z_]+$");
        for (const auto& tp :
             tag.globalMatch(text.mid(options, text.indexOf("\n.SH ", end) - options)))
            for (const auto& w : word.globalMatch(tp.captured(1)))
                names << w.captured().replace("\\-", "-");
        QVERIFY(names.size() >= 15 && names.contains("WARELOOM_DATA_DIR") &&
                names.contains("WARELOOM_CODEPAGE"));
        const QString usage = usageText();
        for (const QString& name : names)
            QVERIFY2(usage.contains(name), qPrintable(name));
    }

    // Printed without a display: no window system is started for these.
    void printsWithoutDisplay()
    {
        const auto version = runWareloom({"--version"});
        QVERIFY(version.finished && version.exitCode == 0 && version.err.isEmpty());
        QCOMPARE(version.out, QByteArray("Wareloom 1.0.0.1\n"));
        const auto help = runWareloom({"/?"});
        QVERIFY(help.finished && help.exitCode == 0 && help.err.isEmpty());
        QVERIFY2(help.out.startsWith("Usage: wareloom [switch]\n"), help.out.constData());
    }

    // The language of the messages as gettext programs choose it: LC_ALL, else
    // LC_MESSAGES, else LANG, with LANGUAGE's list unless that is C; English
    // where the first language is English or not translated.
    void speaksTheUsersLanguage_data()
    {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QString>("said");
        const QString german = "Unbekannter Schalter -publsh\nAufruf: wareloom [Schalter]\n";
        const QString french = "Option inconnue -publsh\nUsage\u00A0: wareloom [option]\n";
        const QString english = "Unknown switch -publsh\nUsage: wareloom [switch]\n";
        const auto row = [](const char* name, const char* locale, const QString& said) {
            QTest::newRow(name) << QString(locale).split(' ') << said;
        };
        row("German", "LANG=de_DE.UTF-8", german);
        row("French", "LANG=fr_FR.UTF-8", french);
        row("Swiss French", "LANG=fr_CH.UTF-8", french);
        row("C", "LANG=C", english);
        row("not translated", "LANG=es_ES.UTF-8", english);
        row("LC_MESSAGES over LANG", "LANG=C.UTF-8 LC_MESSAGES=de_DE.UTF-8", german);
        row("LC_ALL over both", "LANG=fr_FR.UTF-8 LC_MESSAGES=fr_FR.UTF-8 LC_ALL=C.UTF-8", english);
        row("LANGUAGE's first", "LANG=de_DE.UTF-8 LANGUAGE=fr:de", french);
        row("LANGUAGE's first translated", "LANG=de_DE.UTF-8 LANGUAGE=es:fr", french);
        row("LANGUAGE with English first", "LANG=de_DE.UTF-8 LANGUAGE=en_GB:de", english);
        row("LANGUAGE under LANG=C", "LANG=C LANGUAGE=de", english);
    }
    void speaksTheUsersLanguage()
    {
        QFETCH(QStringList, locale);
        QFETCH(QString, said);
        QProcessEnvironment environment = test::programEnvironment(false);
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
            environment.remove(name);
        for (const QString& setting : locale)
            environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
        const auto run = runWareloom({"-publsh"}, test::wareloomBinary(), environment);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).startsWith(said), run.err.constData());
    }

    // Refused before any window system, with exit status 2 and the reason.
    void refusedAtStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QByteArray>("said"); // empty: accepted
        QTest::newRow("mistyped switch") << QStringList{"-publsh"} << QByteArray()
                                         << QByteArray("Unknown switch -publsh\nUsage: wareloom");
        const auto codePage = [](const char* name, bool accepted) {
            QTest::newRow(name) << QStringList{"-Export", "None", "-"} << QByteArray(name)
                                << (accepted ? QByteArray() : "\"" + QByteArray(name) + '"');
        };
        codePage("bogus-codepage", false);
        codePage("UTF-16", false);
        codePage("UTF-32", false);
        codePage("UTF-7", false);
        codePage("UTF-8", false);
        codePage("EBCDIC-US", false);
        codePage("windows-1251", true);
        codePage("CP932", true);
    }
    void refusedAtStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, said);
        qputenv("WARELOOM_CODEPAGE", codePage);
        qputenv("WARELOOM_DATA_DIR", "/nonexistent/wareloom-data");
        const auto run = runWareloom(arguments);
        qunsetenv("WARELOOM_CODEPAGE");
        qunsetenv("WARELOOM_DATA_DIR");
        QVERIFY(run.finished);
        if (said.isEmpty()) { // on to the category, which is not there
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains("There is no category"), run.err.constData());
        } else {
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(said), run.err.constData());
        }
    }

    // Copied without the program of the windows it hands them to: said, with
    // where it looked and why, not a silent end.
    void saysWhenTheWindowsAreMissing()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath("wareloom");
        QVERIFY(QFile::copy(test::wareloomBinary(), program));
        const auto run = runWareloom({}, program, test::programEnvironment(true));
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("Wareloom: The windows of Wareloom cannot be started: /") &&
                     run.err.contains("/wareloom-desktop: No such file or directory"),
                 run.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
