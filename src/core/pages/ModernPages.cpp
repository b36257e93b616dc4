#include "core/pages/ModernPages.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/PageFiles.h"
#include "core/store/ItemRecord.h"
#include "core/util/ContentHash.h"
#include "core/util/TextConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cstring>

namespace wareloom {
namespace {

// Columns: item, price, qty, code, picture. Cells carry no attributes of
// their own: a category page holds up to 999 rows.
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
    "#filter{font:inherit;padding:.35rem;width:100%;max-width:22rem}"
    "[hidden]{display:none!important}"
    "@media (max-width:40rem){"
    "#items,#items tbody,#items tr,#items td{display:block}"
    "#items thead tr{display:flex;flex-wrap:wrap}"
    "#items th{border:0}"
    "#items tr{border-bottom:1px solid #ddd;padding:.4rem 0}"
    "#items td{border:0;padding:.1rem 0;text-align:left!important}"
    "#items td:nth-child(1){font-weight:bold}"
    "#items td:nth-child(2)::before{content:\"Price: \"}"
    "#items td:nth-child(3)::before{content:\"Qty: \"}"
    "#items td:nth-child(4)::before{content:\"Code: \"}"
    "#items td:empty{display:none}"
    "#items img{max-width:10rem}"
    "}"
    "</style>";

// Sorts by a column on a click of its heading and hides the rows that do not
// hold the typed text. It only adds to a page that is whole without it.
constexpr QByteArrayView Script =
    "<script>"
    "(function(){"
    "var t=document.getElementById('items');if(!t)return;"
    "var b=t.tBodies[0],rows=[].slice.call(b.rows),f=document.getElementById('filter');"
    "document.getElementById('tools').hidden=false;"
    "f.addEventListener('input',function(){var q=f.value.toLowerCase();"
    "rows.forEach(function(r){r.hidden=q!==''&&r.textContent.toLowerCase().indexOf(q)<0;});});"
    "var heads=[].slice.call(t.tHead.rows[0].cells);"
    "heads.forEach(function(th,i){if(th.classList.contains('pic'))return;"
    "var k=document.createElement('button');k.type='button';k.textContent=th.textContent;"
    "th.textContent='';th.appendChild(k);"
    "k.addEventListener('click',function(){"
    "var d=th.getAttribute('aria-sort')==='ascending'?-1:1;"
    "heads.forEach(function(h){h.removeAttribute('aria-sort');});"
    "th.setAttribute('aria-sort',d>0?'ascending':'descending');"
    "var num=th.classList.contains('num');"
    "function v(r){var s=r.cells[i].textContent;"
    "if(num){var n=parseFloat(s.replace(/[^0-9.-]/g,''));return isNaN(n)?-Infinity:n;}return s;}"
    "rows.sort(function(x,y){var p=v(x),q=v(y);"
    "return d*(num?(p>q)-(p<q):String(p).localeCompare(q,undefined,{numeric:true}));});"
    "rows.forEach(function(r){b.appendChild(r);});});});"
    "})();"
    "</script>";

constexpr QByteArrayView HeadStart =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
constexpr QByteArrayView HeadEnd = "</head>\n<body>\n";
constexpr QByteArrayView PageEnd = "</body>\n</html>\n";

constexpr QByteArrayView ItemsStart =
    "<main>\n<p id=\"tools\" hidden><label for=\"filter\">Find</label> "
    "<input id=\"filter\" type=\"search\" autocomplete=\"off\"></p>\n"
    "<table id=\"items\">\n<thead><tr><th scope=\"col\">Item</th>"
    "<th scope=\"col\" class=\"num\">Price</th><th scope=\"col\" class=\"num\">Qty</th>"
    "<th scope=\"col\">Code</th><th scope=\"col\" class=\"pic\">Picture</th></tr></thead>\n"
    "<tbody>\n";
constexpr QByteArrayView ItemsEnd = "</tbody>\n</table>\n</main>\n";

constexpr QByteArrayView Replacement = "\xEF\xBF\xBD"; // U+FFFD

// An item row: the cells' end tags are left out, as HTML allows.
constexpr QByteArrayView RowStart = "<tr><td>";
constexpr QByteArrayView NextCell = "<td>";
constexpr QByteArrayView PictureStart = "<a href=\"";
constexpr QByteArrayView ThumbnailStart = ".jpg\"><img src=\"";
constexpr QByteArrayView ThumbnailEnd = ".thumb.jpg\" alt=\"Picture\"></a>";
constexpr QByteArrayView PictureOnlyEnd = ".jpg\">Picture</a>";
// Bytes one byte of a field may become: "&quot;", or "%E2%82%AC" in a link.
constexpr qsizetype LongestEscape = 12;
constexpr qsizetype LongestRow = RowStart.size() + 4 * NextCell.size() + PictureStart.size() +
                                 ThumbnailStart.size() + ThumbnailEnd.size() + 1 +
                                 (ItemRecord::Size + 2 * 10) * LongestEscape;

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

} // namespace

ModernPages::ModernPages(DataDirectory store, WebsiteSettings site, QDateTime published)
    : m_store(std::move(store)), m_site(std::move(site)), m_published(std::move(published))
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
    }
}

