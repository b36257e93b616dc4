#pragma once

#include "core/pages/MainPage.h"
#include "core/pages/ModernPageFacts.h"
#include "core/pages/PageCache.h"
#include "core/pages/PriceFormat.h"
#include "core/pages/WebsiteSettings.h"
#include "core/store/ItemRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

namespace wareloom {

class PageFiles;
class SearchIndex;
class SitePlan;
struct PlannedCategory;

// The pages in the modern style, under the classic pages' file names so that
// links and bookmarks keep working: HTML5 in UTF-8 with every text escaped,
// one column of cards on a phone and a table on a desktop. A thumbnail
// (<code>.thumb.jpg) opens a page of the full picture (<code>.html) only
// where the data directory holds a picture; prices carry the shop's
// currency; sold-out items are marked or left out; each item has an order
// link when the shop has an address. A small inline script sorts and filters
// the items, and on the main page searches every item through search.js;
// without it the pages show everything. Every page describes itself to
// search engines and chats (meta description, Open Graph, schema.org
// Product JSON-LD); favicon.png, and with the site's address sitemap.xml and
// robots.txt, are written beside the pages. Nothing is loaded from elsewhere.
class ModernPages
{
public:
    // siteAddress: the HTTP address of the published main page, or empty.
    ModernPages(DataDirectory store, WebsiteSettings site, QDateTime published,
                const QString& siteAddress = {});

    // Writes the page of every category of the plan that has one, then the
    // main page; what became of each, in the order writeSite reports them,
    // then the other files that failed. With a cache, a category page that
    // would come out as it is stays as it is, and so does every other file
    // but the main page whose bytes would not change.
    CreatedPages create(const SitePlan& plan, PageCache* cache = nullptr);
    // The files besides the pages written by create(), to publish with them.
    const QStringList& siteFiles() const { return m_siteFiles; }

private:
    struct Escaped
    {
        std::array<char, 12> bytes;
        quint8 size;

        void set(const QByteArray& to);
    };
    using EscapeTable = std::array<Escaped, 256>;
    struct PicturePage
    {
        QByteArray name; // escaped
        QByteArray back; // the item in its category page
        QByteArray categoryName;
    };

    Status writeCategoryPage(const PlannedCategory& category, PageFiles& pages);
    Status appendItemRows(const QString& categoryPath);
    // Each writes at out, where there is room enough, and returns the end.
    char* putItemRow(char* out, const ItemRecord& item, int row);
    static char* putNumberCell(char* out, const std::optional<PriceNumber>& number);
    char* putText(char* out, QByteArrayView field) const;
    char* putLink(char* out, QByteArrayView code) const;
    static char* putMapped(char* out, QByteArrayView bytes, const EscapeTable& table);
    void appendItemData(const ItemRecord& item, const std::optional<PriceNumber>& price,
                        bool withCurrency, const std::optional<PriceNumber>& qty, bool picture,
                        int row);
    QStringView unicode(QByteArrayView field, std::array<char16_t, ItemRecord::Size>& units,
                        QString& converted) const;
    void appendJson(QByteArray& out, QByteArrayView field) const;
    void appendPageHead(const QByteArray& title, const QByteArray& description,
                        const QByteArray& image);
    Status writeFile(PageFiles& pages, const QString& fileName, QByteArrayView bytes);
    void writeSiteFiles(PageFiles& pages, const QByteArray& sitemap, SearchIndex& index,
                        CreatedPages& created);
    bool holds(const QString& fileName, QByteArrayView bytes) const;
    bool holdsAny(const QString& categoryFileName, const QSet<QByteArray>& codes);
    void addPicturePages(const QString& pageFileName, const QByteArray& categoryName);
    QByteArray address(const QByteArray& link) const;
    void findPictures();

    DataDirectory m_store;
    WebsiteSettings m_site;
    QDateTime m_published;
    QByteArray m_base; // the site's address up to its last '/', escaped; or empty
    PriceFormat m_prices;
    QByteArray m_mailto; // "mailto:<address>?subject=", or empty: no order links
    // Byte of the code page -> escaped UTF-8, -> percent-encoded UTF-8,
    EscapeTable m_text{};
    EscapeTable m_link{};
    EscapeTable m_json{}; // -> in a JSON string
    std::array<char16_t, 256> m_unicode{};
    bool m_singleByte = true;              // false: the tables are not used
    qsizetype m_longestRow = 0;            // bytes one item row may take
    QSet<QByteArray> m_pictures;           // codes, as the records hold them, with a picture
    QHash<QByteArray, QSize> m_thumbnails; // and those whose thumbnail is there too
    QHash<QByteArray, PicturePage> m_picturePages;
    QByteArray m_records;
    QByteArray m_page;
    QByteArray m_rows;
    QByteArray m_itemData;  // the category's JSON-LD products
    QByteArray m_indexPart; // the category's part of search.js
    QByteArray m_firstPicture;
    ModernPageFacts m_facts;                   // of the last category page
    QSet<QByteArray> m_pictureCodes;           // those of its codes in m_facts.pictures
    std::optional<PageCache::Source> m_source; // its category file as it was read
    QStringList m_siteFiles;
};

} // namespace wareloom
