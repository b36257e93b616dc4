#include "core/pages/ModernPages.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/PageCache.h"
#include "core/pages/PageFiles.h"
#include "core/pages/PictureSize.h"
#include "core/pages/SearchIndex.h"
#include "core/pages/SitePlan.h"
#include "core/store/ItemRecord.h"
#include "core/util/ContentHash.h"
#include "core/util/FileState.h"
#include "core/util/RegularFile.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <charconv>
#include <cstring>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ModernPages)
};

// Columns: item, price, qty, code, picture, and the order link when there is
// an address. Cells carry no attributes but a number's value: a category page
// holds up to 999 rows.
constexpr QByteArrayView Style =
    "<style>"
    "*{box-sizing:border-box}"
    "body{margin:0 auto;max-width:64rem;padding:0 1rem 2rem;font:1rem/1.45 system-ui,sans-serif;"
    "color:#222;background:#fff;overflow-wrap:break-word}"
    "h1{font-size:1.6rem;margin:1rem 0 .5rem}"
    "a{color:#0645ad}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{padding:.45rem .6rem;border-bottom:1px solid #ddd;text-align:left;"
    "vertical-align:middle}"
    "th{background:#f3f3f3;white-space:nowrap}"
    // Long names wrap anywhere; the other columns keep their words whole.
    "td:first-child{overflow-wrap:anywhere}"
    ".num,#items td:nth-child(2),#items td:nth-child(3){text-align:right}"
    "th button{font:inherit;font-weight:bold;color:inherit;background:none;border:0;padding:0;"
    "cursor:pointer}"
    "th[aria-sort=ascending] button::after{content:\" \\25B2\"}"
    "th[aria-sort=descending] button::after{content:\" \\25BC\"}"
    "img{display:block;max-width:100%;height:auto}"
    "input{font:inherit;padding:.35rem;width:100%;max-width:22rem}"
    "strong{color:#a00000}"
    "tr:target{background:#fff3c4}"
    // The find boxes need the script: shown from the first paint on when it runs.
    "#tools,#find{display:none}.js #tools,.js #find{display:block}"
    "[hidden]{display:none!important}"
    "@media (max-width:40rem){"
    "#items,#items tbody,#items tr,#items td{display:block}"
    "#items thead tr{display:flex;flex-wrap:wrap}"
    "#items th{border:0}"
    "#items tr{border-bottom:1px solid #ddd;padding:.4rem 0}"
    // Cards out of sight are laid out only when scrolled to.
    "#items tbody tr{content-visibility:auto;contain-intrinsic-size:auto 15rem}"
    "#items td{border:0;padding:.1rem 0;text-align:left!important}"
    "#items td:nth-child(1){font-weight:bold}"
    "#items td:nth-child(2)::before{content:\"Price: \"}"
    "#items td:nth-child(3)::before{content:\"Qty: \"}"
    "#items td:nth-child(4)::before{content:\"Code: \"}"
    "#items td:empty{display:none}"
    "#items img{max-width:10rem}"
    "}"
    "</style>";

// Text compared without regard to case or accents.
#define WARELOOM_FOLD                                                                              \
    "function fold(s){return s.normalize('NFD').replace(/[\\u0300-\\u036f]/g,'').toLowerCase();}"

// Sorts by a column on a click of its heading (numbers by the value their
// cell carries, what is not a number last) and hides the rows whose name and
// code do not hold the typed text. It only adds to a page whole without it.
constexpr QByteArrayView Script =
    "<script>"
    "(function(){"
    "var t=document.getElementById('items');if(!t)return;" WARELOOM_FOLD
    "var b=t.tBodies[0],rows=[].slice.call(b.rows),f=document.getElementById('filter');"
    "rows.forEach(function(r){r.k=fold(r.cells[0].textContent+' '+r.cells[3].textContent);});"
    "f.addEventListener('input',function(){var q=fold(f.value.trim());"
    "rows.forEach(function(r){r.hidden=q!==''&&r.k.indexOf(q)<0;});});"
    "var heads=[].slice.call(t.tHead.rows[0].cells);"
    "heads.forEach(function(th,i){if(th.classList.contains('pic'))return;"
    "var k=document.createElement('button');k.type='button';k.textContent=th.textContent;"
    "th.textContent='';th.appendChild(k);"
    "k.addEventListener('click',function(){"
    "var d=th.getAttribute('aria-sort')==='ascending'?-1:1;"
    "heads.forEach(function(h){h.removeAttribute('aria-sort');});"
    "th.setAttribute('aria-sort',d>0?'ascending':'descending');"
    "var num=th.classList.contains('num');"
    "rows.forEach(function(r){var c=r.cells[i],n=c.getAttribute('data-v');"
    "r.v=num?(n===null?null:parseFloat(n)):c.textContent;});"
    "rows.sort(function(x,y){var p=x.v,q=y.v;"
    "if(p===null||q===null)return(p===null)-(q===null);"
    "return d*(num?(p>q)-(p<q):p.localeCompare(q,undefined,{numeric:true}));});"
    "rows.forEach(function(r){b.appendChild(r);});});});"
    "})();"
    "</script>";

