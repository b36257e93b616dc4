#include "core/util/TextConversion.h"

#include <QTest>

using namespace wareloom;

class TestTextConversion : public QObject
{
    Q_OBJECT

    static void useCodePage(const char* name)
    {
        qputenv("WARELOOM_CODEPAGE", name);
        resetConversionCodePage();
    }

private Q_SLOTS:
    void cleanup() { useCodePage(""); }

    // The Windows code page of the locale; LC_ALL before LANG.
    void codePageFollowsLocale_data()
    {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("C") << QByteArray("C") << QByteArray() << QByteArray("CP1252");
        QTest::newRow("Polish") << QByteArray() << QByteArray("pl_PL.UTF-8")
                                << QByteArray("CP1250");
        QTest::newRow("China") << QByteArray() << QByteArray("zh_CN.UTF-8") << QByteArray("CP936");
        QTest::newRow("Taiwan") << QByteArray() << QByteArray("zh_TW.UTF-8") << QByteArray("CP950");
        QTest::newRow("LC_ALL wins")
            << QByteArray("ru_RU.UTF-8") << QByteArray("en_GB.UTF-8") << QByteArray("CP1251");
    }
    void codePageFollowsLocale()
    {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lang);
        QFETCH(QByteArray, expected);
        const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_CTYPE"), qgetenv("LANG")};
        qputenv("LC_ALL", lcAll);
        qunsetenv("LC_CTYPE");
        qputenv("LANG", lang);
        useCodePage("");
        const QByteArray chosen = conversionCodePage();
        qputenv("LC_ALL", saved[0]);
        qputenv("LC_CTYPE", saved[1]);
        qputenv("LANG", saved[2]);
        QCOMPARE(chosen, expected);
    }

    // back: what the bytes read back as. No bytes: the code page cannot be used.
    void converts_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("back");
        const QByteArray w = "CP1252";
        QTest::newRow("e acute, euro, quotes")
            << w << "\u00E9\u20AC\u201Cx\u201D" << QByteArray("\xE9\x80\x93x\x94")
            << "\u00E9\u20AC\u201Cx\u201D";
        // Windows keeps the bytes 1252 leaves undefined as the characters of the same number.
        QTest::newRow("undefined bytes")
            << w << "\u0081\u009D" << QByteArray("\x81\x9D") << "\u0081\u009D";
        QTest::newRow("L stroke") << w << "\u0141\u00F3d\u017A" << QByteArray("?\xF3\x64?")
                                  << "?\u00F3d?";
        QTest::newRow("surrogate pair is one character")
            << w << "a\U0001F600b" << QByteArray("a?b") << "a?b";
        QTest::newRow("lone surrogate") << w << QString(QChar(0xD800)) << QByteArray("?") << "?";
        QTest::newRow("environment overrides the locale")
            << QByteArray("CP1251") << "\u0416" << QByteArray("\xC6") << "\u0416";
        QTest::newRow("unknown code page")
            << QByteArray("NO-SUCH-CODEPAGE") << "abc" << QByteArray() << QString();
    }
    void converts()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, back);
        useCodePage(codePage);
        const bool usable = !bytes.isEmpty();
        bool ok = !usable;
        QCOMPARE(toCodePage(text, -1, &ok), bytes);
        QCOMPARE(ok, usable);
        ok = !usable;
        QCOMPARE(fromCodePage(usable ? bytes : text.toLatin1(), &ok), back);
        QCOMPARE(ok, usable);
    }

    // A field's text is cut at a character boundary: no half character is stored.
    void multiByteTextIsCutAtCharacterBoundary_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<int>("keptCharacters");
        const QString kanji(60, QChar(0x65E5)); // two bytes each in CP932
        QTest::newRow("60 kanji into 60 bytes") << kanji << 60 << 30;
        QTest::newRow("odd room leaves the byte free") << "a" + kanji << 60 << 30;
        QTest::newRow("half-width katakana is one byte") << QString(70, QChar(0xFF71)) << 60 << 60;
    }
    void multiByteTextIsCutAtCharacterBoundary()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(int, keptCharacters);
        useCodePage("CP932");
        const QByteArray bytes = toCodePage(text, maxBytes);
        QCOMPARE(fromCodePage(bytes), text.left(keptCharacters));
        QCOMPARE(bytes, toCodePage(text.left(keptCharacters)));
    }

    // A lead byte at the end and a lone trail byte: each spoils only itself.
    void invalidMultiByteInputIsReplaced()
    {
        useCodePage("CP932");
        const QString text = fromCodePage(QByteArray("ab\x93\xfa\x81", 5));
        QCOMPARE(text.left(3), QStringLiteral("ab\u65E5"));
        QCOMPARE(text.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestTextConversion)
#include "tst_textconversion.moc"
