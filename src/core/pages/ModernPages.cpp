#include "core/pages/ModernPages.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/PageFiles.h"
#include "core/store/ItemRecord.h"
#include "core/util/TextConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace wareloom {
namespace {

constexpr QByteArrayView Style =
    "<style>"
    "*{box-sizing:border-box}"
    "body{margin:0 auto;max-width:64rem;padding:0 1rem 2rem;font:1rem/1.45 system-ui,sans-serif;"
    "color:#222;background:#fff;overflow-wrap:anywhere}"
    "h1{font-size:1.6rem;margin:1rem 0 .5rem}"
    "a{color:#0645ad}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{padding:.45rem .6rem;border-bottom:1px solid #ddd;text-align:left;"
    "vertical-align:middle}"
    "th{background:#f3f3f3}"
    ".num{text-align:right}"
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
    "#items td{border:0;padding:.1rem 0;text-align:left}"
    "#items td::before{content:attr(data-label) \": \";font-weight:bold}"
    "#items td.pic::before{content:none}"
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

ModernPages::ModernPages(WebsiteSettings site, QDateTime published)
    : m_site(std::move(site)), m_published(std::move(published))
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
        const QByteArray bytes = escapedCharacter(text[0].unicode());
        m_table[size_t(b)].size = quint8(bytes.size());
        std::copy(bytes.begin(), bytes.end(), m_table[size_t(b)].bytes.begin());
    }
}

CreatedPages ModernPages::create()
{
    findPictures();
    CreatedPages created{{QLatin1String(MainPageFileName), QString(), QString()}};
    PageFiles pages;
    QByteArray rows;
    for (const FoundCategory& category : listCategories()) {
        const QByteArray name = escaped(category.name);
        const QString pageName = categoryPageFileName(category.fileName);
        rows.append("<tr><td><a href=\"").append(link(pageName)).append("\">").append(name);
        rows.append("</a></td><td class=\"num\">");
        rows.append(QByteArray::number(countItems(dataFilePath(category.fileName))));
        rows.append("</td></tr>\n");
        const Status written = writeCategoryPage(category, pages);
        created.push_back({pageName, category.fileName, written ? QString() : written.message()});
    }

    const QByteArray shop = escaped(m_site.shopNameShown());
    const QByteArray email = escaped(m_site.contactEmailShown());
    m_page.resize(0);
    appendPageHead(shop);
    m_page.append("<header>\n<h1>").append(shop).append("</h1>\n<p>Contact: <a href=\"mailto:");
    m_page.append(email).append("\">").append(email).append(
        "</a></p>\n<p>Updated: <time datetime=\"");
    m_page.append(m_published.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1());
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
    Status written = pages.begin(dataFilePath(QLatin1String(MainPageFileName)));
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
         QDir(dataDirectory()).entryList({QStringLiteral("*.jpg")}, QDir::Files))
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
    if (Status started = pages.begin(dataFilePath(pageName)); !started)
        return started;
    const QByteArray name = escaped(category.name);
    m_page.resize(0);
    appendPageHead(name + " - " + escaped(m_site.shopNameShown()));
    m_page.append("<header>\n<p><a href=\"inventory.htm\">All categories</a></p>\n<h1>");
    m_page.append(name).append("</h1>\n</header>\n");
    const qsizetype itemsStart = m_page.size();
    m_page.append(ItemsStart);
    const Status read = appendItemRows(dataFilePath(category.fileName));
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
    if (!QFileInfo(categoryPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        return Status::failure(QStringLiteral("The category file %1 cannot be read.")
                                   .arg(QDir::toNativeSeparators(categoryPath)));
    }
    m_records = file.readAll();
    ItemRecord record;
    for (qsizetype offset = 0; offset + ItemRecord::Size <= m_records.size();
         offset += ItemRecord::Size) {
        std::copy_n(m_records.constData() + offset, ItemRecord::Size, record.bytes.begin());
        appendItemRow(fieldText(record, ItemField::Name), fieldText(record, ItemField::Code),
                      fieldText(record, ItemField::Price), fieldText(record, ItemField::Qty));
    }
    return Status::success();
}

void ModernPages::appendItemRow(QByteArrayView name, QByteArrayView code, QByteArrayView price,
                                QByteArrayView qty)
{
    m_page.append("<tr><td data-label=\"Item\">");
    appendField(name);
    m_page.append("</td><td data-label=\"Price\" class=\"num\">");
    appendField(price);
    m_page.append("</td><td data-label=\"Qty\" class=\"num\">");
    appendField(qty);
    m_page.append("</td><td data-label=\"Code\">");
    appendField(code);
    m_page.append("</td><td class=\"pic\">");
    if (!code.isEmpty() && m_pictures.contains(code.toByteArray())) {
        const QString codeText = fromCodePage(code);
        m_page.append("<a href=\"").append(link(codeText + QStringLiteral(".jpg"))).append("\">");
        if (m_thumbnails.contains(code.toByteArray())) {
            m_page.append("<img src=\"").append(link(codeText + QStringLiteral(".thumb.jpg")));
            m_page.append("\" alt=\"Picture of ");
            appendField(name);
            m_page.append("\">");
        } else {
            m_page.append("Picture");
        }
        m_page.append("</a>");
    }
    m_page.append("</td></tr>\n");
}

void ModernPages::appendField(QByteArrayView field)
{
    if (!m_singleByte) {
        m_page.append(escaped(fromCodePage(field)));
        return;
    }
    for (const char c : field) {
        const Escaped& e = m_table[quint8(c)];
        m_page.append(e.bytes.data(), e.size);
    }
}

} // namespace wareloom
