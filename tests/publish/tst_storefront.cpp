#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "TestPictures.h"
#include "core/pages/MainPage.h"
#include "core/pages/PriceFormat.h"
#include "core/pages/WebsiteSettings.h"
#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/Networking.h"
#include "core/util/TextConversion.h"
#include "images/Thumbnail.h"

#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    // code has no picture, markup in names, prices in every notation, an
    // item sold out, an empty category.
    void modernStore(const QByteArray& soldOut = "Mark")
    {
        QVERIFY(putFile("Website.ini", "[Website]\nStyle=Modern\nShopName=Tom & Jerry's "
                                       "<Shop>\nContactEmail=tom@example.org\nCurrency=EUR\n"
                                       "Locale=de_DE\nSoldOut=" +
                                           soldOut + "\n"));
        const QByteArray books =
            recordBytes("Lamp", "L1", "9.80", "2") +
            recordBytes("<b>Bold</b> & \"Co\" #1 \xe9t\xe9", "A17", "2,00", "10") +
            recordBytes("Small", "W1", "12,50", "1") + recordBytes("Tall", "T1", "24,90", "0") +
            recordBytes("Salt&PepperMillBrushedSteelWithCeramicGrinderXL60abcdefgh", "B2", "ask",
                        "1") +
            recordBytes("Pot", "P1", "1.299,99", "3") +
            recordBytes("Cup", "C1",
                        "\xa3"
                        "1,299.50",
                        "4");
        QVERIFY(putFile("Books.dat", books) && putFile("Tools & <Parts>.dat", {}));
        QVERIFY(putFile("A17.jpg", solidPicture({800, 600}, Qt::red, "JPEG")));
        QVERIFY(putFile("W1.jpg", solidPicture({50, 40}, Qt::blue, "JPEG")));
        QVERIFY(putFile("T1.jpg", solidPicture({100, 3000}, Qt::green, "PNG")));
    }
    // Those of modernStore: each within 240 x 240, in its picture's shape.
    void verifyThumbnails() const
    {
        const QList<std::pair<const char*, QSize>> sizes{
            {"A17", {240, 180}}, {"W1", {50, 40}}, {"T1", {8, 240}}};
        for (const auto& [code, size] : sizes) {
            QImageReader thumbnail(m_data->filePath(QString(code) + ".thumb.jpg"));
            QCOMPARE(thumbnail.format(), QByteArray("jpeg"));
            QCOMPARE(thumbnail.size(), size);
        }
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

    // Set texts replace the classic address and title, escaped, the address
    // inside a quoted link whatever Website.ini holds; without them every
    // byte is the classic page's.
    // The program a script runs has no image code: with thumbnails to make
    // it hands the run to the program of the windows, which needs no display
    // for them either.
    void commandLineMakesThumbnails()
    {
        modernStore();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WARELOOM_PROGRAM), {"-Generate"});
        QVERIFY(program.waitForFinished(30000));
        QVERIFY2(program.exitCode() == 0, program.readAllStandardError());
        verifyThumbnails();
    }

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
        QTest::newRow("attributes, quotes and line breaks written by hand")
            << "[Website]\nContactEmail=x onfocus=alert(1)\\r\\n\\\"><b>\n"
            << title << QByteArray("x onfocus=alert(1)&#13;&#10;&#34;&#62;&#60;b&#62;");
    }
    void classicMainPage()
    {
        QFETCH(QString, settings);
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, address);
        if (!settings.isNull())
            QVERIFY(putFile("Website.ini", settings.toUtf8()));
        QVERIFY(putFile("Books.dat", recordBytes("Lamp", "", "9.99", "2").repeated(3)));
        QVERIFY(writeSite(m_data->store(), 1, march7).front().written.ok());
        const QByteArray link = "mailto:" + address; // quoted when set
        const QByteArray expected =
            readFile(WARELOOM_TEST_DATA "/pages/main-books.htm")
                .chopped(1)
                .replace("<title>Wareloom - Publisher<", "<title>" + title + "<")
                .replace("mailto:sales@example.com>Sales Email: sales@example.com",
                         (settings.contains("ContactEmail") ? '"' + link + '"' : link) +
                             ">Sales Email: " + address);
        QCOMPARE(readFile(m_data->filePath("inventory.htm")), expected);
    }

    // One address only is stored, and a refusal says why (the dialog shows it).
    void contactAddressIsChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("why"); // empty: stored
        QTest::newRow("an address") << "shop@example.org" << QString();
        QTest::newRow("a space") << "x tabindex=1@example.org"
                                 << "it holds a space; give one address without spaces";
        QTest::newRow("a line break") << "a@b.c\nBcc: d@e.f"
                                      << "it holds a line break; give one address on one line";
        QTest::newRow("two addresses") << "a@b.c,d@e.f"
                                       << "give only one address";
    }
    void contactAddressIsChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, why);
        WebsiteSettings settings;
        settings.contactEmail = typed;
        QCOMPARE(settings.save(m_data->store()).message(),
                 why.isEmpty() ? why
                               : '"' + typed + "\" cannot be the contact address: " + why + '.');
        QCOMPARE(WebsiteSettings::load(m_data->store()).contactEmail,
                 why.isEmpty() ? typed : QString());
    }

    // Quantity 0 marked "Sold out" or left out everywhere; tidy finds
    // nothing to say; the order link, the picture page and the JSON-LD say
    // what the items are.
    void modernPages_data()
    {
        QTest::addColumn<QByteArray>("soldOut");
        QTest::newRow("sold out marked") << QByteArray("Mark");
        QTest::newRow("sold out hidden") << QByteArray("Hide");
    }
    void modernPages()
    {
        QFETCH(QByteArray, soldOut);
        const bool hide = soldOut == "Hide";
        modernStore(soldOut);
        QCOMPARE(int(generate().result), int(PublishOutcome::Result::Done));
        const QString tidy = QStandardPaths::findExecutable("tidy");
        QVERIFY2(!tidy.isEmpty(), "tidy is missing: install the Debian package tidy");
        for (const char* page : {"inventory.htm", "Books.htm", "Tools & <Parts>.htm", "A17.html"}) {
            QProcess check;
            check.start(tidy, {"-q", "-e", m_data->filePath(page)});
            QVERIFY(check.waitForFinished(30000));
            QVERIFY2(check.exitCode() == 0, page + QByteArray(": ") + check.readAllStandardError());
        }
        const QByteArray main = readFile(m_data->filePath("inventory.htm"));
        for (const QByteArray& part :
             {QByteArray("<!DOCTYPE html>"), QByteArray("name=\"viewport\""),
              QByteArray("Tom &amp; Jerry&#39;s &lt;Shop&gt;"),
              QByteArray("mailto:tom@example.org"), QByteArray("2024-03-07 09:05"),
              QByteArray("<link rel=\"icon\" href=\"favicon.png\">"),
              QByteArray("<a href=\"Tools%20%26%20%3CParts%3E.htm\">Tools &amp; &lt;Parts&gt;</a>"),
              "<a href=\"Books.htm\">Books</a></td><td class=\"num\">" +
                  QByteArray(hide ? "6" : "7")})
            QVERIFY2(main.contains(part), part);
        QCOMPARE(readFile(m_data->filePath("favicon.png")).left(4), QByteArray("\x89PNG"));

        const QByteArray books = readFile(m_data->filePath("Books.htm"));
        const QByteArray bold = "&lt;b&gt;Bold&lt;/b&gt; &amp; &quot;Co&quot; #1 \xc3\xa9t\xc3\xa9";
        QVERIFY(books.contains("<td>" + bold + "<") && !books.contains("<b>"));
        QVERIFY(!books.contains("<script src") && !books.contains("<link rel=\"stylesheet"));
        QVERIFY(books.contains("<meta name=\"description\" content=\"Books at Tom"));
        QCOMPARE(books.count("Sold out"), hide ? 0 : 1);
        QCOMPARE(books.contains(">0 <strong>Sold out</strong><td>T1<"), !hide);
        // Every byte of the name and code that is not unreserved is encoded.
        QVERIFY(
            books.contains("<a href=\"mailto:tom@example.org?subject=%3Cb%3EBold%3C%2Fb%3E%20%26"
                           "%20%22Co%22%20%231%20%C3%A9t%C3%A9%20%28A17%29\">Ask / order</a>"));
        // The thumbnails open the picture pages, named like the item.
        QCOMPARE(books.count("<img "), hide ? 2 : 3);
        QVERIFY(books.contains("<a href=\"A17.html\"><img src=\"A17.thumb.jpg\" alt=\"" + bold +
                               "\" width=\"240\" height=\"180\">"));
        QVERIFY(!books.contains("B2.html"));
        QVERIFY(readFile(m_data->filePath("A17.html"))
                    .contains("<img src=\"A17.jpg\" alt=\"" + bold +
                              "\" width=\"800\" height=\"600\">"));
        verifyThumbnails();

        // name|sku|price|currency|availability of each item shown
        const qsizetype start = books.indexOf("<script type=\"application/ld+json\">") + 35;
        QJsonParseError error;
        const QJsonDocument data = QJsonDocument::fromJson(
            books.mid(start, books.indexOf("</script>", start) - start), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QStringList products;
        for (const QJsonValue product : data["@graph"].toArray()) {
            const QJsonObject offer = product["offers"].toObject();
            products << QStringList{product["@type"].toString(),
                                    product["name"].toString(),
                                    product["sku"].toString(),
                                    offer["price"].toString(),
                                    offer["priceCurrency"].toString(),
                                    offer["availability"].toString().section('/', -1)}
                            .join('|');
        }
        QStringList expected{
            "Product|Lamp|L1|9.80|EUR|InStock",
            "Product|<b>Bold</b> & \"Co\" #1 \u00e9t\u00e9|A17|2.00|EUR|InStock",
            "Product|Small|W1|12.50|EUR|InStock",
            "Product|Tall|T1|24.90|EUR|OutOfStock",
            "Product|Salt&PepperMillBrushedSteelWithCeramicGrinderXL60abcdefgh|B2|||"
            "InStock",
            "Product|Pot|P1|1299.99|EUR|InStock",
            "Product|Cup|C1|1299.50||InStock"};
        if (hide)
            expected.removeAt(3);
        QCOMPARE(products, expected);
    }

    // The files the pages link to and those for search engines reach the
    // host byte for byte, and only once while they stay the same.
    void publishesSiteFiles()
    {
        modernStore();
        TestFtpServer server;
        QVERIFY(startNetworking() && server.start());
        SettingsFields settings = server.settings();
        settings.httpServer = "https://shop.example/store/inventory.htm";
        QVERIFY(writeSettingsFile(m_data->store(), settings));
        const auto publish = [this] {
            PublishRun run(m_data->store(), 2, PublishRun::Mode::Publish, march7);
            run.setThumbnailMaker(makeThumbnail);
            return run.run();
        };
        const PublishOutcome first = publish();
        for (const FailedPage& failed : first.failedPages)
            QFAIL(qPrintable(failed.pageFileName + ": " + failed.reason));
        const QString root = "https://shop.example/store/";
        QCOMPARE(readFile(m_data->filePath("robots.txt")),
                 "User-agent: *\nAllow: /\nSitemap: " + root.toUtf8() + "sitemap.xml\n");
        const QByteArray sitemap = readFile(m_data->filePath("sitemap.xml"));
        QVERIFY(sitemap.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<urlset "));
        for (const char* page : {"inventory.htm", "Books.htm", "Tools%20%26%20%3CParts%3E.htm"})
            QVERIFY2(sitemap.contains("<url><loc>" + root.toUtf8() + page + "</loc></url>\n"),
                     page);
        QVERIFY(readFile(m_data->filePath("Books.htm"))
                    .contains("\"image\":\"" + root.toUtf8() + "A17.jpg\""));
        for (const char* file : {"favicon.png", "search.js", "A17.html", "T1.html", "W1.html",
                                 "A17.thumb.jpg", "sitemap.xml", "robots.txt"}) {
            QVERIFY2(server.fileContents(QString("/htdocs/") + file) ==
                         readFile(m_data->filePath(file)),
                     file);
        }
        const qsizetype before = server.commands().size();
        QCOMPARE(publish().sent, 1); // the main page, always
        QCOMPARE(server.commands().mid(before).filter("STOR ").size(), 1);
    }

    // Any notation of a number; what is not one number is no price.
    void priceNotations_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<double>("value"); // -1: not a number
        QTest::newRow("grouped, point") << "1,299.99" << 1299.99;
        QTest::newRow("grouped, comma") << "1.299,99" << 1299.99;
        QTest::newRow("comma") << "24,90" << 24.9;
        QTest::newRow("pound sign") << "\u00a324.99" << 24.99;
        QTest::newRow("code and blanks") << "1 299,00 EUR" << 1299.0;
        QTest::newRow("thousands only") << "1,299" << 1299.0;
        QTest::newRow("fraction below one") << "0,125" << 0.125;
        QTest::newRow("words") << "ask" << -1.0;
        QTest::newRow("two numbers") << "2 for 5" << -1.0;
        QTest::newRow("bad groups") << "1,2,3" << -1.0;
        QTest::newRow("two decimal points") << "1.299,99.5" << -1.0;
    }
    void priceNotations()
    {
        QFETCH(QString, written);
        QFETCH(double, value);
        const std::optional<PriceNumber> read = PriceFormat::read(written);
        QCOMPARE(read ? read->value : -1.0, value);
    }

    // Headless Chromium reads the DOM of the page in a 360x740 frame after
    // typing into its find box and clicking a column heading: whether the
    // page scrolls sideways, then the codes of the rows shown in their
    // order, or the links the main page's search found.
    void inBrowser_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("sortBy");
        QTest::addColumn<QString>("expected");
        const QString books = "Books.htm", main = "inventory.htm";
        QTest::newRow("main page") << main << QString() << -1 << QString("fits\n");
        QTest::newRow("search without accents")
            << main << QString("ETE") << -1 << QString("fits\nBooks.htm#i2\n");
        QTest::newRow("search of a code")
            << main << QString("p1") << -1 << QString("fits\nBooks.htm#i6\n");
        QTest::newRow("items, all")
            << books << QString() << -1 << QString("fits\nL1\nA17\nW1\nT1\nB2\nP1\nC1\n");
        QTest::newRow("items, filtered without accents")
            << books << QString("ETE") << -1 << QString("fits\nA17\n");
        QTest::newRow("items by price")
            << books << QString() << 1 << QString("fits\nA17\nL1\nW1\nT1\nC1\nP1\nB2\n");
    }
    void inBrowser()
    {
        QFETCH(QString, page);
        QFETCH(QString, typed);
        QFETCH(int, sortBy);
        QFETCH(QString, expected);
        modernStore();
        QVERIFY(generate().failedPages.empty());
        QVERIFY(putFile("probe.html", R"(<!DOCTYPE html><html><body style="margin:0">
<iframe id="f" style="width:360px;height:740px;border:0"></iframe><script>
var q = new URLSearchParams(location.search), f = document.getElementById('f');
f.onload = () => { var d = f.contentDocument, w = d.defaultView;
  var out = [d.documentElement.scrollWidth > w.innerWidth ? 'overflows' : 'fits'];
  var box = d.getElementById('filter') || d.getElementById('q');
  if (q.get('typed')) { box.focus(); box.value = q.get('typed'); box.dispatchEvent(new w.Event('input')); }
  if (q.get('sortBy') >= 0) d.querySelectorAll('#items th')[q.get('sortBy')].firstChild.click();
  setTimeout(() => {
    var rows = [...d.querySelectorAll('#items tbody tr')].filter(r => r.offsetHeight > 0);
    var found = [...d.querySelectorAll('#found a')].map(a => a.getAttribute('href'));
    var p = document.createElement('pre'); p.id = 'result'; document.body.appendChild(p);
    p.textContent = out.concat(rows.map(r => r.cells[3].textContent), found).join('\n') + '\n';
  }, 500); };
f.src = q.get('page');
</script></body></html>)"));
        const QString chromium = QStandardPaths::findExecutable("chromium");
        QVERIFY2(!chromium.isEmpty(), "chromium is missing: install the Debian package chromium");
        QTemporaryDir profile;
        const QString probe = QUrl::fromLocalFile(m_data->filePath("probe.html")).toString() +
                              "?page=" + QUrl::toPercentEncoding(page) +
                              "&typed=" + QUrl::toPercentEncoding(typed) +
                              "&sortBy=" + QString::number(sortBy);
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
        QCOMPARE(
            dom.mid(start + 17, dom.indexOf("</pre>", start) - start - 17).replace("&amp;", "&"),
            expected);
    }
};

QTEST_MAIN(TestStorefront)
#include "tst_storefront.moc"
