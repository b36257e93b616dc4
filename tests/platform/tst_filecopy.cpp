#include "ReadOnlyDirectory.h"
#include "TestFiles.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace wareloom;
using test::readFile;

namespace {

// Bytes of every value, more than one read chunk long.
QByteArray binaryBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 200 * 1024; ++i)
        bytes += char((i * 7 + i / 256) & 0xff);
    return bytes;
}

} // namespace

class TestFileCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_target;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(path(QStringLiteral("data")));
        m_target = path(QStringLiteral("data/A1.jpg"));
        QFile::remove(m_target);
    }

    void copiesByteForByte_data()
    {
        QTest::addColumn<bool>("earlierTarget");
        QTest::newRow("new file") << false;
        QTest::newRow("replaces an earlier file") << true;
    }

    void copiesByteForByte()
    {
        QFETCH(bool, earlierTarget);
        const QByteArray bytes = binaryBytes();
        QVERIFY(test::writeFile(path(QStringLiteral("photo.png")), bytes));
        if (earlierTarget)
            QVERIFY(test::writeFile(m_target, QByteArray(300 * 1024, 'x')));

        const Status copied = copyFileAtomically(path(QStringLiteral("photo.png")), m_target);

        QVERIFY2(copied.ok(), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), bytes);
        QCOMPARE(QDir(path(QStringLiteral("data"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("A1.jpg")});
    }

    void copyOntoItselfKeepsTheFile()
    {
        const QByteArray bytes = binaryBytes();
        QVERIFY(test::writeFile(m_target, bytes));
        const Status copied = copyFileAtomically(m_target, m_target);
        QVERIFY2(copied.ok(), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), bytes);
    }

    void failedCopyLeavesTheEarlierFileWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("readOnlyTarget");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing source")
            << QStringLiteral("missing.png") << false << QStringLiteral("missing.png");
        QTest::newRow("source is a directory")
            << QStringLiteral("data") << false << QStringLiteral("data");
        QTest::newRow("directory refuses writes")
            << QStringLiteral("photo.png") << true << QStringLiteral("A1.jpg");
    }

    void failedCopyLeavesTheEarlierFileWhole()
    {
        QFETCH(QString, source);
        QFETCH(bool, readOnlyTarget);
        QFETCH(QString, named);
        QVERIFY(test::writeFile(path(QStringLiteral("photo.png")), binaryBytes()));
        QVERIFY(test::writeFile(m_target, "old picture"));
        std::optional<test::ReadOnlyDirectory> readOnly;
        if (readOnlyTarget) {
            readOnly.emplace(path(QStringLiteral("data")));
            QVERIFY(readOnly->ok());
        }

        const Status copied = copyFileAtomically(path(source), m_target);

        QVERIFY(!copied.ok());
        QVERIFY2(copied.message().contains(named), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), QByteArray("old picture"));
        readOnly.reset();
        QCOMPARE(QDir(path(QStringLiteral("data"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("A1.jpg")});
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
