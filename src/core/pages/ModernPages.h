#pragma once

#include "core/pages/MainPage.h"
#include "core/pages/PageCache.h"
#include "core/pages/WebsiteSettings.h"
#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <array>

namespace wareloom {

class PageFiles;

// The pages in the modern style, under the classic pages' file names so that
// links and bookmarks keep working: HTML5 in UTF-8 with every text escaped,
// one column of cards on a phone and a table on a desktop, a thumbnail
// (<code>.thumb.jpg) linking to the picture only where the data directory
// holds a picture, and a small inline script that sorts and filters the items;
// without it the page shows everything. Nothing is loaded from elsewhere.
class ModernPages
{
public:
    ModernPages(DataDirectory store, WebsiteSettings site, QDateTime published);

    // Writes every category page, then the main page; what became of each,
    // in the order CreateHTML reports them. With a cache, a category page
    // that would come out as it is stays as it is.
    CreatedPages create(PageCache* cache = nullptr);

private:
    struct Escaped
    {
        std::array<char, 12> bytes;
        quint8 size;

        void set(const QByteArray& to);
    };
    using EscapeTable = std::array<Escaped, 256>;

    Status writeCategoryPage(const FoundCategory& category, PageFiles& pages);
    Status appendItemRows(const QString& categoryPath);
    // Each writes at out, where there is room enough, and returns the end.
    char* putItemRow(char* out, const ItemRecord& item) const;
    char* putText(char* out, QByteArrayView field) const;
    char* putLink(char* out, QByteArrayView code) const;
    static char* putMapped(char* out, QByteArrayView bytes, const EscapeTable& table);
    void appendPageHead(const QByteArray& title);
    void findPictures();
    QByteArray sharedInputs() const;

    DataDirectory m_store;
    WebsiteSettings m_site;
    QDateTime m_published;
    // Byte of the code page -> escaped UTF-8, and -> percent-encoded UTF-8.
    EscapeTable m_text{};
    EscapeTable m_link{};
    bool m_singleByte = true;      // false: the tables are not used
    QSet<QByteArray> m_pictures;   // codes, as the records hold them, with a picture
    QSet<QByteArray> m_thumbnails; // and those whose thumbnail is there too
    QByteArray m_records;
    QByteArray m_page;
    std::optional<PageCache::Source> m_source; // of the last category page written
};

} // namespace wareloom
