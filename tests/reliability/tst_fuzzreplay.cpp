// Replays every stored input of one fuzz target through the target's own
// checks: its seeds, and the input of each crash the fuzzer found, kept in
// tests/data/fuzz/<target>/ once fixed. A failed check aborts the test.
#include "TestFiles.h"

#include <QDir>
#include <QTest>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replay()
    {
        const QDir inputs(WARELOOM_TEST_DATA "/fuzz/" WARELOOM_FUZZ_TARGET);
        const QStringList names = inputs.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!names.isEmpty(), qPrintable(inputs.path() + " holds no input"));
        for (const QString& name : names) {
            const QByteArray bytes = wareloom::test::readFile(inputs.filePath(name));
            qInfo("%s", qPrintable(name)); // the input that aborts is the last named
            QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()),
                                            size_t(bytes.size())),
                     0);
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