// Finds items of every category in search.js, loaded when first needed.
constexpr QByteArrayView SearchScript =
    "<script>"
    "(function(){" WARELOOM_FOLD
    "var f=document.getElementById('find'),q=document.getElementById('q'),"
    "out=document.getElementById('found'),items=null,asked=false;"
    "f.addEventListener('submit',function(e){e.preventDefault();});"
    "function show(){if(!items)return;var w=fold(q.value.trim()),n=0;out.textContent='';"
    "if(!w)return;var l=document.createElement('ul');"
    "items.forEach(function(e){if(n<50&&e.k.indexOf(w)>=0){n++;"
    "var li=document.createElement('li'),a=document.createElement('a');a.href=e.p;"
    "a.textContent=e.n;li.appendChild(a);"
    "li.appendChild(document.createTextNode((e.c?' ('+e.c+')':'')+' in '+e.g));"
    "l.appendChild(li);}});"
    "if(n)out.appendChild(l);else out.textContent='No item found.';}"
    "window.storeIndex=function(d){items=[];d.forEach(function(c){c[2].forEach(function(e){"
    "items.push({p:c[0]+'#'+e[0],n:e[1],c:e[2],g:c[1],k:fold(e[1]+' '+e[2])});});});show();};"
    "function load(){if(asked)return;asked=true;var s=document.createElement('script');"
    "s.src='search.js';document.head.appendChild(s);}"
    "q.addEventListener('focus',load);q.addEventListener('input',function(){load();show();});"
    "})();"
    "</script>";
#undef WARELOOM_FOLD

constexpr QByteArrayView HeadStart = "<!DOCTYPE html>\n<html lang=\"";
constexpr QByteArrayView HeadCharset =
    "\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
constexpr QByteArrayView ScriptRuns = "<script>document.documentElement.className='js'</script>\n";
constexpr QByteArrayView HeadEnd = "</head>\n<body>\n";
constexpr QByteArrayView PageEnd = "</body>\n</html>\n";

constexpr QByteArrayView ToolsStart =
    "<main>\n<p id=\"tools\"><label for=\"filter\">Find</label> "
    "<input id=\"filter\" type=\"search\" autocomplete=\"off\"></p>\n"
    "<table id=\"items\">\n<thead><tr><th scope=\"col\">Item</th>"
    "<th scope=\"col\" class=\"num\">Price</th><th scope=\"col\" class=\"num\">Qty</th>"
    "<th scope=\"col\">Code</th><th scope=\"col\" class=\"pic\">Picture</th>";
constexpr QByteArrayView OrderHead = "<th scope=\"col\" class=\"pic\">Order</th>";
constexpr QByteArrayView ItemsStart = "</tr></thead>\n<tbody>\n";
constexpr QByteArrayView ItemsEnd = "</tbody>\n</table>\n</main>\n";

constexpr QByteArrayView Replacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr QByteArrayView SoldOutMark = " <strong>Sold out</strong>";
constexpr QByteArrayView OrderLink = "\">Ask / order</a>";
constexpr QByteArrayView LinkedData = "<script type=\"application/ld+json\">";
constexpr QByteArrayView Schema = "{\"@context\":\"https://schema.org\",";

// An item row: the cells' end tags are left out, as HTML allows.
constexpr QByteArrayView RowStart = "<tr id=\"i";
constexpr QByteArrayView NextCell = "<td>";
constexpr QByteArrayView PictureStart = "<a href=\"";
constexpr QByteArrayView ThumbnailStart = ".html\"><img src=\"";
constexpr QByteArrayView PictureOnlyEnd = ".html\">Picture</a>";
// Bytes one byte of a field may become: "&quot;", or "%E2%82%AC" in a link.
constexpr qsizetype LongestEscape = 12;
// Everything of a row but the fields, the price shown and the mail address.
constexpr qsizetype RowFrame = 400;

