#pragma once

#include "core/pages/PageCache.h"
#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QString>

namespace wareloom {

class PageFiles;

// File name of a category's page: the category file name less its last four
// characters (".dat" in any case), followed by ".htm".
QString categoryPageFileName(const QString& categoryFileName);

// The failure of a page whose category file cannot be read, in either style.
Status unreadableCategoryFile(const QString& categoryPath, const QString& reason);

// Writes the page of one category, "<category>.htm" in the data directory store,
// from its category file ("Books.dat", as the listing found it): the items in
// file order, each read into the record table's scratch slot. A category file
// that cannot be read gives a page with no items and a failure that says so;
// a page that cannot be written is a failure and leaves the old page whole.
Status writeCategoryPage(const DataDirectory& store, const QString& categoryFileName);

// The same for a run of pages, keeping its buffers from one page to the next.
class CategoryPageWriter
{
public:
    explicit CategoryPageWriter(DataDirectory store) : m_store(std::move(store)) {}
    Status write(const QString& categoryFileName, PageFiles& pages);
    // The category file as the last page written read it; nothing when it
    // could not be read.
    const std::optional<PageCache::Source>& source() const { return m_source; }

private:
    Status appendItemRows(const QString& categoryPath, PageFiles& pages);

    DataDirectory m_store;
    QByteArray m_records;
    QByteArray m_page;
    std::optional<PageCache::Source> m_source;
};

} // namespace wareloom
