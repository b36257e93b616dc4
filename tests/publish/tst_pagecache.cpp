#include "TempDataDirectory.h"
#include "TestFtpServer.h"
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
    // The pages, picture pages and search index.
    QStringList pageNames() const
    {
        return QDir(m_data->path()).entryList({"*.htm", "*.html", "*.js"}, QDir::Files);
    }
    // Each page by name: what tells a file written again (a new inode, new times).
    QHash<QString, QByteArray> pageFiles() const
    {
        QHash<QString, QByteArray> files;
        for (const QString& name : pageNames()) {
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
        for (const QString& name : pageNames())
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

    // Modern pages: LB.html and KC.html show the pictures of B's and C's
    // items, search.js the names and codes of every category's items.
    void writesWhatChanged_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("written"); // besides the main page
        const QStringList all{"A.htm", "B.htm", "C.htm"};
        for (const QString style : {"Classic", "Modern"}) {
            const auto row = [&](const QString& change, const QStringList& classic,
                                 const QStringList& modern) {
                QTest::addRow("%s, %s", qPrintable(style), qPrintable(change))
                    << style << change << (style == "Modern" ? modern : classic);
            };
            row("nothing", {}, {});
            row("item edited", {"B.htm"}, {"B.htm", "search.js"});
            row("same size, old times kept", {"B.htm"}, {"B.htm"});
            row("touched", {}, {});
            row("part record added", {}, {});
            row("page deleted", {"B.htm"}, {"B.htm"});
            row("page edited", {"B.htm"}, {"B.htm"});
            row("category added", {"D.htm"}, {"D.htm", "search.js"});
            row("code page", all, all + QStringList{"LB.html", "search.js"});
            row("Website.ini", all, all + QStringList{"KC.html", "LB.html"});
            row("site address", {}, all + QStringList{"KC.html", "LB.html"});
            row("picture added", {}, {"A.htm", "KA.html"});
            row("picture removed", {}, {"C.htm"});
            if (style == "Modern")
                row("search index edited", {}, all + QStringList{"search.js"});
            row("cache damaged", all, all + QStringList{"search.js"});
            row("cache missing", all, all + QStringList{"search.js"});
            row("style", all + QStringList{"KC.html", "LB.html", "search.js"}, all);
        }
    }
    void writesWhatChanged()
    {
        QFETCH(QString, style);
        QFETCH(QString, change);
        QFETCH(QStringList, written);
        QVERIFY(m_data->writeFile("Website.ini", "[Website]\nStyle=" + style.toUtf8() + "\n"));
        for (const char* name : {"A", "B", "C"})
            QVERIFY(
                m_data->writeFile(QString(name) + ".dat",
                                  recordBytes("Lamp \xA5", "L" + QByteArray(name), "9.99", "2") +
                                      recordBytes(name, "K" + QByteArray(name))));
        QVERIFY(m_data->writeFile("LB.jpg", "picture") && m_data->writeFile("KC.jpg", "picture"));
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
            const QByteArray other = style == "Modern" ? "Classic" : "Modern";
            QVERIFY(m_data->writeFile(
                "Website.ini", change == "style"
                                   ? "[Website]\nStyle=" + other + "\n"
                                   : "[Website]\nShopName=X\nStyle=" + style.toUtf8() + "\n"));
        } else if (change == "site address") {
            QVERIFY(test::writeSettingsFile(m_data->store(),
                                            {"u", "p", "localhost", "/", "https://x.example/"}));
        } else if (change == "search index edited") {
            QVERIFY(m_data->writeFile("search.js", "storeIndex([]);\n"));
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
        written << "inventory.htm";
        written.sort();
        QCOMPARE(rewritten, written);

        // The same bytes as every page made anew.
        const QHash<QString, QByteArray> pages = pageBytes();
        QVERIFY(QFile::remove(PageCache::filePath(m_data->store())) && generate());
        QCOMPARE(pageFiles().size(), pages.size());
        QVERIFY(pageBytes() == pages);
    }

    // What a publish takes from the cache instead of reading each page: the
    // pictures of a page that exist, as they were when it was read, read
    // again when the page is written or a picture comes or goes beside it.
    void keepsWhatPagesLink_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("links"); // of B.htm, which links back to the main page
        const QString back = "inventory.htm";
        QTest::newRow("nothing") << "nothing" << QStringList{"LB.jpg", back};
        QTest::newRow("picture taken again")
            << "picture taken again" << QStringList{"LB.jpg", back};
        QTest::newRow("picture added") << "picture added" << QStringList{"LB.jpg", "KB.jpg", back};
        QTest::newRow("picture removed") << "picture removed" << QStringList{back};
        QTest::newRow("item added") << "item added" << QStringList{"LB.jpg", "MB.jpg", back};
    }
    void keepsWhatPagesLink()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, links);
        const QStringList unreadable{"page not read"};
        QVERIFY(
            m_data->writeFile("B.dat", recordBytes("Lamp", "LB") + recordBytes("Kettle", "KB")));
        QVERIFY(m_data->writeFile("LB.jpg", "picture") && m_data->writeFile("MB.jpg", "picture"));
        QVERIFY(generate());
        PageCache cache = PageCache::load(m_data->store());
        QCOMPARE(cache.links("B.htm").value_or(unreadable),
                 (QStringList{"LB.jpg", "inventory.htm"}));
        QVERIFY(cache.save());

        if (change == "picture taken again") {
            QVERIFY(m_data->writeFile("LB.jpg", "another picture"));
        } else if (change == "picture added") {
            QVERIFY(m_data->writeFile("KB.jpg", "picture"));
        } else if (change == "picture removed") {
            QVERIFY(QFile::remove(m_data->filePath("LB.jpg")));
        } else if (change == "item added") {
            QVERIFY(m_data->writeFile("B.dat", readFile(m_data->filePath("B.dat")) +
                                                   recordBytes("Mug", "MB")) &&
                    generate());
        }
        QCOMPARE(PageCache::load(m_data->store()).links("B.htm").value_or(unreadable), links);
    }
};

QTEST_GUILESS_MAIN(TestPageCache)
#include "tst_pagecache.moc"