char* put(char* out, QByteArrayView piece)
{
    std::memcpy(out, piece.data(), size_t(piece.size()));
    return out + piece.size();
}

// A character as escaped UTF-8 for text and quoted attributes: markup
// characters as references, control characters (never text in HTML) as the
// replacement character.
QByteArray escapedCharacter(char32_t c)
{
    switch (c) {
    case U'&':
        return "&amp;";
    case U'<':
        return "&lt;";
    case U'>':
        return "&gt;";
    case U'"':
        return "&quot;";
    case U'\'':
        return "&#39;";
    case U'\t':
    case U'\n':
    case U'\r':
        return " ";
    default:
        break;
    }
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return Replacement.toByteArray();
    return QString::fromUcs4(&c, 1).toUtf8();
}

QByteArray escaped(const QString& text)
{
    QByteArray bytes;
    for (const char32_t c : text.toUcs4())
        bytes.append(escapedCharacter(c));
    return bytes;
}

// A file name as a relative link: UTF-8, percent-encoded.
QByteArray link(const QString& fileName)
{
    return QUrl::toPercentEncoding(fileName);
}

// A JSON string, safe inside a script element.
QByteArray json(const QString& text)
{
    QByteArray out = "\"";
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out.append('\\').append(char(c.unicode()));
        else if (c.unicode() < 0x20 || c == QLatin1Char('<') || c.unicode() == 0x2028 ||
                 c.unicode() == 0x2029)
            out.append("\\u").append(QByteArray::number(c.unicode(), 16).rightJustified(4, '0'));
        else
            out.append(QString(c).toUtf8());
    }
    return out.append('"');
}

char* putNumber(char* out, int number)
{
    return std::to_chars(out, out + 12, number).ptr;
}

