// Replays every stored input of one fuzz target through the target's own
// checks: its seeds, and the input of each crash the fuzzer found, kept in
// tests/data/fuzz/<target>/ once fixed. A failed check aborts the test.
#include <QDir>
#include <QTest>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        const QDir inputs(WARELOOM_TEST_DATA "/fuzz/" WARELOOM_FUZZ_TARGET);
        const QStringList names = inputs.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!names.isEmpty(), qPrintable(inputs.path() + " holds no input"));
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << inputs.filePath(name);
    }
    void replay()
    {
        QFETCH(QString, path);
        QFile input(path);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QByteArray bytes = input.readAll();
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()),
                                        size_t(bytes.size())),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
