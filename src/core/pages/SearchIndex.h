#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <utility>
#include <vector>

namespace wareloom {

class PageFiles;

// search.js of the modern pages: the items of every category for the main
// page's search, one part a category page in the order of the site plan. The
// part of a page that was not written again is taken from the file as the
// last run left it, and the file is written only when its bytes change.
class SearchIndex
{
public:
    static constexpr char FileName[] = "search.js";
    using Range = std::pair<qint64, qint64>; // offset and size of a part in the file
    using Layout = QHash<QString, Range>;    // page file name -> its part

    // last: the layout of the file on disk, which the last run left as it is;
    // empty when that is not known.
    SearchIndex(DataDirectory store, Layout last);

    // Whether the file on disk holds a part for the page.
    bool hasPart(const QString& pageFileName) const { return m_last.contains(pageFileName); }
    // The next part: the page's part in the file on disk, or a new one.
    void addKept(const QString& pageFileName);
    void addNew(const QString& pageFileName, QByteArray part);

    // Writes the file unless it holds these bytes already.
    Status write(PageFiles& pages);
    // The parts in the file as write() left it.
    const Layout& layout() const { return m_layout; }

private:
    struct Part
    {
        QString pageFileName;
        QByteArray bytes; // empty for a kept part
        bool kept = false;
    };

    bool isUnchanged(qint64 size);
    Status writeParts(PageFiles& pages);

    DataDirectory m_store;
    Layout m_last;
    Layout m_layout;
    std::vector<Part> m_parts;
};

} // namespace wareloom
