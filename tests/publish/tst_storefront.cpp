#include "TempDataDirectory.h"
#include "TestPictures.h"
#include "core/pages/MainPage.h"
#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"
#include "images/Thumbnail.h"

#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// The website settings on the classic main page, the modern pages checked by
// tidy and driven in headless Chromium at a phone's size, and the thumbnails.
class TestStorefront : public QObject
{
    Q_OBJECT

    std::optional<TempDataDirectory> m_data;

    bool putFile(const QString& name, const QByteArray& bytes) const
    {
        return m_data->writeFile(name, bytes);
    }
    static QDateTime march7() { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    // A store in the modern style: pictures of three shapes, one item whose
    // code has no picture, markup in names, an empty category.
    void modernStore()
    {
        QVERIFY(putFile("Website.ini", "[Website]\nStyle=Modern\nShopName=Tom & Jerry's "
                                       "<Shop>\nContactEmail=tom@example.org\n"));
        const QByteArray books =
            recordBytes("Lamp", "", "9.99", "2") +
            recordBytes("<b>Bold</b> & \"Co\" \xe9t\xe9", "A17", "19.50", "10") +
            recordBytes("Small", "W1", "3", "1") + recordBytes("Tall", "T1", "120", "5") +
            recordBytes("Salt&PepperMillBrushedSteelWithCeramicGrinderXL60abcdefgh", "B2", "7",
                        "1");
        QVERIFY(putFile("Books.dat", books) && putFile("Tools & <Parts>.dat", {}));
        QVERIFY(putFile("A17.jpg", solidPicture({800, 600}, Qt::red, "JPEG")));
        QVERIFY(putFile("W1.jpg", solidPicture({50, 40}, Qt::blue, "JPEG")));
        QVERIFY(putFile("T1.jpg", solidPicture({100, 3000}, Qt::green, "PNG")));
    }
    PublishOutcome generate() const
    {
        PublishRun run(m_data->store(), 2, PublishRun::Mode::GenerateOnly, march7);
        run.setThumbnailMaker(makeThumbnail);
        return run.run();
    }

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        setConversionCodePage("CP1252");
    }

