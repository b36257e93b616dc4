#include "TempDataDirectory.h"
#include "core/pages/PageCache.h"
#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace wareloom;
using test::readFile;
using test::recordBytes;
using test::writeFile;

// A run writes only the pages whose bytes would change, and the pages stay
// byte for byte what a run without a cache writes.
class TestPageCache : public QObject
{
    Q_OBJECT

    std::optional<test::TempDataDirectory> m_data;

    static QDateTime march7() { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    bool generate() const
    {
        return PublishRun(m_data->store(), 3, PublishRun::Mode::GenerateOnly, march7)
                   .run()
                   .result == PublishOutcome::Result::Done;
    }
    // Each page by name: what tells a file written again (a new inode, new times).
    QHash<QString, QByteArray> pageFiles() const
    {
        QHash<QString, QByteArray> files;
        for (const QString& name : QDir(m_data->path()).entryList({"*.htm"}, QDir::Files)) {
            struct stat info;
            if (::lstat(QFile::encodeName(m_data->filePath(name)).constData(), &info) == 0)
                files.insert(name, QByteArray::number(quint64(info.st_ino)) + ' ' +
                                       QByteArray::number(info.st_mtim.tv_nsec) + ' ' +
                                       QByteArray::number(info.st_ctim.tv_nsec));
        }
        return files;
    }
    QHash<QString, QByteArray> pageBytes() const
    {
        QHash<QString, QByteArray> pages;
        for (const QString& name : QDir(m_data->path()).entryList({"*.htm"}, QDir::Files))
            pages.insert(name, readFile(m_data->filePath(name)));
        return pages;
    }
    // Sets the times of a file as the copy of a backup keeps them.
    bool setTimes(const QString& name, const struct stat& from) const
    {
        const timespec times[2] = {from.st_atim, from.st_mtim};
        return ::utimensat(AT_FDCWD, QFile::encodeName(m_data->filePath(name)).constData(), times,
                           0) == 0;
    }

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        setConversionCodePage("CP1252");
    }

    void writesWhatChanged_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("written"); // besides the main page
        const QStringList all{"A.htm", "B.htm", "C.htm"};
        for (const QString style : {"Classic"}) {
            const auto row = [&](const QString& change, const QStringList& written) {
                QTest::addRow("%s, %s", qPrintable(style), qPrintable(change))
                    << style << change << written;
            };
            row("nothing", {});
            row("item edited", {"B.htm"});
            row("same size, old times kept", {"B.htm"});
            row("touched", {});
            row("part record added", {});
            row("page deleted", {"B.htm"});
            row("page edited", {"B.htm"});
            row("category added", {"D.htm"});
            row("code page", all);
            row("Website.ini", all);
            row("picture added", {});
            row("picture removed", {});
            row("cache damaged", all);
            row("cache missing", all);
        }
        QTest::newRow("style changed") << "Classic"
                                       << "style" << all;
    }
    void writesWhatChanged()
    {
        QFETCH(QString, style);
        QFETCH(QString, change);
        QFETCH(QStringList, written);
        QVERIFY(m_data->writeFile("Website.ini", "[Website]\nStyle=" + style.toUtf8() + "\n"));
        for (const char* name : {"A", "B", "C"})
            QVERIFY(m_data->writeFile(QString(name) + ".dat",
                                      recordBytes("Lamp \xE9", "L1", "9.99", "2") +
                                          recordBytes(name, "K" + QByteArray(name))));
        QVERIFY(m_data->writeFile("L1.jpg", "picture") && m_data->writeFile("KC.jpg", "picture"));
        QVERIFY(generate());
        const QHash<QString, QByteArray> before = pageFiles();
        QTest::qWait(20); // past the file system's clock step: a new write shows

        struct stat old;
        QCOMPARE(::stat(QFile::encodeName(m_data->filePath("B.dat")).constData(), &old), 0);
        const QByteArray b = readFile(m_data->filePath("B.dat"));
        if (change == "item edited") {
            QVERIFY(writeCategory(m_data->filePath("B.dat"), {test::recordOf(recordBytes("Lamp"))},
                                  "Edit Item"));
        } else if (change == "same size, old times kept") {
            QVERIFY(m_data->writeFile("B.dat", QByteArray(b).replace("9.99", "8.88")) &&
                    setTimes("B.dat", old));
        } else if (change == "touched") {
            QVERIFY(m_data->writeFile("B.dat", b));
        } else if (change == "part record added") {
            QVERIFY(m_data->writeFile("B.dat", b + "part"));
        } else if (change == "page deleted") {
            QVERIFY(QFile::remove(m_data->filePath("B.htm")));
        } else if (change == "page edited") {
            QByteArray page = readFile(m_data->filePath("B.htm"));
            QVERIFY(m_data->writeFile("B.htm", page.replace("Lamp", "Lump")));
        } else if (change == "category added") {
            QVERIFY(m_data->writeFile("D.dat", recordBytes("D")));
        } else if (change == "code page") {
            setConversionCodePage("CP1250");
        } else if (change == "Website.ini" || change == "style") {
            QVERIFY(m_data->writeFile("Website.ini", change == "style"
                                                         ? "[Website]\nStyle=Modern\n"
                                                         : "[Website]\nShopName=X\n"
                                                           "Style=" +
                                                               style.toUtf8() + "\n"));
        } else if (change == "picture added") {
            QVERIFY(m_data->writeFile("KA.jpg", "picture"));
        } else if (change == "picture removed") {
            QVERIFY(QFile::remove(m_data->filePath("KC.jpg")));
        } else if (change == "cache damaged" || change == "cache missing") {
            QByteArray cache = readFile(PageCache::filePath(m_data->store()));
            QVERIFY(cache.contains("B.htm"));
            QVERIFY(change == "cache missing"
                        ? QFile::remove(PageCache::filePath(m_data->store()))
                        : m_data->writeFile(PageCache::FileName, cache.replace("B.htm", "B.htn")));
        }
        QVERIFY(generate());

        const QHash<QString, QByteArray> after = pageFiles();
        QStringList rewritten;
        for (auto page = after.cbegin(); page != after.cend(); ++page) {
            if (before.value(page.key()) != page.value())
                rewritten << page.key();
        }
        rewritten.sort();
        QCOMPARE(rewritten, QStringList(written) << "inventory.htm");

        // The same bytes as every page made anew.
        const QHash<QString, QByteArray> pages = pageBytes();
        QVERIFY(QFile::remove(PageCache::filePath(m_data->store())) && generate());
        QCOMPARE(pageFiles().size(), pages.size());
        QVERIFY(pageBytes() == pages);
    }
};

QTEST_GUILESS_MAIN(TestPageCache)
#include "tst_pagecache.moc"
