#include "core/store/ItemTexts.h"
#include "core/util/TextConversion.h"

#include <QTest>

using namespace wareloom;

// The Save checks shared by the Add Item and Edit Item dialogs.
class TestItemTexts : public QObject
{
    Q_OBJECT

    static QByteArray bytesOf(const ItemRecord& record)
    {
        return QByteArray(record.bytes.data(), ItemRecord::Size);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        resetConversionCodePage();
    }

    void firstFailedCheckWins_data()
    {
        QTest::addColumn<QStringList>("texts"); // name, price, qty, code
        QTest::addColumn<QString>("message");   // empty: accepted
        QTest::addColumn<QString>("caption");
        const QString t10(10, 't'), t11(11, '9'), error("ERROR:");
        QTest::newRow("empty name, all else too long") << QStringList{"", t11, t11, t11} << "EMPTY"
                                                       << "Wareloom";
        QTest::newRow("name 61 and price 11") << QStringList{QString(61, 'n'), t11, "", ""}
                                              << "Maximum 60 characters for item name!" << error;
        QTest::newRow("price 11") << QStringList{"Mug", t11, t11, ""}
                                  << "Maximum 10 characters for item price!" << error;
        QTest::newRow("qty 11") << QStringList{"Mug", "", t11, t11}
                                << "Maximum 10 characters for item qty!" << error;
        QTest::newRow("code 11") << QStringList{"Mug", "", "", t11}
                                 << "Maximum 10 characters for item code!" << error;
        // Characters are counted, not their bytes.
        QTest::newRow("60 and 10: the limits")
            << QStringList{QString(60, QChar(0x00E9)), t10, t10, t10} << ""
            << "";
        // Never stored as '?': each character is named once, whichever box holds it.
        QTest::newRow("characters the code page lacks")
            << QStringList{"Teddy \U0001F9F8 \u540D", "\u540D", "?", "\U0001F9F8\u0141"}
            << "These characters cannot be stored: \U0001F9F8 \u540D \u0141" << error;
        QTest::newRow("name alone") << QStringList{"x", "", "", ""} << ""
                                    << "";
    }
    void firstFailedCheckWins()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        const auto failure = checkItemTexts({texts[0], texts[1], texts[2], texts[3]}, "EMPTY");
        QCOMPARE(failure.has_value(), !message.isEmpty());
        if (failure) {
            QCOMPARE(failure->message, message);
            QCOMPARE(failure->caption, caption);
        }
    }

    void passedBoxesAreComposedBeforeTheFailure()
    {
        ItemRecord scratch;
        scratch.bytes.fill('#');
        QVERIFY(checkItemTexts({"Saw", "12", QString(11, 'q'), "S1"}, "EMPTY", &scratch));
        QByteArray expected(ItemRecord::Size, '#');
        expected.replace(0, 4, QByteArray("Saw", 4));
        expected.replace(70, 3, QByteArray("12", 3));
        QCOMPARE(bytesOf(scratch), expected);
    }
};

QTEST_GUILESS_MAIN(TestItemTexts)
#include "tst_itemtexts.moc"