// The folder of the published main page, from its address; empty unless it
// is an http or https address.
QString siteFolder(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    QString folder = url.toString(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::FullyEncoded);
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    if (folder.mid(slash + 1).contains(QLatin1Char('.')) &&
        slash > folder.indexOf(QLatin1String("//")) + 1)
        return folder.left(slash + 1);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

ModernPages::ModernPages(DataDirectory store, WebsiteSettings site, QDateTime published,
                         const QString& siteAddress)
    : m_store(std::move(store)), m_site(std::move(site)), m_published(std::move(published)),
      m_base(escaped(siteFolder(siteAddress))), m_prices(m_site.currency, m_site.locale)
{
    // A byte followed by 'A' that does not give two characters starts a
    // character of two bytes: such a code page is converted field by field.
    for (int b = 1; b < 256; ++b) {
        const char pair[2] = {char(b), 'A'};
        bool ok = false;
        const QString text = fromCodePage(QByteArrayView(pair, 2), &ok);
        if (!ok || text.size() != 2 || text[1] != QLatin1Char('A')) {
            m_singleByte = false;
            break;
        }
        m_text[size_t(b)].set(escapedCharacter(text[0].unicode()));
        m_link[size_t(b)].set(link(text.left(1)));
        m_json[size_t(b)].set(json(text.left(1)).chopped(1).mid(1));
        m_unicode[size_t(b)] = text[0].unicode();
    }
    if (!m_site.contactEmail.isEmpty()) {
        m_mailto = "mailto:" +
                   escaped(QString::fromLatin1(
                       QUrl::toPercentEncoding(m_site.contactEmail, "@!$*+=^_`{|}~"))) +
                   "?subject=";
    }
    // The name twice as text and in the subject, the code likewise, the
    // price shown with its currency both ways.
    m_longestRow = RowFrame + (3 * ItemRecord::Size + 2 * 10) * LongestEscape +
                   2 * escaped(m_site.currency).size() + m_mailto.size();
}

CreatedPages ModernPages::create(const SitePlan& plan, PageCache* cache)
{
    findPictures();
    m_siteFiles.clear();
    m_picturePages.clear();
    // A page stays only when everything it was made from is as it was: the
    // shared inputs, its category file, the pictures of its items, and its
    // part of search.js.
    const ModernSiteFacts now{m_pictures, m_thumbnails, {}};
    std::optional<ModernSiteFacts> last;
    if (cache) {
        cache->setSharedInputs("modern\n" + m_base);
        last = ModernSiteFacts::fromBytes(cache->lastSiteData());
        if (last && !cache->isAsLeft(QLatin1String(SearchIndex::FileName)))
            last.reset();
    }
    const QSet<QByteArray> changedPictures = last ? last->changedPictures(now) : QSet<QByteArray>();
    SearchIndex index(m_store, last ? last->searchIndex : SearchIndex::Layout());

    CreatedPages created{{QLatin1String(MainPageFileName), QString()}};
    PageFiles pages;
    QByteArray rows;
    QByteArray sitemap;
    int items = 0;
    int categories = 0;
    for (const PlannedCategory& category : plan.categories()) {
        if (!category.hasPage()) {
            created.push_back({category.categoryFileName, category.categoryFileName,
                               Status::failure(category.reason)});
            continue;
        }
        const QByteArray name = escaped(category.name);
        const QString& pageName = category.pageFileName;
        std::optional<ModernPageFacts> kept;
        if (last && index.hasPart(pageName) &&
            cache->isCurrent(pageName, category.categoryFileName) &&
            !holdsAny(category.categoryFileName, changedPictures))
            kept = ModernPageFacts::fromBytes(cache->kept(pageName));
        if (kept) {
            m_facts = std::move(*kept);
            index.addKept(pageName);
            created.push_back({pageName, category.categoryFileName});
        } else {
            Status written = writeCategoryPage(category, pages);
            if (!m_indexPart.isEmpty())
                index.addNew(pageName, m_indexPart);
            if (cache)
                cache->noteWritten(pageName, category.categoryFileName,
                                   written ? m_source : std::nullopt, m_facts.toBytes());
            created.push_back({pageName, category.categoryFileName, std::move(written)});
        }
        addPicturePages(pageName, name);
        items += m_facts.shown;
        ++categories;
        rows.append("<tr><td><a href=\"").append(link(pageName)).append("\">").append(name);
        rows.append("</a></td><td class=\"num\">").append(QByteArray::number(m_facts.shown));
        rows.append("</td></tr>\n");
        sitemap.append("<url><loc>").append(address(link(pageName))).append("</loc></url>\n");
    }

    const QByteArray shop = escaped(m_site.shopNameShown());
    const QByteArray email = escaped(m_site.contactEmailShown());
    m_page.resize(0);
    appendPageHead(shop,
                   shop + ": " + QByteArray::number(items) + " items in " +
                       QByteArray::number(categories) + " categories.",
                   "favicon.png");
    m_page.append("<header>\n<h1>").append(shop).append("</h1>\n<p>Contact: <a href=\"mailto:");
    m_page.append(email).append("\">").append(email).append(
        "</a></p>\n<p>Updated: <time datetime=\"");
    m_page.append(m_published.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1());
    m_page.append("\">").append(
        m_published.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toLatin1());
    m_page.append("</time></p>\n</header>\n<main>\n");
    if (rows.isEmpty()) {
        m_page.append("<p>No categories yet.</p>\n");
    } else {
        m_page.append("<form id=\"find\" role=\"search\"><label for=\"q\">Find an item in "
                      "every category</label> <input id=\"q\" type=\"search\" "
                      "autocomplete=\"off\"></form>\n<div id=\"found\" aria-live=\"polite\">"
                      "</div>\n");
        m_page.append("<table>\n<thead><tr><th scope=\"col\">Category</th>"
                      "<th scope=\"col\" class=\"num\">Items</th></tr></thead>\n<tbody>\n");
        m_page.append(rows).append("</tbody>\n</table>\n");
    }
    m_page.append("</main>\n").append(LinkedData).append(Schema);
    m_page.append("\"@type\":\"Store\",\"name\":").append(json(m_site.shopNameShown()));
    m_page.append(",\"email\":").append(json(m_site.contactEmailShown()));
    if (!m_base.isEmpty())
        m_page.append(",\"url\":").append(json(QString::fromUtf8(address(MainPageFileName))));
    m_page.append("}</script>\n");
    if (!rows.isEmpty())
        m_page.append(SearchScript).append("\n");
    m_page.append(PageEnd);
    created.front().written = writeFile(pages, QLatin1String(MainPageFileName), m_page);
    writeSiteFiles(pages, sitemap, index, created);
    if (cache) {
        cache->noteFile(QLatin1String(SearchIndex::FileName));
        cache->setSiteData(ModernSiteFacts{m_pictures, m_thumbnails, index.layout()}.toBytes());
    }
    return created;
}

// The files the pages link to besides the pages, and those for search
// engines; each written only when its bytes change.
void ModernPages::writeSiteFiles(PageFiles& pages, const QByteArray& sitemap, SearchIndex& index,
                                 CreatedPages& created)
{
    const auto noteOutcome = [&](const QString& fileName, const Status& written) {
        if (!written)
            created.push_back({fileName, QString(), written});
        else
            m_siteFiles << fileName;
    };
    const auto write = [&](const QString& fileName, QByteArrayView bytes) {
        noteOutcome(fileName,
                    holds(fileName, bytes) ? Status::success() : writeFile(pages, fileName, bytes));
    };
    noteOutcome(QLatin1String(SearchIndex::FileName), index.write(pages));
    QFile icon(QStringLiteral(":/site/favicon.png"));
    write(QStringLiteral("favicon.png"),
          icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray());
    for (auto page = m_picturePages.cbegin(); page != m_picturePages.cend(); ++page) {
        const QString code = fromCodePage(page.key());
        const QByteArray picture = link(code + QStringLiteral(".jpg"));
        m_page.resize(0);
        appendPageHead(page->name + " - " + escaped(m_site.shopNameShown()),
                       page->name + " at " + escaped(m_site.shopNameShown()), picture);
        m_page.append("<header>\n<p><a href=\"").append(page->back).append("\">");
        m_page.append(page->categoryName).append("</a></p>\n<h1>").append(page->name);
        m_page.append("</h1>\n</header>\n<main>\n<img src=\"").append(picture);
        m_page.append("\" alt=\"").append(page->name).append('"');
        if (const std::optional<QSize> size =
                pictureSize(m_store.filePath(code + QStringLiteral(".jpg"))))
            m_page.append(" width=\"")
                .append(QByteArray::number(size->width()))
                .append("\" height=\"")
                .append(QByteArray::number(size->height()))
                .append('"');
        m_page.append(">\n</main>\n").append(PageEnd);
        write(code + QStringLiteral(".html"), m_page);
    }
    if (m_base.isEmpty())
        return;
    write(QStringLiteral("sitemap.xml"),
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n<url><loc>" +
              address(MainPageFileName) + "</loc></url>\n" + sitemap + "</urlset>\n");
    write(QStringLiteral("robots.txt"),
          "User-agent: *\nAllow: /\nSitemap: " + address("sitemap.xml") + "\n");
}

// Whether the file is a plain file of these bytes.
bool ModernPages::holds(const QString& fileName, QByteArrayView bytes) const
{
    const QString path = m_store.filePath(fileName);
    const std::optional<FileState> state = FileState::ofPath(path, false);
    if (!state || state->size != bytes.size())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// Whether a record of the category file has one of the codes; also when it
// cannot be read.
bool ModernPages::holdsAny(const QString& categoryFileName, const QSet<QByteArray>& codes)
{
    if (codes.isEmpty())
        return false;
    QFile file(m_store.filePath(categoryFileName));
    if (!openRegularFile(file))
        return true;
    m_records = file.readAll();
    ItemRecord record;
    for (qsizetype at = 0; at + ItemRecord::Size <= m_records.size(); at += ItemRecord::Size) {
        std::memcpy(record.bytes.data(), m_records.constData() + at, ItemRecord::Size);
        const QByteArrayView code = fieldText(record, ItemField::Code);
        if (codes.contains(QByteArray::fromRawData(code.data(), code.size())))
            return true;
    }
    return file.error() != QFileDevice::NoError;
}

// The picture pages of the category's items whose codes no category before
// it had.
void ModernPages::addPicturePages(const QString& pageFileName, const QByteArray& categoryName)
{
    for (const ModernPageFacts::PictureItem& item : m_facts.pictures) {
        if (!m_picturePages.contains(item.code)) {
            m_picturePages.insert(
                item.code, {item.name, link(pageFileName) + "#i" + QByteArray::number(item.row),
                            categoryName});
        }
    }
}

Status ModernPages::writeFile(PageFiles& pages, const QString& fileName, QByteArrayView bytes)
{
    Status written = pages.begin(m_store.filePath(fileName));
    if (written) {
        pages.write(bytes);
        written = pages.commit();
    }
    return written;
}

// A link made absolute with the site's address, when it is known.
QByteArray ModernPages::address(const QByteArray& link) const
{
    return m_base + link;
}

// The pictures and thumbnails of the data directory, listed once rather than
// looked up item by item.
void ModernPages::findPictures()
{
    const QString pictureEnd = QStringLiteral(".jpg");
    const QString thumbnailEnd = QStringLiteral(".thumb.jpg");
    QSet<QString> names;
    for (const QString& name :
         QDir(m_store.path()).entryList({QStringLiteral("*.jpg")}, QDir::Files))
        names.insert(name);
    m_pictures.clear();
    m_thumbnails.clear();
    for (const QString& name : std::as_const(names)) {
        if (name.endsWith(thumbnailEnd))
            continue;
        const QString code = name.chopped(pictureEnd.size());
        const QByteArray codeBytes = toCodePage(code);
        m_pictures.insert(codeBytes);
        if (names.contains(code + thumbnailEnd)) {
            m_thumbnails.insert(
                codeBytes, pictureSize(m_store.filePath(code + thumbnailEnd)).value_or(QSize()));
        }
    }
}

void ModernPages::appendPageHead(const QByteArray& title, const QByteArray& description,
                                 const QByteArray& image)
{
    m_page.append(HeadStart).append(m_prices.language().toLatin1()).append(HeadCharset);
    m_page.append(title).append("</title>\n<meta name=\"description\" content=\"");
    m_page.append(description).append("\">\n<link rel=\"icon\" href=\"favicon.png\">\n");
    m_page.append("<meta property=\"og:type\" content=\"website\">\n");
    m_page.append("<meta property=\"og:title\" content=\"").append(title).append("\">\n");
    m_page.append("<meta property=\"og:description\" content=\"").append(description);
    m_page.append("\">\n<meta property=\"og:image\" content=\"").append(address(image));
    m_page.append("\">\n").append(Style).append("\n").append(ScriptRuns).append(HeadEnd);
}

Status ModernPages::writeCategoryPage(const PlannedCategory& category, PageFiles& pages)
{
    const QString& pageName = category.pageFileName;
    m_facts = {};
    m_pictureCodes.clear();
    m_indexPart.clear();
    m_source.reset();
    if (Status started = pages.begin(m_store.filePath(pageName)); !started)
        return started;
    const QByteArray name = escaped(category.name);
    m_firstPicture.clear();
    m_itemData.resize(0);
    m_indexPart.append('[').append(json(pageName)).append(',').append(json(category.name));
    m_indexPart.append(",[");
    Status read = appendItemRows(m_store.filePath(category.categoryFileName));
    m_indexPart.chop(m_indexPart.endsWith(',') ? 1 : 0);
    m_indexPart.append("]]");

    const QByteArray shop = escaped(m_site.shopNameShown());
    m_page.resize(0);
    appendPageHead(name + " - " + shop,
                   name + " at " + shop + ": " + QByteArray::number(m_facts.shown) + " items.",
                   m_firstPicture.isEmpty() ? QByteArray("favicon.png") : m_firstPicture);
    m_page.append("<header>\n<p><a href=\"inventory.htm\">All categories</a></p>\n<h1>");
    m_page.append(name).append("</h1>\n</header>\n");
    if (m_rows.isEmpty()) {
        m_page.append("<main>\n<p>No items in this category yet.</p>\n</main>\n");
    } else {
        m_page.append(ToolsStart);
        if (!m_mailto.isEmpty())
            m_page.append(OrderHead);
        m_page.append(ItemsStart).append(m_rows).append(ItemsEnd);
        m_itemData.chop(1);
        m_page.append(LinkedData).append(Schema).append("\"@graph\":[").append(m_itemData);
        m_page.append("]}</script>\n").append(Script).append("\n");
    }
    m_page.append(PageEnd);
    pages.write(m_page);
    if (Status written = pages.commit(); !written)
        return written;
    return read;
}

Status ModernPages::appendItemRows(const QString& categoryPath)
{
    m_rows.resize(0);
    // Only a regular file: opening a pipe would wait for a writer.
    if (!QFileInfo(categoryPath).isFile())
        return unreadableCategoryFile(categoryPath, Texts::tr("it is not a regular file"));
    QFile file(categoryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadableCategoryFile(categoryPath, file.errorString());
    const std::optional<FileState> opened = FileState::ofOpenFile(file.handle());
    m_records.resize(file.size() - file.size() % ItemRecord::Size);
    const qint64 got = file.read(m_records.data(), m_records.size());
    if (got < 0)
        return unreadableCategoryFile(categoryPath, file.errorString());
    const qsizetype rows = qsizetype(got) / ItemRecord::Size;
    if (opened) {
        ContentHash hash;
        hash.add(QByteArrayView(m_records).first(rows * ItemRecord::Size));
        m_source = PageCache::Source{*opened, hash.result()};
    }
    // Room for the longest rows first; the page is cut to what they took.
    m_rows.resize(rows * m_longestRow);
    char* out = m_rows.data();
    ItemRecord record;
    for (qsizetype row = 0; row < rows; ++row) {
        std::memcpy(record.bytes.data(), m_records.constData() + row * ItemRecord::Size,
                    ItemRecord::Size);
        out = putItemRow(out, record, int(row + 1));
    }
    m_rows.resize(out - m_rows.constData());
    return Status::success();
}

char* ModernPages::putItemRow(char* out, const ItemRecord& item, int row)
{
    const QByteArrayView code = fieldText(item, ItemField::Code);
    const QByteArrayView name = fieldText(item, ItemField::Name);
    const QByteArrayView price = fieldText(item, ItemField::Price);
    const QByteArrayView qty = fieldText(item, ItemField::Qty);
    std::array<char16_t, ItemRecord::Size> priceUnits, qtyUnits;
    QString priceConverted, qtyConverted;
    const QStringView priceText = unicode(price, priceUnits, priceConverted);
    const std::optional<PriceNumber> priceNumber = PriceFormat::read(priceText);
    const std::optional<PriceNumber> qtyNumber =
        PriceFormat::read(unicode(qty, qtyUnits, qtyConverted));
    const bool soldOut = qtyNumber && qtyNumber->value == 0;
    if (soldOut && m_site.soldOut == WebsiteSettings::SoldOut::Hide)
        return out;
    ++m_facts.shown;
    const QByteArray key = QByteArray::fromRawData(code.data(), code.size());
    const bool picture = !code.isEmpty() && m_pictures.contains(key);
    // The shop's currency, unless the price is no number or names its own.
    const bool withCurrency =
        !m_site.currency.isEmpty() && priceNumber && !PriceFormat::carriesCurrency(priceText);
    appendItemData(item, priceNumber, withCurrency, qtyNumber, picture, row);

    out = put(out, RowStart);
    out = putNumber(out, row);
    out = put(out, "\"><td>");
    out = putText(out, name);
    out = putNumberCell(out, priceNumber);
    out = withCurrency ? put(out, escaped(m_prices.shown(priceText.toString(), priceNumber)))
                       : putText(out, price);
    out = putNumberCell(out, qtyNumber);
    out = putText(out, qty);
    if (soldOut)
        out = put(out, SoldOutMark);
    out = put(out, NextCell);
    out = putText(out, code);
    out = put(out, NextCell);
    if (picture) {
        out = put(out, PictureStart);
        out = putLink(out, code);
        const auto thumbnail = m_thumbnails.constFind(key);
        if (thumbnail != m_thumbnails.cend()) {
            out = put(out, ThumbnailStart);
            out = putLink(out, code);
            out = put(out, ".thumb.jpg\" alt=\"");
            out = putText(out, name);
            if (!thumbnail->isEmpty()) {
                out = put(out, "\" width=\"");
                out = putNumber(out, thumbnail->width());
                out = put(out, "\" height=\"");
                out = putNumber(out, thumbnail->height());
            }
            // The first rows are in view at once: loaded without waiting.
            out = put(out, row > 4 ? "\" loading=\"lazy\"></a>" : "\"></a>");
        } else {
            out = put(out, PictureOnlyEnd);
        }
    }
    if (!m_mailto.isEmpty()) {
        out = put(out, NextCell);
        out = put(out, PictureStart);
        out = put(out, m_mailto);
        out = putLink(out, name);
        if (!code.isEmpty()) {
            out = put(out, "%20%28");
            out = putLink(out, code);
            out = put(out, "%29");
        }
        out = put(out, OrderLink);
    }
    *out++ = '\n';
    return out;
}

// The item for search engines (schema.org Product) and for the search of
// the main page.
void ModernPages::appendItemData(const ItemRecord& item, const std::optional<PriceNumber>& price,
                                 bool withCurrency, const std::optional<PriceNumber>& qty,
                                 bool picture, int row)
{
    const QByteArrayView code = fieldText(item, ItemField::Code);
    const QByteArrayView name = fieldText(item, ItemField::Name);
    std::array<char, 12> number;
    m_indexPart.append("[\"i");
    m_indexPart.append(number.data(), putNumber(number.data(), row) - number.data());
    m_indexPart.append("\",");
    appendJson(m_indexPart, name);
    m_indexPart.append(',');
    appendJson(m_indexPart, code);
    m_indexPart.append("],");

    m_itemData.append("{\"@type\":\"Product\",\"name\":");
    appendJson(m_itemData, name);
    if (!code.isEmpty()) {
        m_itemData.append(",\"sku\":");
        appendJson(m_itemData, code);
    }
    if (picture) {
        const QByteArray image = address(link(fromCodePage(code) + QStringLiteral(".jpg")));
        m_itemData.append(",\"image\":").append(json(QString::fromUtf8(image)));
        if (m_firstPicture.isEmpty())
            m_firstPicture = link(fromCodePage(code) + QStringLiteral(".jpg"));
        const QByteArray key(code.data(), code.size());
        if (!m_pictureCodes.contains(key)) {
            m_pictureCodes.insert(key);
            m_facts.pictures.push_back({key, row, escaped(fromCodePage(name))});
        }
    }
    m_itemData.append(",\"offers\":{\"@type\":\"Offer\"");
    if (price) {
        m_itemData.append(",\"price\":\"").append(price->text()).append('"');
        if (withCurrency && !m_prices.isoCode().isEmpty())
            m_itemData.append(",\"priceCurrency\":").append(json(m_prices.isoCode()));
    }
    if (qty) {
        m_itemData.append(",\"availability\":\"https://schema.org/")
            .append(qty->value > 0 ? "InStock\"" : "OutOfStock\"");
    }
    m_itemData.append("}},");
}

// A cell of a number carries its value for sorting, whatever its notation.
char* ModernPages::putNumberCell(char* out, const std::optional<PriceNumber>& number)
{
    if (!number)
        return put(out, NextCell);
    out = put(out, "<td data-v=\"");
    out = put(out, number->text());
    return put(out, "\">");
}

// The field as UTF-16: in units when the code page has one byte a
// character (no allocation), else in converted.
QStringView ModernPages::unicode(QByteArrayView field,
                                 std::array<char16_t, ItemRecord::Size>& units,
                                 QString& converted) const
{
    if (!m_singleByte) {
        converted = fromCodePage(field);
        return converted;
    }
    for (qsizetype i = 0; i < field.size(); ++i)
        units[size_t(i)] = m_unicode[quint8(field[i])];
    return QStringView(units.data(), field.size());
}

void ModernPages::appendJson(QByteArray& out, QByteArrayView field) const
{
    if (!m_singleByte) {
        out.append(json(fromCodePage(field)));
        return;
    }
    const qsizetype at = out.size(), room = at + 2 + field.size() * LongestEscape;
    if (out.capacity() < room)
        out.reserve(2 * room); // appended to a thousand times a page
    out.resize(room);
    char* end = out.data() + at;
    *end++ = '"';
    end = putMapped(end, field, m_json);
    *end++ = '"';
    out.resize(end - out.constData());
}

char* ModernPages::putText(char* out, QByteArrayView field) const
{
    return m_singleByte ? putMapped(out, field, m_text) : put(out, escaped(fromCodePage(field)));
}

char* ModernPages::putLink(char* out, QByteArrayView code) const
{
    return m_singleByte ? putMapped(out, code, m_link) : put(out, link(fromCodePage(code)));
}

char* ModernPages::putMapped(char* out, QByteArrayView bytes, const EscapeTable& table)
{
    for (const char c : bytes) {
        const Escaped& e = table[quint8(c)];
        std::memcpy(out, e.bytes.data(), e.bytes.size()); // the room holds the whole array
        out += e.size;
    }
    return out;
}

void ModernPages::Escaped::set(const QByteArray& to)
{
    size = quint8(to.size());
    std::copy(to.begin(), to.end(), bytes.begin());
}

} // namespace wareloom