CreatedPages ModernPages::create(PageCache* cache)
{
    findPictures();
    if (cache)
        cache->setSharedInputs(sharedInputs());
    CreatedPages created{{QLatin1String(MainPageFileName), QString(), QString()}};
    PageFiles pages;
    QByteArray rows;
    for (const FoundCategory& category : listCategories(m_store.path())) {
        const QByteArray name = escaped(category.name);
        const QString pageName = categoryPageFileName(category.fileName);
        rows.append("<tr><td><a href=\"").append(link(pageName)).append("\">").append(name);
        rows.append("</a></td><td class=\"num\">");
        rows.append(QByteArray::number(countItems(m_store.filePath(category.fileName))));
        rows.append("</td></tr>\n");
        if (cache && cache->isCurrent(pageName, category.fileName)) {
            created.push_back({pageName, category.fileName, QString()});
            continue;
        }
        const Status written = writeCategoryPage(category, pages);
        created.push_back({pageName, category.fileName, written ? QString() : written.message()});
        if (cache)
            cache->noteWritten(pageName, category.fileName,
                               written ? m_source : std::optional<PageCache::Source>());
    }

    const QByteArray shop = escaped(m_site.shopNameShown());
    const QByteArray email = escaped(m_site.contactEmailShown());
    m_page.resize(0);
    appendPageHead(shop);
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
        m_page.append("<table>\n<thead><tr><th scope=\"col\">Category</th>"
                      "<th scope=\"col\" class=\"num\">Items</th></tr></thead>\n<tbody>\n");
        m_page.append(rows).append("</tbody>\n</table>\n");
    }
    m_page.append("</main>\n").append(PageEnd);
    Status written = pages.begin(m_store.filePath(QLatin1String(MainPageFileName)));
    if (written) {
        pages.write(m_page);
        written = pages.commit();
    }
    if (!written)
        created.front().failure = written.message();
    return created;
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
    for (const QString& name : std::as_const(names)) {
        if (name.endsWith(thumbnailEnd))
            continue;
        const QString code = name.chopped(pictureEnd.size());
        const QByteArray codeBytes = toCodePage(code);
        m_pictures.insert(codeBytes);
        if (names.contains(code + thumbnailEnd))
            m_thumbnails.insert(codeBytes);
    }
}

// Besides its category file, a page shows which items have a picture and a
// thumbnail.
QByteArray ModernPages::sharedInputs() const
{
    QList<QByteArray> pictures;
    for (const QByteArray& code : m_pictures)
        pictures << code + (m_thumbnails.contains(code) ? " thumbnail" : "");
    std::sort(pictures.begin(), pictures.end());
    return "modern\n" + pictures.join('\n');
}

void ModernPages::appendPageHead(const QByteArray& title)
{
    m_page.append(HeadStart).append(title).append("</title>\n").append(Style).append("\n");
    m_page.append(HeadEnd);
}

