#include "publish/URLEncode.h"

#include <QTest>

using wareloom::URLEncode;

class TestURLEncode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodes_data();
    void encodes();
    void escapesExactlyTheListedBytes_data();
    void escapesExactlyTheListedBytes();
    void keepsEveryOtherByte_data();
    void keepsEveryOtherByte();
};

void TestURLEncode::encodes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("encoded");

    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("percent, space and bang")
        << QByteArray("50% off!") << QByteArray("50%25%20off%21");
    QTest::newRow("nothing to escape") << QByteArray("a#b.c-d_e") << QByteArray("a#b.c-d_e");
    QTest::newRow("byte 0xE9") << QByteArray("\xE9") << QByteArray("\xE9");
    QTest::newRow("category name")
        << QByteArray("Tools & Parts") << QByteArray("Tools%20%26%20Parts");
    QTest::newRow("all escapes in a row")
        << QByteArray("\n\r !$%&'()*+,/:;=?@")
        << QByteArray("%0A%0D%20%21%24%25%26%27%28%29%2A%2B%2C%2F%3A%3B%3D%3F%40");
    // A long name is encoded whole, well past 200 bytes.
    QTest::newRow("70 ampersands") << QByteArray(70, '&') << QByteArray("%26").repeated(70);
}

void TestURLEncode::encodes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(URLEncode(text), encoded);
}

void TestURLEncode::escapesExactlyTheListedBytes_data()
{
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QByteArray>("escape");

    QTest::newRow("line feed") << QByteArray("\n") << QByteArray("%0A");
    QTest::newRow("carriage return") << QByteArray("\r") << QByteArray("%0D");
    QTest::newRow("space") << QByteArray(" ") << QByteArray("%20");
    QTest::newRow("!") << QByteArray("!") << QByteArray("%21");
    QTest::newRow("$") << QByteArray("$") << QByteArray("%24");
    QTest::newRow("%") << QByteArray("%") << QByteArray("%25");
    QTest::newRow("&") << QByteArray("&") << QByteArray("%26");
    QTest::newRow("'") << QByteArray("'") << QByteArray("%27");
    QTest::newRow("(") << QByteArray("(") << QByteArray("%28");
    QTest::newRow(")") << QByteArray(")") << QByteArray("%29");
    QTest::newRow("*") << QByteArray("*") << QByteArray("%2A");
    QTest::newRow("+") << QByteArray("+") << QByteArray("%2B");
    QTest::newRow(",") << QByteArray(",") << QByteArray("%2C");
    QTest::newRow("/") << QByteArray("/") << QByteArray("%2F");
    QTest::newRow(":") << QByteArray(":") << QByteArray("%3A");
    QTest::newRow(";") << QByteArray(";") << QByteArray("%3B");
    QTest::newRow("=") << QByteArray("=") << QByteArray("%3D");
    QTest::newRow("?") << QByteArray("?") << QByteArray("%3F");
    QTest::newRow("@") << QByteArray("@") << QByteArray("%40");
}

void TestURLEncode::escapesExactlyTheListedBytes()
{
    QFETCH(QByteArray, byte);
    QFETCH(QByteArray, escape);
    QCOMPARE(URLEncode(byte), escape);
    QCOMPARE(URLEncode("x" + byte + "y"), "x" + escape + "y");
}

void TestURLEncode::keepsEveryOtherByte_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("double quote") << QByteArray("\"");
    QTest::newRow("# < > . - _ ~") << QByteArray("#<>.-_~");
    QTest::newRow("brackets and backslash") << QByteArray("[]\\");
    QTest::newRow("tab and other control bytes") << QByteArray("\t\x01\x1F\x7F");
    QTest::newRow("bytes from 0x80 up") << QByteArray("\x80\xA0\xE9\xFF");
    QTest::newRow("letters and digits") << QByteArray("AZaz09");
}

void TestURLEncode::keepsEveryOtherByte()
{
    QFETCH(QByteArray, text);
    QCOMPARE(URLEncode(text), text);
}

QTEST_GUILESS_MAIN(TestURLEncode)
#include "tst_urlencode.moc"
