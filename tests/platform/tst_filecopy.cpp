#include "TestFiles.h"
#include "core/util/AtomicFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using test::readFile;

class TestFileCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_target;
    QByteArray m_bytes; // every byte value, more than one read chunk long

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList dataFiles() const { return QDir(path("data")).entryList(QDir::Files); }

private Q_SLOTS:
    void initTestCase()
    {
        for (int i = 0; i < 200 * 1024; ++i)
            m_bytes += char((i * 7 + i / 256) & 0xff);
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(path("data"));
        m_target = path("data/A1.jpg");
        QFile::remove(m_target);
        QVERIFY(test::writeFile(path("photo.png"), m_bytes));
    }

    void copiesByteForByte_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("earlier"); // null: no earlier file
        QTest::newRow("new file") << "photo.png" << QByteArray();
        QTest::newRow("replaces an earlier file") << "photo.png" << QByteArray(300 * 1024, 'x');
        QTest::newRow("onto itself") << "data/A1.jpg" << m_bytes;
    }
    void copiesByteForByte()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, earlier);
        if (!earlier.isNull())
            QVERIFY(test::writeFile(m_target, earlier));
        const Status copied = copyFileAtomically(path(source), m_target);
        QVERIFY2(copied.ok(), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), m_bytes);
        QCOMPARE(dataFiles(), QStringList{"A1.jpg"});
    }

    void failedCopyLeavesTheEarlierFileWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("missing source") << "missing.png";
        QTest::newRow("source is a directory") << "data";
    }
    void failedCopyLeavesTheEarlierFileWhole()
    {
        QFETCH(QString, source);
        QVERIFY(test::writeFile(m_target, "old picture"));
        const Status copied = copyFileAtomically(path(source), m_target);
        QVERIFY(!copied.ok());
        QVERIFY2(copied.message().contains(source), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), QByteArray("old picture"));
        QCOMPARE(dataFiles(), QStringList{"A1.jpg"});
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
