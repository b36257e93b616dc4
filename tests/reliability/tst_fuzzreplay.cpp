// Replays the stored inputs of one fuzz target (tests/data/fuzz/<target>/: its seeds
// and each fixed crash) through the target's own checks, which abort on a fault.
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
        QVERIFY2(!inputs.isEmpty(QDir::Files), qPrintable(inputs.path() + " holds no input"));
        for (const QString& name : inputs.entryList(QDir::Files, QDir::Name)) {
            qInfo("%s", qPrintable(name)); // the input that aborts is the last named
            const QByteArray in = wareloom::test::readFile(inputs.filePath(name));
            QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(in.data()), in.size()),
                     0);
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
