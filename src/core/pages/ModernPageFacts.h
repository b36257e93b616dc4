#pragma once

#include "core/pages/SearchIndex.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QSize>

#include <optional>
#include <vector>

namespace wareloom {

// What the modern style keeps in the page cache, so that a category page
// that is not written again still counts on the main page and still gives
// its picture pages.
struct ModernPageFacts
{
    // The first item of the page for each code with a picture.
    struct PictureItem
    {
        QByteArray code; // as the record holds it
        int row = 0;
        QByteArray name; // escaped
    };

    int shown = 0; // items on the page
    std::vector<PictureItem> pictures;

    QByteArray toBytes() const;
    static std::optional<ModernPageFacts> fromBytes(const QByteArray& bytes);
};

// And of the whole site: the pictures the pages were made with, and where
// each page's part of search.js lies.
struct ModernSiteFacts
{
    QSet<QByteArray> pictures;           // codes with a picture
    QHash<QByteArray, QSize> thumbnails; // and the sizes of their thumbnails
    SearchIndex::Layout searchIndex;

    QByteArray toBytes() const;
    static std::optional<ModernSiteFacts> fromBytes(const QByteArray& bytes);
    // The codes whose picture or thumbnail came, went or changed its size.
    QSet<QByteArray> changedPictures(const ModernSiteFacts& now) const;
};

} // namespace wareloom
