#include "TestFiles.h"
#include "core/util/AtomicFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using test::readFile;

// Copying a picture into the data directory; the disk faults are in tst_filefaults.
class TestFileCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_target = m_dir.filePath("data/A1.jpg");

    QStringList dataFiles() const { return QDir(m_dir.filePath("data")).entryList(QDir::Files); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("data"));
        QFile::remove(m_target);
    }

    // source: null when the copy must fail; earlier: null when there is no earlier file
    void copiesWholeOrNotAtAll_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("earlier");
        QByteArray bytes; // every byte value, more than one read chunk long
        for (int i = 0; i < 200 * 1024; ++i)
            bytes += char((i * 7 + i / 256) & 0xff);
        QVERIFY(test::writeFile(m_dir.filePath("photo.png"), bytes));
        QTest::newRow("new file") << "photo.png" << QByteArray();
        QTest::newRow("replaces a longer file") << "photo.png" << QByteArray(300 * 1024, 'x');
        QTest::newRow("onto itself") << "data/A1.jpg" << bytes;
        QTest::newRow("missing source") << "missing.png" << QByteArray("old picture");
        QTest::newRow("source is a directory") << "data" << QByteArray("old picture");
    }
    void copiesWholeOrNotAtAll()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, earlier);
        if (!earlier.isNull())
            QVERIFY(test::writeFile(m_target, earlier));
        const QByteArray expected = readFile(m_dir.filePath("photo.png"));
        const Status copied = copyFileAtomically(m_dir.filePath(source), m_target);
        const bool canCopy = QFileInfo(m_dir.filePath(source)).isFile();
        QCOMPARE(copied.ok(), canCopy);
        QVERIFY2(canCopy || copied.message().contains(source), qPrintable(copied.message()));
        QCOMPARE(readFile(m_target), canCopy ? expected : earlier);
        QCOMPARE(dataFiles(), QStringList{"A1.jpg"});
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
