#include "editing/ItemTexts.h"
#include "platform/TextConversion.h"

#include <QTest>

using namespace wareloom;

// The Save checks shared by the Add Item and Edit Item dialogs.
class TestItemTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    void firstFailedCheckWins_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        const QString n61(61, QLatin1Char('n')), t11(11, QLatin1Char('9'));
        QTest::newRow("empty name, all else too long") << QString() << t11 << t11 << t11
                                                       << QStringLiteral("EMPTY") << QStringLiteral("Wareloom");
        QTest::newRow("name 61 and price 11") << n61 << t11 << QString() << QString()
                                              << QStringLiteral("Maximum 60 characters for item name!")
                                              << QStringLiteral("ERROR:");
        QTest::newRow("price 11") << QStringLiteral("Mug") << t11 << t11 << QString()
                                  << QStringLiteral("Maximum 10 characters for item price!")
                                  << QStringLiteral("ERROR:");
        QTest::newRow("qty 11") << QStringLiteral("Mug") << QString() << t11 << t11
                                << QStringLiteral("Maximum 10 characters for item qty!")
                                << QStringLiteral("ERROR:");
        QTest::newRow("code 11") << QStringLiteral("Mug") << QString() << QString() << t11
                                 << QStringLiteral("Maximum 10 characters for item code!")
                                 << QStringLiteral("ERROR:");
    }

    void firstFailedCheckWins()
    {
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(QString, qty);
        QFETCH(QString, code);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        const auto failure = checkItemTexts({name, price, qty, code}, QStringLiteral("EMPTY"));
        QVERIFY(failure.has_value());
        QCOMPARE(failure->message, message);
        QCOMPARE(failure->caption, caption);
    }

    void limitsAreInclusive()
    {
        const ItemTexts texts{QString(60, QChar(0x00E9)), QString(10, QLatin1Char('p')),
                              QString(10, QLatin1Char('q')), QString(10, QLatin1Char('c'))};
        QVERIFY(!checkItemTexts(texts, QStringLiteral("EMPTY")).has_value());
        QVERIFY(!checkItemTexts({QStringLiteral("x"), {}, {}, {}}, QStringLiteral("EMPTY")).has_value());
    }

    void passedBoxesAreComposedBeforeTheFailure()
    {
        ItemRecord scratch;
        scratch.bytes.fill('#');
        const auto failure = checkItemTexts(
            {QStringLiteral("Saw"), QStringLiteral("12"), QString(11, QLatin1Char('q')), QStringLiteral("S1")},
            QStringLiteral("EMPTY"), &scratch);
        QVERIFY(failure.has_value());
        QByteArray expected(ItemRecord::Size, '#');
        expected.replace(0, 4, QByteArray("Saw", 4));
        expected.replace(70, 3, QByteArray("12", 3));
        QCOMPARE(QByteArray(scratch.bytes.data(), ItemRecord::Size), expected);
    }

    void storeKeepsBytesBehindTheTerminators()
    {
        ItemRecord record;
        record.bytes.fill('#');
        storeItemTexts(record, {QStringLiteral("Lamp"), QStringLiteral("9.99"), QStringLiteral("2"),
                                QStringLiteral("0123456789")});
        QByteArray expected(ItemRecord::Size, '#');
        expected.replace(0, 5, QByteArray("Lamp", 5));
        expected.replace(60, 10, "0123456789");
        expected.replace(70, 5, QByteArray("9.99", 5));
        expected.replace(80, 2, QByteArray("2", 2));
        QCOMPARE(QByteArray(record.bytes.data(), ItemRecord::Size), expected);

        const ItemTexts back = itemTextsOf(record);
        QCOMPARE(back.name, QStringLiteral("Lamp"));
        QCOMPARE(back.price, QStringLiteral("9.99"));
        QCOMPARE(back.qty, QStringLiteral("2"));
        QCOMPARE(back.code, QStringLiteral("0123456789"));
    }
};

QTEST_GUILESS_MAIN(TestItemTexts)
#include "tst_itemtexts.moc"