Status ModernPages::writeCategoryPage(const FoundCategory& category, PageFiles& pages)
{
    const QString pageName = categoryPageFileName(category.fileName);
    // Its page would overwrite the main page, here or on a web host that ignores case.
    if (pageName.compare(QLatin1String(MainPageFileName), Qt::CaseInsensitive) == 0) {
        return Status::failure(
            QStringLiteral("The category %1 cannot have a page: %2 is the main page.")
                .arg(category.name, pageName));
    }
    m_source.reset();
    if (Status started = pages.begin(m_store.filePath(pageName)); !started)
        return started;
    const QByteArray name = escaped(category.name);
    m_page.resize(0);
    appendPageHead(name + " - " + escaped(m_site.shopNameShown()));
    m_page.append("<header>\n<p><a href=\"inventory.htm\">All categories</a></p>\n<h1>");
    m_page.append(name).append("</h1>\n</header>\n");
    const qsizetype itemsStart = m_page.size();
    m_page.append(ItemsStart);
    Status read = appendItemRows(m_store.filePath(category.fileName));
    if (m_page.size() == itemsStart + ItemsStart.size()) {
        m_page.resize(itemsStart);
        m_page.append("<main>\n<p>No items in this category yet.</p>\n</main>\n");
    } else {
        m_page.append(ItemsEnd).append(Script).append("\n");
    }
    m_page.append(PageEnd);
    pages.write(m_page);
    if (Status written = pages.commit(); !written)
        return written;
    return read;
}

Status ModernPages::appendItemRows(const QString& categoryPath)
{
    // Only a regular file: opening a pipe would wait for a writer.
    QFile file(categoryPath);
    if (!QFileInfo(categoryPath).isFile() ||
        !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return Status::failure(QStringLiteral("The category file %1 cannot be read.")
                                   .arg(QDir::toNativeSeparators(categoryPath)));
    }
    const std::optional<FileState> opened = FileState::ofOpenFile(file.handle());
    m_records.resize(file.size() - file.size() % ItemRecord::Size);
    const qint64 got = file.read(m_records.data(), m_records.size());
    if (got < 0) {
        return Status::failure(
            QStringLiteral("The category file %1 cannot be read: %2")
                .arg(QDir::toNativeSeparators(categoryPath), file.errorString()));
    }
    if (opened) {
        ContentHash hash;
        hash.add(QByteArrayView(m_records.constData(), got));
        m_source = PageCache::Source{*opened, hash.result()};
    }
    const qsizetype rows = qsizetype(got) / ItemRecord::Size;
    // Room for the longest rows first; the page is cut to what they took.
    const qsizetype start = m_page.size();
    m_page.resize(start + rows * LongestRow);
    char* out = m_page.data() + start;
    ItemRecord record;
    for (qsizetype row = 0; row < rows; ++row) {
        std::memcpy(record.bytes.data(), m_records.constData() + row * ItemRecord::Size,
                    ItemRecord::Size);
        out = putItemRow(out, record);
    }
    m_page.resize(out - m_page.constData());
    return Status::success();
}

char* ModernPages::putItemRow(char* out, const ItemRecord& item) const
{
    const QByteArrayView code = fieldText(item, ItemField::Code);
    out = put(out, RowStart);
    out = putText(out, fieldText(item, ItemField::Name));
    out = put(out, NextCell);
    out = putText(out, fieldText(item, ItemField::Price));
    out = put(out, NextCell);
    out = putText(out, fieldText(item, ItemField::Qty));
    out = put(out, NextCell);
    out = putText(out, code);
    out = put(out, NextCell);
    const QByteArray key = QByteArray::fromRawData(code.data(), code.size());
    if (!code.isEmpty() && m_pictures.contains(key)) {
        out = put(out, PictureStart);
        out = putLink(out, code);
        if (m_thumbnails.contains(key)) {
            out = put(out, ThumbnailStart);
            out = putLink(out, code);
            out = put(out, ThumbnailEnd);
        } else {
            out = put(out, PictureOnlyEnd);
        }
    }
    *out++ = '\n';
    return out;
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
