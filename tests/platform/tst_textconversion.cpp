#include "platform/TextConversion.h"

#include <QTest>

using namespace wareloom;

// Conversions between the window texts and the 8-bit texts stored in records,
// the settings file and the pages.
class TestTextConversion : public QObject
{
    Q_OBJECT

private:
    static void useCodePage(const char* name)
    {
        qputenv("WARELOOM_CODEPAGE", name);
        resetConversionCodePage();
    }

private Q_SLOTS:
    void cleanup() { useCodePage(""); }

    void codePageFollowsLocale_data()
    {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("C") << QByteArray("C") << QByteArray() << QByteArray("CP1252");
        QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray("CP1252");
        QTest::newRow("English") << QByteArray() << QByteArray("en_US.UTF-8") << QByteArray("CP1252");
        QTest::newRow("German") << QByteArray() << QByteArray("de_DE.UTF-8") << QByteArray("CP1252");
        QTest::newRow("Polish") << QByteArray() << QByteArray("pl_PL.UTF-8") << QByteArray("CP1250");
        QTest::newRow("Russian") << QByteArray() << QByteArray("ru_RU.UTF-8") << QByteArray("CP1251");
        QTest::newRow("Greek") << QByteArray() << QByteArray("el_GR.UTF-8") << QByteArray("CP1253");
        QTest::newRow("Turkish") << QByteArray() << QByteArray("tr_TR.UTF-8") << QByteArray("CP1254");
        QTest::newRow("Japanese") << QByteArray() << QByteArray("ja_JP.UTF-8") << QByteArray("CP932");
        QTest::newRow("Chinese (China)") << QByteArray() << QByteArray("zh_CN.UTF-8") << QByteArray("CP936");
        QTest::newRow("Chinese (Taiwan)") << QByteArray() << QByteArray("zh_TW.UTF-8") << QByteArray("CP950");
        QTest::newRow("LC_ALL wins over LANG") << QByteArray("ru_RU.UTF-8") << QByteArray("en_GB.UTF-8")
                                               << QByteArray("CP1251");
    }

    void codePageFollowsLocale()
    {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lang);
        QFETCH(QByteArray, expected);
        const QByteArray savedAll = qgetenv("LC_ALL");
        const QByteArray savedCtype = qgetenv("LC_CTYPE");
        const QByteArray savedLang = qgetenv("LANG");
        qputenv("LC_ALL", lcAll);
        qunsetenv("LC_CTYPE");
        qputenv("LANG", lang);
        resetConversionCodePage();
        const QByteArray chosen = conversionCodePage();
        qputenv("LC_ALL", savedAll);
        qputenv("LC_CTYPE", savedCtype);
        qputenv("LANG", savedLang);
        QCOMPARE(chosen, expected);
    }

    void environmentOverridesLocale()
    {
        useCodePage("CP1251");
        QCOMPARE(conversionCodePage(), QByteArray("CP1251"));
        QCOMPARE(toCodePage(u"\u0416"), QByteArray("\xC6"));
    }

    void windows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Mug 4.50") << QByteArray("Mug 4.50");
        QTest::newRow("e acute") << QStringLiteral("\u00E9") << QByteArray("\xE9");
        QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\x80");
        QTest::newRow("curly quotes") << QStringLiteral("\u201Cx\u201D") << QByteArray("\x93x\x94");
        // Windows keeps the five bytes 1252 leaves undefined as the characters of the same number.
        QTest::newRow("undefined 0x81") << QStringLiteral("\u0081") << QByteArray("\x81");
        QTest::newRow("undefined 0x9D") << QStringLiteral("\u009D") << QByteArray("\x9D");
    }

    void windows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        useCodePage("CP1252");
        bool ok = false;
        QCOMPARE(toCodePage(text, -1, &ok), bytes);
        QVERIFY(ok);
        QCOMPARE(fromCodePage(bytes, &ok), text);
        QVERIFY(ok);
    }

    void missingCharactersBecomeQuestionMarks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("L stroke") << QStringLiteral("\u0141\u00F3d\u017A") << QByteArray("?\xF3" "d?");
        QTest::newRow("surrogate pair is one character") << QStringLiteral("a\U0001F600b")
                                                         << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }

    void missingCharactersBecomeQuestionMarks()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        useCodePage("CP1252");
        QCOMPARE(toCodePage(text), bytes);
    }

    void multiByteTextIsCutAtCharacterBoundary_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<int>("expectedBytes");
        QTest::addColumn<int>("expectedCharacters");
        const QString kanji(60, QChar(0x65E5)); // 60 characters, two bytes each in CP932
        QTest::newRow("60 kanji into 60 bytes") << kanji << 60 << 60 << 30;
        QTest::newRow("odd room leaves the byte free") << QStringLiteral("a") + kanji << 60 << 59 << 30;
        QTest::newRow("half-width katakana is one byte") << QString(70, QChar(0xFF71)) << 60 << 60 << 60;
        QTest::newRow("no limit") << kanji << -1 << 120 << 60;
    }

    void multiByteTextIsCutAtCharacterBoundary()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(int, expectedBytes);
        QFETCH(int, expectedCharacters);
        useCodePage("CP932");
        const QByteArray bytes = toCodePage(text, maxBytes);
        QCOMPARE(bytes.size(), expectedBytes);
        const QString back = fromCodePage(bytes);
        QCOMPARE(back, text.left(expectedCharacters));
    }

    void invalidMultiByteInputIsReplaced()
    {
        useCodePage("CP932");
        // A lead byte at the end and a lone trail byte: each spoils only itself.
        const QString text = fromCodePage(QByteArray("ab\x93\xfa\x81", 5));
        QCOMPARE(text.left(3), QStringLiteral("ab\u65E5"));
        QCOMPARE(text.size(), 4);
    }

    void unknownCodePageYieldsNoText()
    {
        useCodePage("NO-SUCH-CODEPAGE");
        bool ok = true;
        QVERIFY(toCodePage(u"abc", -1, &ok).isEmpty());
        QVERIFY(!ok);
        QVERIFY(fromCodePage("abc", &ok).isEmpty());
        QVERIFY(!ok);
    }
};

QTEST_GUILESS_MAIN(TestTextConversion)
#include "tst_textconversion.moc"
