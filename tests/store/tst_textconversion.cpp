#include "core/util/TextConversion.h"

#include <QTest>

using namespace wareloom;

class TestTextConversion : public QObject
{
    Q_OBJECT

    static void useCodePage(const char* name) { setConversionCodePage(name); }

private Q_SLOTS:
    // The Windows code page of the locale; the first setting given wins; a
    // forced one over all.
    void codePageFollowsLocale()
    {
        const char* cases[][4] = {
            {"", "C", "", "CP1252"},          {"", "", "zh_CN.UTF-8", "CP936"},
            {"", "", "zh_TW.UTF-8", "CP950"}, {"", "ru_RU.UTF-8", "en_GB.UTF-8", "CP1251"},
            {"", "", "", "CP1252"},           {"CP1250", "ru_RU.UTF-8", "", "CP1250"}};
        for (const auto& [forced, first, later, expected] : cases)
            QCOMPARE(chooseCodePage(forced, {first, later}), QByteArray(expected));
    }

    // back: what the bytes read back as. No bytes: the code page cannot be used.
    void converts_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("back");
        const QByteArray w = "CP1252";
        QTest::newRow("e acute, euro, quotes, bytes 1252 leaves undefined kept as Windows does")
            << w << "\u00E9\u20AC\u201Cx\u201D\u0081\u009D" << -1
            << QByteArray("\xE9\x80\x93x\x94\x81\x9D") << "\u00E9\u20AC\u201Cx\u201D\u0081\u009D";
        QTest::newRow("not in the code page; a surrogate pair is one character, a lone one too")
            << w << "\u0141\u00F3d\U0001F600" + QString(QChar(0xD800)) << -1
            << QByteArray("?\xF3\x64??") << "?\u00F3d??";
        QTest::newRow("environment overrides the locale")
            << QByteArray("CP1251") << "\u0416" << -1 << QByteArray("\xC6") << "\u0416";
        QTest::newRow("unknown code page")
            << QByteArray("NO-SUCH-CODEPAGE") << "abc" << -1 << QByteArray() << QString();
        QTest::newRow("cut at a character, to 60 bytes: half-width katakana 1 byte, kanji 2")
            << QByteArray("CP932") << QString(31, QChar(0xFF71)) + QString(20, QChar(0x65E5)) << 60
            << QByteArray(31, '\xB1') + QByteArray("\x93\xFA").repeated(14)
            << QString(31, QChar(0xFF71)) + QString(14, QChar(0x65E5));
    }
    void converts()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, back);
        useCodePage(codePage);
        const bool usable = !bytes.isEmpty();
        bool ok = !usable, backOk = !usable;
        QCOMPARE(toCodePage(text, maxBytes, &ok), bytes);
        QCOMPARE(fromCodePage(usable ? bytes : text.toLatin1(), &backOk), back);
        QVERIFY(ok == usable && backOk == usable);
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