    // Set texts replace the classic address and title, escaped; without them
    // every byte is the classic page's.
    void classicMainPage_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("address");
        const QByteArray title = "Wareloom - Publisher", address = "sales@example.com";
        QTest::newRow("no file") << QString() << title << address;
        QTest::newRow("style only") << "[Website]\nStyle=Classic\n" << title << address;
        QTest::newRow("address") << "[Website]\nContactEmail=shop@example.org\n"
                                 << title << QByteArray("shop@example.org");
        QTest::newRow("name with markup and a character CP1252 lacks")
            << "[Website]\nShopName=Tom & Jerry's <\u03a9>\nContactEmail=a&b@example.org\n"
            << QByteArray("Tom &#38; Jerry&#39;s &#60;&#937;&#62;")
            << QByteArray("a&#38;b@example.org");
    }
    void classicMainPage()
    {
        QFETCH(QString, settings);
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, address);
        if (!settings.isNull())
            QVERIFY(putFile("Website.ini", settings.toUtf8()));
        QVERIFY(putFile("Books.dat", recordBytes("Lamp", "", "9.99", "2").repeated(3)));
        QVERIFY(CreateHTML(m_data->store(), 1, march7).front().ok());
        const QByteArray expected =
            readFile(WARELOOM_TEST_DATA "/pages/main-books.htm")
                .chopped(1)
                .replace("<title>Wareloom - Publisher<", "<title>" + title + "<")
                .replace("sales@example.com", address);
        QCOMPARE(readFile(m_data->filePath("inventory.htm")), expected);
    }

    void modernPagesAndThumbnails()
    {
        modernStore();
        QCOMPARE(int(generate().result), int(PublishOutcome::Result::Done));
        const QString tidy = QStandardPaths::findExecutable("tidy");
        QVERIFY2(!tidy.isEmpty(), "tidy is missing: install the Debian package tidy");
        for (const char* page : {"inventory.htm", "Books.htm", "Tools & <Parts>.htm"}) {
            QProcess check;
            check.start(tidy, {"-q", "-e", m_data->filePath(page)});
            QVERIFY(check.waitForFinished(30000));
            const QByteArray said = check.readAllStandardError();
            QVERIFY2(check.exitCode() < 2 && !said.contains("Error:"),
                     page + QByteArray(": ") + said);
        }
        const QByteArray main = readFile(m_data->filePath("inventory.htm"));
        for (const char* part :
             {"<!DOCTYPE html>", "<meta charset=\"utf-8\">", "name=\"viewport\"",
              "Tom &amp; Jerry&#39;s &lt;Shop&gt;", "mailto:tom@example.org", "2024-03-07 09:05",
              "<a href=\"Tools%20%26%20%3CParts%3E.htm\">Tools &amp; &lt;Parts&gt;</a>",
              "<a href=\"Books.htm\">Books</a></td><td class=\"num\">5<"})
            QVERIFY2(main.contains(part), part);
        const QByteArray books = readFile(m_data->filePath("Books.htm"));
        QVERIFY(books.contains("&lt;b&gt;Bold&lt;/b&gt; &amp; &quot;Co&quot; \xc3\xa9t\xc3\xa9<"));
        QVERIFY(!books.contains("<b>") && !books.contains("<script src") &&
                !books.contains("http"));
        // One picture link per item with a picture; none for B2, whose picture is missing.
        QCOMPARE(books.count("<img "), 3);
        for (const char* code : {"A17", "W1", "T1"})
            QVERIFY(books.contains(QByteArray("<a href=\"") + code + ".jpg\"><img src=\"" + code +
                                   ".thumb.jpg\""));
        QVERIFY(!books.contains("B2.jpg"));
        const QList<std::pair<const char*, QSize>> sizes{
            {"A17", {240, 180}}, {"W1", {50, 40}}, {"T1", {8, 240}}};
        for (const auto& [code, size] : sizes) {
            QImageReader thumbnail(m_data->filePath(QString(code) + ".thumb.jpg"));
            QCOMPARE(thumbnail.format(), QByteArray("jpeg"));
            QCOMPARE(thumbnail.size(), size);
        }
    }

    // Headless Chromium at 360x740 reads the DOM of the page in a frame of
    // that size after typing into its filter.
    void onPhone_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const QString books = "Books.htm";
        QTest::newRow("main page") << QString("inventory.htm") << QString() << QString("fits\n");
        QTest::newRow("items, all")
            << books << QString() << QString("fits filter\n\nA17\nB2\nT1\nW1\n");
        QTest::newRow("items, filtered")
            << books << QString("BOLD") << QString("fits filter\nA17\n");
    }
    void onPhone()
    {
        QFETCH(QString, page);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        modernStore();
        QVERIFY(generate().failedPages.empty());
        QVERIFY(putFile("probe.html", R"(<!DOCTYPE html><html><body style="margin:0">
<iframe id="f" style="width:360px;height:740px;border:0"></iframe><script>
var q = new URLSearchParams(location.search), f = document.getElementById('f');
f.onload = () => { var d = f.contentDocument, w = d.defaultView, box = d.getElementById('filter');
  var out = [d.documentElement.scrollWidth > w.innerWidth ? 'overflows' : 'fits'];
  if (box && box.offsetParent) { out[0] += ' filter'; box.value = q.get('typed');
    box.dispatchEvent(new w.Event('input')); }
  var shown = [...d.querySelectorAll('#items tbody tr')].filter(r => r.offsetHeight > 0);
  var p = document.createElement('pre'); p.id = 'result'; document.body.appendChild(p);
  p.textContent = out.concat(shown.map(r => r.cells[3].textContent).sort()).join('\n') + '\n'; };
f.src = q.get('page');
</script></body></html>)"));
        const QString chromium = QStandardPaths::findExecutable("chromium");
        QVERIFY2(!chromium.isEmpty(), "chromium is missing: install the Debian package chromium");
        QTemporaryDir profile;
        const QString probe = QUrl::fromLocalFile(m_data->filePath("probe.html")).toString() +
                              "?page=" + QUrl::toPercentEncoding(page) +
                              "&typed=" + QUrl::toPercentEncoding(typed);
        QProcess browser;
        browser.start(chromium,
                      {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                       "--no-first-run", "--disable-background-networking",
                       "--disable-component-update", "--disable-sync",
                       "--user-data-dir=" + profile.path(), "--allow-file-access-from-files",
                       "--window-size=360,740", "--virtual-time-budget=5000", "--dump-dom", probe});
        QVERIFY(browser.waitForFinished(90000));
        const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
        const qsizetype start = dom.indexOf("<pre id=\"result\">");
        QVERIFY2(start >= 0, browser.readAllStandardError().right(2000));
        QCOMPARE(dom.mid(start + 17, dom.indexOf("</pre>", start) - start - 17), expected);
    }
};

QTEST_MAIN(TestStorefront)
#include "tst_storefront.moc"
