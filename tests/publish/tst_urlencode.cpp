#include "core/pages/URLEncode.h"

#include <QTest>

using wareloom::URLEncode;

class TestURLEncode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("percent, space and bang")
            << QByteArray("50% off!") << QByteArray("50%25%20off%21");
        QTest::newRow("nothing to escape") << QByteArray("a#b.c-d_e") << QByteArray("a#b.c-d_e");
        QTest::newRow("byte 0xE9") << QByteArray("\xE9") << QByteArray("\xE9");
        QTest::newRow("all escapes in a row")
            << QByteArray("x\n\r !$%&'()*+,/:;=?@y")
            << QByteArray("x%0A%0D%20%21%24%25%26%27%28%29%2A%2B%2C%2F%3A%3B%3D%3F%40y");
        // A long name is encoded whole, well past 200 bytes.
        QTest::newRow("70 ampersands") << QByteArray(70, '&') << QByteArray("%26").repeated(70);
    }
    void encodes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, encoded);
        QCOMPARE(URLEncode(text), encoded);
    }
};

QTEST_GUILESS_MAIN(TestURLEncode)
#include "tst_urlencode.moc"
